#pragma once
// Programs the host starts (Notepad, the screen-saver stand-in) and any
// process it is asked about by identifier.
#include <windows.h>

#include <map>
#include <string>

#include "tests/e2e/host_support.h"

namespace e2e {

class Processes {
 public:
  // Starts the command line; returns the process identifier, 0 on failure.
  DWORD Spawn(const std::string& commandLine);
  // Ends a process the host started.
  bool Kill(DWORD pid);
  void KillAll();

 private:
  std::map<DWORD, OwnedHandle> started_;
};

// Waits for any process to end; true when it has (or is no longer there).
bool WaitForExit(DWORD pid, int timeoutMs);

}  // namespace e2e
