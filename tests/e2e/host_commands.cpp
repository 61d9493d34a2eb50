#include "tests/e2e/host_commands.h"

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <vector>

#include "tests/e2e/host_dialogs.h"
#include "tests/e2e/host_keys.h"
#include "tests/e2e/host_support.h"
#include "tests/e2e/host_tray.h"

namespace e2e {
namespace {

constexpr int kActivateTimeoutMs = 3000;
constexpr UINT kTrayIconId = 1;

// The words of a command line. Rest(n) is the text from the (n+1)-th word on,
// spaces inside it kept, for titles; Raw(n) is everything after the one space
// that follows the n-th word, so an answer may begin with a space.
class Args {
 public:
  explicit Args(const std::string& line) : line_(line) {
    std::size_t at = 0;
    for (;;) {
      at = line_.find_first_not_of(' ', at);
      if (at == std::string::npos) break;
      const std::size_t end = line_.find(' ', at);
      starts_.push_back(at);
      words_.push_back(line_.substr(at, end == std::string::npos ? std::string::npos : end - at));
      if (end == std::string::npos) break;
      at = end;
    }
  }
  std::size_t size() const { return words_.size(); }
  const std::string& operator[](std::size_t i) const {
    static const std::string empty;
    return i < words_.size() ? words_[i] : empty;
  }
  int Int(std::size_t i) const { return std::atoi((*this)[i].c_str()); }
  DWORD Pid(std::size_t i) const { return static_cast<DWORD>(std::strtoul((*this)[i].c_str(), nullptr, 10)); }
  std::string Rest(std::size_t n) const {
    if (n >= starts_.size()) return {};
    return line_.substr(starts_[n]);
  }
  std::string Raw(std::size_t n) const {
    if (n == 0 || n > starts_.size()) return {};
    const std::size_t after = starts_[n - 1] + words_[n - 1].size() + 1;
    return after < line_.size() ? line_.substr(after) : std::string();
  }

 private:
  std::string line_;
  std::vector<std::string> words_;
  std::vector<std::size_t> starts_;
};

std::string Ok(const std::string& detail = {}) { return detail.empty() ? "ok" : "ok " + detail; }
std::string Fail(const std::string& detail) { return "fail " + detail; }

std::string Ms(double ms) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", ms);
  return text;
}

std::string ForegroundDescription() {
  HWND fg = ::GetForegroundWindow();
  return Hex(fg) + " pid=" + std::to_string(WindowProcess(fg)) + " title=" + WindowTitle(fg);
}

std::string ActivateAnswer(HWND hwnd) {
  if (hwnd == nullptr) return Fail("no such window");
  if (!Activate(hwnd, kActivateTimeoutMs)) return Fail("foreground is " + ForegroundDescription());
  return Ok(Hex(hwnd));
}

UINT MouseMessage(const std::string& name) {
  static const std::map<std::string, UINT> messages = {
      {"ldown", WM_LBUTTONDOWN}, {"lup", WM_LBUTTONUP}, {"ldbl", WM_LBUTTONDBLCLK},
      {"rdown", WM_RBUTTONDOWN}, {"rup", WM_RBUTTONUP}, {"rdbl", WM_RBUTTONDBLCLK},
  };
  const auto it = messages.find(name);
  return it == messages.end() ? 0 : it->second;
}

std::string PidList(const std::vector<DWORD>& pids) {
  std::string text = std::to_string(pids.size());
  for (DWORD pid : pids) {
    text += ' ';
    text += std::to_string(pid);
  }
  return text;
}

}  // namespace

Host::Host() { home_.Make("home", "", "E2E host"); }

std::string Host::Run(const std::string& line, bool& quit) {
  const Args a(line);
  const std::string& command = a[0];

  // ---- the host's own windows and the foreground ----
  if (command == "make") {
    const std::string owner = a[2] == "-" ? std::string() : a[2];
    HWND hwnd = windows_.Make(a[1], owner, a.Rest(3));
    return hwnd != nullptr ? Ok(Hex(hwnd)) : Fail("could not make " + a[1]);
  }
  if (command == "destroy") return windows_.Destroy(a[1]) ? Ok() : Fail("no window " + a[1]);
  if (command == "activate") return ActivateAnswer(windows_.Find(a[1]));
  if (command == "activate-hwnd") return ActivateAnswer(ParseHwnd(a[1]));
  if (command == "activate-pid") {
    const auto windows = TopLevelWindowsOfProcess(a.Pid(1), true);
    return ActivateAnswer(windows.empty() ? nullptr : windows.front());
  }
  if (command == "foreground") return Ok(ForegroundDescription());
  if (command == "watchfg") {
    // watchfg MS: every foreground window seen meanwhile, in order.
    std::string seen;
    HWND last = reinterpret_cast<HWND>(-1);
    WaitUntil(
        [&] {
          HWND fg = ::GetForegroundWindow();
          if (fg != last) {
            seen += ' ';
            seen += Hex(fg);
            seen += '(';
            seen += WindowTitle(fg);
            seen += ')';
          }
          last = fg;
          return false;
        },
        a.Int(1));
    return Ok(seen.empty() ? std::string() : seen.substr(1));
  }

  // ---- lock keys ----
  if (command == "keys") return Ok(ReadLockKeys());
  if (command == "press") return PressLockKey(a[1]) ? Ok(ReadLockKeys()) : Fail("unknown key " + a[1]);
  if (command == "waitkeys" || command == "switch") {
    // switch NAME PATTERN TIMEOUT: the time from activating a window to its
    // keys being right. waitkeys PATTERN TIMEOUT: just the wait.
    const std::size_t p = command == "switch" ? 2 : 1;
    const std::string pattern = a[p];
    if (!IsKeyPattern(pattern)) return Fail("bad pattern " + pattern);
    const Stopwatch clock;
    if (command == "switch") {
      HWND hwnd = windows_.Find(a[1]);
      if (hwnd == nullptr || !Activate(hwnd, kActivateTimeoutMs)) return Fail("could not activate " + a[1]);
    }
    const bool matched = WaitUntil([&] { return KeysMatch(ReadLockKeys(), pattern); }, a.Int(p + 1));
    const std::string state = ReadLockKeys();
    return matched ? Ok(state + " " + Ms(clock.Ms())) : Fail(state + " after " + Ms(clock.Ms()) + " ms");
  }
  if (command == "setkeys") {
    // setkeys PATTERN: as a user would, pressing the keys that differ.
    if (!IsKeyPattern(a[1])) return Fail("bad pattern " + a[1]);
    PressTowards(a[1]);
    const bool matched = WaitUntil([&] { return KeysMatch(ReadLockKeys(), a[1]); }, 2000);
    return matched ? Ok(ReadLockKeys()) : Fail(ReadLockKeys());
  }
  if (command == "steady") {
    // The keys must keep matching the pattern for the whole time.
    const std::string pattern = a[1];
    if (!IsKeyPattern(pattern)) return Fail("bad pattern " + pattern);
    std::string seen;
    const bool left = WaitUntil(
        [&] {
          seen = ReadLockKeys();
          return !KeysMatch(seen, pattern);
        },
        a.Int(2), 5);
    return left ? Fail(seen) : Ok(seen);
  }

  // ---- processes ----
  if (command == "procs") return Ok(PidList(ProcessesNamed(a[1])));
  if (command == "waitprocs") {
    const std::size_t wanted = static_cast<std::size_t>(a.Int(2));
    const bool done = WaitUntil([&] { return ProcessesNamed(a[1]).size() == wanted; }, a.Int(3), kSlowPollMs);
    const std::string list = PidList(ProcessesNamed(a[1]));
    return done ? Ok(list) : Fail(list);
  }
  if (command == "spawn") {
    const DWORD pid = processes_.Spawn(a.Rest(1));
    return pid != 0 ? Ok(std::to_string(pid)) : Fail("could not start " + a.Rest(1));
  }
  if (command == "kill") return processes_.Kill(a.Pid(1)) ? Ok() : Fail("not started here");
  if (command == "waitexit") return WaitForExit(a.Pid(1), a.Int(2)) ? Ok() : Fail("still running");

  // ---- windows of other processes ----
  if (command == "waitgone") {
    // waitgone PID EDIT TIMEOUT PREFIX: until no such window is shown.
    const int withEdit = a[2] == "any" ? -1 : a.Int(2);
    HWND found = nullptr;
    const bool gone = WaitUntil(
        [&] {
          found = FindProcessWindow(a.Pid(1), a.Rest(4), withEdit);
          return found == nullptr;
        },
        a.Int(3), kSlowPollMs);
    return gone ? Ok() : Fail(Hex(found) + " " + WindowTitle(found));
  }
  if (command == "waitwin" || command == "nowin") {
    // waitwin PID EDIT TIMEOUT PREFIX / nowin PID EDIT MS PREFIX
    const DWORD pid = a.Pid(1);
    const int withEdit = a[2] == "any" ? -1 : a.Int(2);
    const std::string prefix = a.Rest(4);
    HWND found = nullptr;
    const bool appeared = WaitUntil(
        [&] {
          found = FindProcessWindow(pid, prefix, withEdit);
          return found != nullptr;
        },
        a.Int(3), kSlowPollMs);
    const std::string description = appeared ? Hex(found) + " " + WindowTitle(found) : std::string();
    if (command == "waitwin") return appeared ? Ok(description) : Fail("no window");
    return appeared ? Fail(description) : Ok();
  }
  if (command == "close-hwnd") {
    return ::PostMessageA(ParseHwnd(a[1]), WM_CLOSE, 0, 0) ? Ok() : Fail("no such window");
  }

  // ---- the notification area ----
  if (command == "icons") return Ok(std::to_string(TrayIconWindows().size()));
  if (command == "waiticons") {
    const std::size_t wanted = static_cast<std::size_t>(a.Int(1));
    const bool done = WaitUntil([&] { return TrayIconWindows().size() == wanted; }, a.Int(2), kSlowPollMs);
    const std::string count = std::to_string(TrayIconWindows().size());
    return done ? Ok(count) : Fail(count);
  }
  if (command == "trayprune") {
    PruneTrayIcons();
    PumpFor(300);
    return Ok(std::to_string(TrayIconWindows().size()));
  }
  if (command == "trayclick") {
    const UINT message = MouseMessage(a[1]);
    if (message == 0) return Fail("unknown mouse message " + a[1]);
    return ClickTrayIcon(message) ? Ok() : Fail(std::to_string(TrayIconWindows().size()) + " icons");
  }
  if (command == "trayowner") {
    HWND owner = TrayIconOwner(a.Pid(1), kTrayIconId);
    return owner != nullptr ? Ok(Hex(owner) + " " + WindowClass(owner)) : Fail("no icon of that process");
  }
  if (command == "traydelete") {
    HWND owner = TrayIconOwner(a.Pid(1), kTrayIconId);
    if (owner == nullptr) return Fail("no icon of that process");
    return DeleteTrayIcon(owner, kTrayIconId) ? Ok() : Fail("the shell refused");
  }
  if (command == "taskbarcreated") return BroadcastTaskbarCreated() ? Ok() : Fail("broadcast failed");

  // ---- menus, input boxes, the end of the session ----
  if (command == "menu") {
    // menu PID TIMEOUT DOWNS
    HWND menu = nullptr;
    if (!WaitUntil([&] { return (menu = FindPopupMenu(a.Pid(1))) != nullptr; }, a.Int(2), kSlowPollMs))
      return Fail("no menu");
    return ChooseMenuItem(menu, a.Int(3)) ? Ok() : Fail("menu went away");
  }
  if (command == "inputbox") {
    // inputbox PID TIMEOUT: waits for a dialog with a text field.
    HWND dialog = nullptr;
    if (!WaitUntil([&] { return (dialog = FindProcessWindow(a.Pid(1), "", 1)) != nullptr; }, a.Int(2),
                   kSlowPollMs))
      return Fail("no input box");
    const InputBoxFacts facts = DescribeInputBox(dialog);
    return Ok(Hex(dialog) + " ok=" + (facts.hasOk ? "1" : "0") + " cancel=" + (facts.hasCancel ? "1" : "0") +
              " caption=" + facts.caption + "|prompt=" + facts.prompt);
  }
  if (command == "answer") {
    // answer PID ok|cancel TEXT
    HWND dialog = FindProcessWindow(a.Pid(1), "", 1);
    if (dialog == nullptr) return Fail("no input box");
    return AnswerInputBox(dialog, a[2] == "ok", a.Raw(3)) ? Ok() : Fail("could not answer");
  }
  if (command == "endsession") {
    const EndSessionResult result = EndSession(a.Pid(1), a[2] == "logoff");
    if (!result.answered) return Fail("a window did not answer");
    return Ok(std::to_string(result.agreed) + " of " + std::to_string(result.windows));
  }

  // ---- the host itself ----
  if (command == "version") {
    // What Wine reports to programs: the family is the platform identifier.
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (!::GetVersionExA(&info)) return Fail("GetVersionExA failed");
    return Ok("platform=" + std::to_string(info.dwPlatformId) + " version=" + std::to_string(info.dwMajorVersion) +
              "." + std::to_string(info.dwMinorVersion));
  }
  if (command == "reset") {
    // Between tests: no window of ours and no program we started is left.
    Activate(home_.Find("home"), kActivateTimeoutMs);
    processes_.KillAll();
    windows_.DestroyAll();
    return Ok();
  }
  if (command == "sleep") {
    PumpFor(a.Int(1));
    return Ok();
  }
  if (command == "quit") {
    quit = true;
    return Ok();
  }
  return Fail("unknown command " + command);
}

}  // namespace e2e
