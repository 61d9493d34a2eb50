// Processes and the host itself: waitprocs, spawn, kill, waitexit, version,
// reset, sleep, quit.
#include <vector>

#include "tests/e2e/host_commands.h"

namespace e2e {

void AddProgramCommands(CommandTable& table) {
  // waitprocs EXE COUNT MS: "ok COUNT PID..."
  table["waitprocs"] = [](HostState&, const Args& a) {
    const auto wanted = static_cast<std::size_t>(a.Int(2));
    const bool done = WaitUntil([&] { return ProcessesNamed(a[1]).size() == wanted; }, a.Int(3), kSlowPollMs);
    const std::vector<DWORD> pids = ProcessesNamed(a[1]);
    std::string list = std::to_string(pids.size());
    for (DWORD pid : pids) list += ' ' + std::to_string(pid);
    return done ? Ok(list) : Fail(list);
  };
  table["spawn"] = [](HostState& host, const Args& a) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::string line = a.Rest(1);
    if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
      return Fail("could not start " + a.Rest(1));
    ::CloseHandle(info.hThread);
    host.started[info.dwProcessId] = OwnedHandle(info.hProcess);
    return Ok(std::to_string(info.dwProcessId));
  };
  // kill PID: one we started, or another program's (one that a program of
  // ours started).
  table["kill"] = [](HostState& host, const Args& a) {
    host.started.erase(a.Pid(1));
    OwnedHandle process(::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, a.Pid(1)));
    if (!process.valid() || !::TerminateProcess(process.get(), 1)) return Fail("could not end it");
    ::WaitForSingleObject(process.get(), 5000);
    return Ok();
  };
  // waitexit PID MS: any process, ended or no longer there.
  table["waitexit"] = [](HostState&, const Args& a) {
    OwnedHandle process(::OpenProcess(SYNCHRONIZE, FALSE, a.Pid(1)));
    const bool ended = !process.valid() || WaitUntil([&] { return ::WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0; },
                                                      a.Int(2), kSlowPollMs);
    return ended ? Ok() : Fail("still running");
  };
  // What Wine reports to programs: the family is the platform identifier.
  table["version"] = [](HostState&, const Args&) {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (!::GetVersionExA(&info)) return Fail("GetVersionExA failed");
    return Ok("platform=" + std::to_string(info.dwPlatformId) + " version=" + std::to_string(info.dwMajorVersion) +
              "." + std::to_string(info.dwMinorVersion));
  };
  // Between tests: no window of ours, no program we started and no file we
  // hold is left.
  table["reset"] = [](HostState& host, const Args&) {
    Activate(host.home, kActivateTimeoutMs);
    host.EndStarted();
    host.heldFiles.clear();
    for (const auto& [name, hwnd] : host.windows) ::DestroyWindow(hwnd);
    host.windows.clear();
    Pump();
    return Ok();
  };
  table["sleep"] = [](HostState&, const Args& a) {
    PumpFor(a.Int(1));
    return Ok();
  };
  table["quit"] = [](HostState& host, const Args&) {
    host.quit = true;
    return Ok();
  };
}

}  // namespace e2e
