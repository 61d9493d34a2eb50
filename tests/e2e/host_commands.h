#pragma once
// The host's command language: one command per line, one answer line each,
// beginning with "ok" or "fail". The list is in e2e_host.cpp; each group of
// commands is registered by its own file.
#include <functional>
#include <map>
#include <string>

#include "tests/e2e/host_args.h"
#include "tests/e2e/host_processes.h"
#include "tests/e2e/host_windows.h"

namespace e2e {

inline constexpr int kActivateTimeoutMs = 3000;

// What the commands work on, for as long as the host runs.
struct HostState {
  HostState();
  HostState(const HostState&) = delete;
  HostState& operator=(const HostState&) = delete;
  ~HostState() { processes.KillAll(); }

  TestWindows windows;
  Processes processes;
  // A window of the host's own that lives as long as it: "reset" brings it to
  // the front first, because Wine without a window manager takes about two
  // seconds over destroying the foreground window.
  TestWindows home;
  bool quit = false;
};

using Command = std::function<std::string(HostState&, const Args&)>;
using CommandTable = std::map<std::string, Command>;

void AddWindowCommands(CommandTable& table);   // host_commands_windows.cpp
void AddKeyCommands(CommandTable& table);      // host_commands_keys.cpp
void AddShellCommands(CommandTable& table);    // host_commands_shell.cpp
void AddProgramCommands(CommandTable& table);  // host_commands_programs.cpp
void AddEditCommands(CommandTable& table);     // host_commands_edit.cpp
void AddHotkeyCommands(CommandTable& table);   // host_commands_hotkeys.cpp

class Host {
 public:
  Host();
  // Runs one command line and returns its answer; sets quit on "quit".
  std::string Run(const std::string& line, bool& quit);

 private:
  HostState state_;
  CommandTable table_;
};

}  // namespace e2e
