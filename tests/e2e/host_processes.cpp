#include "tests/e2e/host_processes.h"

#include <vector>

namespace e2e {
DWORD Processes::Spawn(const std::string& commandLine) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  std::vector<char> line(commandLine.begin(), commandLine.end());
  line.push_back('\0');
  if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
    return 0;
  ::CloseHandle(info.hThread);
  started_[info.dwProcessId] = OwnedHandle(info.hProcess);
  return info.dwProcessId;
}

bool Processes::Kill(DWORD pid) {
  const auto it = started_.find(pid);
  if (it == started_.end()) return false;
  ::TerminateProcess(it->second.get(), 1);
  ::WaitForSingleObject(it->second.get(), 5000);
  started_.erase(it);
  return true;
}

void Processes::KillAll() {
  while (!started_.empty()) Kill(started_.begin()->first);
}

bool WaitForExit(DWORD pid, int timeoutMs) {
  OwnedHandle process(::OpenProcess(SYNCHRONIZE, FALSE, pid));
  if (!process.valid()) return true;
  return WaitUntil([&] { return ::WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0; }, timeoutMs, kSlowPollMs);
}

}  // namespace e2e
