#include "options/start_with_windows.h"

#include <optional>

#include "store/text.h"

std::string ProgramOfCommand(std::string_view command) {
  const std::size_t start = command.find_first_not_of(' ');
  if (start == std::string_view::npos) return {};
  command.remove_prefix(start);
  if (command.front() == '"') {
    command.remove_prefix(1);
    return std::string(command.substr(0, command.find('"')));
  }
  // ".exe" is ASCII, and no byte of another character in UTF-8 is.
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  for (std::size_t at = 0; at + 4 <= command.size(); ++at) {
    const std::string_view end = command.substr(at, 4);
    const bool exe = lower(end[0]) == '.' && lower(end[1]) == 'e' && lower(end[2]) == 'x' && lower(end[3]) == 'e';
    if (exe && (at + 4 == command.size() || command[at + 4] == ' ')) return std::string(command.substr(0, at + 4));
  }
  return std::string(command.substr(0, command.find(' ')));
}

bool StartsWithWindows(platform::OsRegistry& registry, const std::string& exe) {
  const std::optional<std::string> command = registry.RegQueryValueEx(kRunKey, kRunValue);
  return command && EqualsIgnoringCase(ProgramOfCommand(*command), exe);
}

bool SetStartWithWindows(platform::OsRegistry& registry, const std::string& exe, bool on) {
  if (on == StartsWithWindows(registry, exe)) return true;
  if (on) return registry.RegSetValueEx(kRunKey, kRunValue, "\"" + exe + "\"");
  return registry.RegDeleteValue(kRunKey, kRunValue);
}
