#include "tests/e2e/host_commands.h"

#include <algorithm>

namespace e2e {

HostState::HostState() { home.Make("home", "", "E2E host"); }

Host::Host() {
  AddWindowCommands(table_);
  AddKeyCommands(table_);
  AddShellCommands(table_);
  AddProgramCommands(table_);
  AddEditCommands(table_);
  AddHotkeyCommands(table_);
}

std::string Host::Run(const std::string& line, bool& quit) {
  const Args args(line);
  const auto it = table_.find(args[0]);
  if (it == table_.end()) return Fail("unknown command " + args[0]);
  std::string answer = it->second(state_, args);
  // One answer is one line, whatever text a command hands back.
  std::replace_if(answer.begin(), answer.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  quit = state_.quit;
  return answer;
}

}  // namespace e2e
