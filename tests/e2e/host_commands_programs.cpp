// Processes and the host itself: procs, waitprocs, spawn, kill, waitexit,
// version, reset, sleep, quit.
#include <vector>

#include "tests/e2e/host_commands.h"
#include "tests/e2e/host_support.h"

namespace e2e {
namespace {

std::string PidList(const std::vector<DWORD>& pids) {
  std::string text = std::to_string(pids.size());
  for (DWORD pid : pids) {
    text += ' ';
    text += std::to_string(pid);
  }
  return text;
}

}  // namespace

void AddProgramCommands(CommandTable& table) {
  table["procs"] = [](HostState&, const Args& a) { return Ok(PidList(ProcessesNamed(a[1]))); };
  // waitprocs EXE COUNT MS
  table["waitprocs"] = [](HostState&, const Args& a) {
    const auto wanted = static_cast<std::size_t>(a.Int(2));
    const bool done = WaitUntil([&] { return ProcessesNamed(a[1]).size() == wanted; }, a.Int(3), kSlowPollMs);
    const std::string list = PidList(ProcessesNamed(a[1]));
    return done ? Ok(list) : Fail(list);
  };
  table["spawn"] = [](HostState& host, const Args& a) {
    const DWORD pid = host.processes.Spawn(a.Rest(1));
    return pid != 0 ? Ok(std::to_string(pid)) : Fail("could not start " + a.Rest(1));
  };
  table["kill"] = [](HostState& host, const Args& a) {
    return host.processes.Kill(a.Pid(1)) ? Ok() : Fail("not started here");
  };
  table["waitexit"] = [](HostState&, const Args& a) {
    return WaitForExit(a.Pid(1), a.Int(2)) ? Ok() : Fail("still running");
  };
  // What Wine reports to programs: the family is the platform identifier.
  table["version"] = [](HostState&, const Args&) {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (!::GetVersionExA(&info)) return Fail("GetVersionExA failed");
    return Ok("platform=" + std::to_string(info.dwPlatformId) + " version=" + std::to_string(info.dwMajorVersion) +
              "." + std::to_string(info.dwMinorVersion));
  };
  // Between tests: no window of ours and no program we started is left.
  table["reset"] = [](HostState& host, const Args&) {
    Activate(host.home.Find("home"), kActivateTimeoutMs);
    host.processes.KillAll();
    host.windows.DestroyAll();
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
