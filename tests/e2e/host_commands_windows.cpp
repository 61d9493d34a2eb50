// make, destroy, activate, activate-hwnd, activate-pid, foreground, watchfg,
// waitwin, nowin, waitgone, close-hwnd.
#include "tests/e2e/host_commands.h"
#include "tests/e2e/host_support.h"

namespace e2e {
namespace {

std::string ForegroundDescription() {
  HWND fg = ::GetForegroundWindow();
  return Hex(fg) + " pid=" + std::to_string(WindowProcess(fg)) + " title=" + WindowTitle(fg);
}

std::string ActivateAnswer(HWND hwnd) {
  if (hwnd == nullptr) return Fail("no such window");
  if (!Activate(hwnd, kActivateTimeoutMs)) return Fail("foreground is " + ForegroundDescription());
  return Ok(Hex(hwnd));
}

std::string Describe(HWND hwnd) { return Hex(hwnd) + " " + WindowTitle(hwnd); }

// waitwin / nowin PID EDIT MS PREFIX: whether such a window shows up in time.
bool WindowAppears(const Args& a, HWND& found) {
  const DWORD pid = a.Pid(1);
  const int withEdit = a.EditChoice(2);
  const std::string prefix = a.Rest(4);
  return WaitUntil(
      [&] {
        found = FindProcessWindow(pid, prefix, withEdit);
        return found != nullptr;
      },
      a.Int(3), kSlowPollMs);
}

}  // namespace

void AddWindowCommands(CommandTable& table) {
  table["make"] = [](HostState& host, const Args& a) {
    const std::string owner = a[2] == "-" ? std::string() : a[2];
    HWND hwnd = host.windows.Make(a[1], owner, a.Rest(3));
    return hwnd != nullptr ? Ok(Hex(hwnd)) : Fail("could not make " + a[1]);
  };
  table["destroy"] = [](HostState& host, const Args& a) {
    return host.windows.Destroy(a[1]) ? Ok() : Fail("no window " + a[1]);
  };
  table["activate"] = [](HostState& host, const Args& a) { return ActivateAnswer(host.windows.Find(a[1])); };
  table["activate-hwnd"] = [](HostState&, const Args& a) { return ActivateAnswer(ParseHwnd(a[1])); };
  table["activate-pid"] = [](HostState&, const Args& a) {
    const auto windows = TopLevelWindowsOfProcess(a.Pid(1), true);
    return ActivateAnswer(windows.empty() ? nullptr : windows.front());
  };
  table["foreground"] = [](HostState&, const Args&) { return Ok(ForegroundDescription()); };
  // watchfg MS: every foreground window seen meanwhile, in order.
  table["watchfg"] = [](HostState&, const Args& a) {
    std::string seen;
    HWND last = reinterpret_cast<HWND>(-1);
    WaitUntil(
        [&] {
          HWND fg = ::GetForegroundWindow();
          if (fg != last) {
            seen += ' ';
            seen += Describe(fg);
          }
          last = fg;
          return false;
        },
        a.Int(1));
    return Ok(seen.empty() ? std::string() : seen.substr(1));
  };
  table["waitwin"] = [](HostState&, const Args& a) {
    HWND found = nullptr;
    return WindowAppears(a, found) ? Ok(Describe(found)) : Fail("no window");
  };
  table["nowin"] = [](HostState&, const Args& a) {
    HWND found = nullptr;
    return WindowAppears(a, found) ? Fail(Describe(found)) : Ok();
  };
  // waitgone PID EDIT MS PREFIX: until no such window is shown.
  table["waitgone"] = [](HostState&, const Args& a) {
    HWND found = nullptr;
    const bool gone = WaitUntil(
        [&] {
          found = FindProcessWindow(a.Pid(1), a.Rest(4), a.EditChoice(2));
          return found == nullptr;
        },
        a.Int(3), kSlowPollMs);
    return gone ? Ok() : Fail(Describe(found));
  };
  table["close-hwnd"] = [](HostState&, const Args& a) {
    return ::PostMessageA(ParseHwnd(a[1]), WM_CLOSE, 0, 0) ? Ok() : Fail("no such window");
  };
}

}  // namespace e2e
