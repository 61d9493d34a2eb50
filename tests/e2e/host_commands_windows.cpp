// make, activate, activate-hwnd, foreground, waitwin, childtext,
// waitgone.
#include <iterator>

#include "tests/e2e/host_commands.h"

namespace e2e {

namespace {
// PID CLASS WHICH: the program's window in front (an input box, a dialog),
// else an input box of its, else its shown form; in it, the shown control of
// the class whose text is WHICH, or the Nth one for #N.
HWND FindShownControl(const Args& a) {
  HWND form = ::GetForegroundWindow();
  if (form == nullptr || WindowProcess(form) != a.Pid(1)) form = FindProcessWindow(a.Pid(1), "", 1);
  if (form == nullptr) form = FindProcessWindow(a.Pid(1), "", 2);
  return form != nullptr ? FindControl(form, a[2], a.Rest(3), true) : nullptr;
}

std::string Describe(HWND hwnd) { return Hex(hwnd) + " " + WindowTitle(hwnd); }

std::string ForegroundDescription() {
  HWND fg = ::GetForegroundWindow();
  return Hex(fg) + " pid=" + std::to_string(WindowProcess(fg)) + " title=" + WindowTitle(fg);
}

std::string ActivateAnswer(HWND hwnd) {
  if (hwnd == nullptr) return Fail("no such window");
  if (!Activate(hwnd, kActivateTimeoutMs)) return Fail("foreground is " + ForegroundDescription());
  return Ok(Hex(hwnd));
}

// PID EDIT MS PREFIX: whether, within MS, such a window is shown (or, with
// shown false, no longer is); found is the last one seen. EDIT: 1 with a
// text field (an input box), 0 without, "form" one of the program's forms,
// "any".
bool WaitForWindow(const Args& a, bool shown, HWND& found) {
  const int withEdit = a[2] == "any" ? -1 : a[2] == "form" ? 2 : a.Int(2);
  return WaitUntil([&] { return ((found = FindProcessWindow(a.Pid(1), a.Rest(4), withEdit)) != nullptr) == shown; },
                   a.Int(3), kSlowPollMs);
}

}  // namespace

void AddWindowCommands(CommandTable& table) {
  table["make"] = [](HostState& host, const Args& a) {
    HWND owner = a[2] == "-" ? nullptr : host.Window(a[2]);
    if (a[2] != "-" && owner == nullptr) return Fail("no owner " + a[2]);
    if (HWND old = host.Window(a[1])) ::DestroyWindow(old);
    HWND hwnd = MakeWindow(a.Rest(3), owner, static_cast<int>(host.windows.size()));
    if (hwnd == nullptr) return Fail("could not make " + a[1]);
    host.windows[a[1]] = hwnd;
    return Ok(Hex(hwnd));
  };
  table["activate"] = [](HostState& host, const Args& a) { return ActivateAnswer(host.Window(a[1])); };
  table["activate-hwnd"] = [](HostState&, const Args& a) { return ActivateAnswer(ParseHwnd(a[1])); };
  table["foreground"] = [](HostState&, const Args&) { return Ok(ForegroundDescription()); };
  table["waitwin"] = [](HostState&, const Args& a) {
    HWND found = nullptr;
    return WaitForWindow(a, true, found) ? Ok(Describe(found)) : Fail("no window");
  };
  // childtext PID CLASS WHICH: "ok LEFT TOP WIDTH HEIGHT TEXT" of a shown
  // control of the program's input box or shown form (WHICH is its text, or
  // #N for the Nth shown one of the class): its client area on the screen,
  // for a real mouse click or a screenshot there, and the text it holds.
  table["childtext"] = [](HostState&, const Args& a) {
    HWND child = FindShownControl(a);
    if (child == nullptr) return Fail("no such control");
    RECT r{};
    ::GetClientRect(child, &r);
    POINT origin{0, 0};
    ::ClientToScreen(child, &origin);
    wchar_t text[512] = L"";
    Send(child, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text));
    return Ok(std::to_string(origin.x) + " " + std::to_string(origin.y) + " " + std::to_string(r.right) + " " +
              std::to_string(r.bottom) + " " + Narrow(text));
  };
  table["waitgone"] = [](HostState&, const Args& a) {
    HWND found = nullptr;
    return WaitForWindow(a, false, found) ? Ok() : Fail(Describe(found));
  };
}

}  // namespace e2e
