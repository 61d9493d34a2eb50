#pragma once
// The host's command language: one command per line, one answer line each,
// beginning with "ok" or "fail". The list is in e2e_host.cpp; each group of
// commands is registered by its own file.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "tests/e2e/host_support.h"
#include "tests/e2e/host_windows.h"

namespace e2e {

inline constexpr int kActivateTimeoutMs = 3000;

// What the commands work on, for as long as the host runs.
struct HostState {
  // A window of the host's own that lives as long as it: "reset" brings it to
  // the front first, because Wine without a window manager takes about two
  // seconds over destroying the foreground window.
  HostState() : home(MakeWindow("E2E host", nullptr, 0)) {}
  HostState(const HostState&) = delete;
  HostState& operator=(const HostState&) = delete;
  ~HostState() { EndStarted(); }

  void EndStarted() {
    for (auto& [pid, process] : started) {
      ::TerminateProcess(process.get(), 1);
      ::WaitForSingleObject(process.get(), 5000);
    }
    started.clear();
  }
  HWND Window(const std::string& name) const {
    const auto it = windows.find(name);
    return it != windows.end() && ::IsWindow(it->second) ? it->second : nullptr;
  }

  HWND home;
  std::map<std::string, HWND> windows;   // made by "make", by name
  std::map<DWORD, OwnedHandle> started;  // processes started by "spawn"
  std::vector<OwnedHandle> heldFiles;    // opened by "holdfile", sharing nothing
  bool quit = false;
};

using Command = std::function<std::string(HostState&, const Args&)>;
using CommandTable = std::map<std::string, Command>;

void AddWindowCommands(CommandTable& table);   // host_commands_windows.cpp
void AddKeyCommands(CommandTable& table);      // host_commands_keys.cpp
void AddShellCommands(CommandTable& table);    // host_commands_shell.cpp
void AddProgramCommands(CommandTable& table);  // host_commands_programs.cpp
void AddEditCommands(CommandTable& table);     // host_commands_edit.cpp

}  // namespace e2e
