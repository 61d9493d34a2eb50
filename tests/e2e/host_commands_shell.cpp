// The notification area, the pop-up menu, the input box and the end of the
// session: icons, waiticons, trayprune, trayclick, traydelete,
// taskbarcreated, waittip, waitballoon, menu, inputbox, msgbox, answer,
// endsession.
//
// Wine gives every tray icon a window of its own; a mouse message posted to
// that window is passed on to the icon's owner with the owner's callback
// message, exactly as a click on the icon would be. The icon's tip and its
// balloon are tool-tip windows owned by that window.
#include "tests/e2e/host_commands.h"

#include <commctrl.h>
#include <shellapi.h>

namespace e2e {
namespace {

constexpr UINT kTrayIconId = 1;

std::vector<HWND> TrayIcons() {
  std::vector<HWND> icons;
  for (HWND top : TopLevelWindows()) {
    std::vector<HWND> windows = Children(top);
    windows.push_back(top);
    // Wine 8 keeps the icons in its X11 driver's stand-alone tray; later
    // versions moved them into explorer's Shell_TrayWnd.
    for (HWND hwnd : windows)
      if (WindowClass(hwnd) == "__winex11_tray_icon" || WindowClass(hwnd) == "__wine_tray_icon") icons.push_back(hwnd);
  }
  return icons;
}

std::string IconCount() { return std::to_string(TrayIcons().size()); }

// Takes the process's icon out of the tray behind its back, as a restarting
// shell loses every icon: through whichever of its windows (top-level, child
// or message-only) owns it, since the shell knows an icon by its owner.
bool DeleteTrayIcon(DWORD pid) {
  std::vector<HWND> windows;
  for (HWND top : TopLevelWindowsOf(pid, false)) {
    windows.push_back(top);
    for (HWND child : Children(top)) windows.push_back(child);
  }
  for (HWND hwnd = ::FindWindowExA(HWND_MESSAGE, nullptr, nullptr, nullptr); hwnd != nullptr;
       hwnd = ::FindWindowExA(HWND_MESSAGE, hwnd, nullptr, nullptr))
    if (WindowProcess(hwnd) == pid) windows.push_back(hwnd);
  for (HWND hwnd : windows) {
    NOTIFYICONDATAA data{};
    data.cbSize = sizeof data;
    data.hWnd = hwnd;
    data.uID = kTrayIconId;
    if (::Shell_NotifyIconA(NIM_DELETE, &data)) return true;
  }
  return false;
}

// The tool-tip windows that may hold the icon's tip, or its balloon
// (TTS_BALLOON, shown): made for the icon's window, they belong to its
// top-level window.
std::vector<HWND> IconToolTips(HWND icon, bool balloon) {
  std::vector<HWND> tips;
  for (HWND hwnd : TopLevelWindows())
    if (WindowClass(hwnd) == "tooltips_class32" && ::GetWindow(hwnd, GW_OWNER) == ::GetAncestor(icon, GA_ROOT) &&
        ((::GetWindowLongW(hwnd, GWL_STYLE) & TTS_BALLOON) != 0) == balloon && (!balloon || ::IsWindowVisible(hwnd)))
      tips.push_back(hwnd);
  return tips;
}

// The text of the tool-tip's tool for the icon window. The tool-tip lives in
// the shell's process: the request and the text go through memory there.
bool ToolTipText(HWND tip, HWND icon, std::string& text) {
  DWORD pid = 0;
  ::GetWindowThreadProcessId(tip, &pid);
  OwnedHandle process(::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid));
  if (!process.valid()) return false;
  constexpr std::size_t kChars = 1024;  // the most a tool-tip copies out
  auto* remote = static_cast<char*>(
      ::VirtualAllocEx(process.get(), nullptr, sizeof(TTTOOLINFOW) + kChars * 2, MEM_COMMIT, PAGE_READWRITE));
  if (remote == nullptr) return false;
  TTTOOLINFOW info{};
  info.cbSize = sizeof info;
  info.hwnd = icon;
  info.uId = reinterpret_cast<UINT_PTR>(icon);
  info.lpszText = reinterpret_cast<wchar_t*>(remote + sizeof info);
  std::wstring wide(kChars, L'\0');
  const bool done =
      ::WriteProcessMemory(process.get(), remote, &info, sizeof info, nullptr) &&
      ::WriteProcessMemory(process.get(), remote + sizeof info, wide.data(), 2, nullptr) &&
      Send(tip, TTM_GETTEXTW, kChars, reinterpret_cast<LPARAM>(remote)) &&
      ::ReadProcessMemory(process.get(), remote + sizeof info, wide.data(), kChars * 2, nullptr);
  ::VirtualFreeEx(process.get(), remote, 0, MEM_RELEASE);
  if (!done) return false;
  wide.resize(wide.find(L'\0') == std::wstring::npos ? kChars : wide.find(L'\0'));
  text = Narrow(wide);
  return true;
}

// The text of the only icon's tip or balloon; empty when there is none.
std::string IconText(bool balloon) {
  const std::vector<HWND> icons = TrayIcons();
  std::string text;
  if (icons.size() != 1) return text;
  for (HWND tip : IconToolTips(icons.front(), balloon))
    if (ToolTipText(tip, icons.front(), text) && !text.empty()) return text;
  return {};
}

HWND FindButton(HWND dialog, const std::string& caption) { return FindControl(dialog, "Button", caption, false); }

HWND FindInputBox(DWORD pid) { return FindProcessWindow(pid, "", 1); }

}  // namespace

void AddShellCommands(CommandTable& table) {
  table["waiticons"] = [](HostState&, const Args& a) {
    const auto wanted = static_cast<std::size_t>(a.Int(1));
    const bool done = WaitUntil([&] { return TrayIcons().size() == wanted; }, a.Int(2), kSlowPollMs);
    return done ? Ok(IconCount()) : Fail(IconCount());
  };
  // Moves the mouse over every icon: the shell then notices icons whose owner
  // window is gone (a program that was killed) and drops them.
  table["trayprune"] = [](HostState&, const Args&) {
    for (HWND icon : TrayIcons()) ::PostMessageA(icon, WM_MOUSEMOVE, 0, MAKELPARAM(8, 8));
    PumpFor(300);
    return Ok(IconCount());
  };
  table["trayclick"] = [](HostState&, const Args& a) {
    const UINT message = a[1] == "ldbl" ? WM_LBUTTONDBLCLK : a[1] == "rup" ? WM_RBUTTONUP : 0;
    if (message == 0) return Fail("unknown mouse message " + a[1]);
    const std::vector<HWND> icons = TrayIcons();
    if (icons.size() != 1) return Fail(std::to_string(icons.size()) + " icons");
    return ::PostMessageA(icons.front(), message, 0, MAKELPARAM(8, 8)) ? Ok() : Fail("not posted");
  };
  table["traydelete"] = [](HostState&, const Args& a) {
    return DeleteTrayIcon(a.Pid(1)) ? Ok() : Fail("no icon of that process");
  };
  // waittip MS TEXT: waits until the icon's tip reads TEXT; answers with the
  // tip as it is.
  table["waittip"] = [](HostState&, const Args& a) {
    std::string tip;
    const bool done = WaitUntil([&] { return (tip = IconText(false)) == a.Rest(2); }, a.Int(1), kSlowPollMs);
    return done ? Ok(tip) : Fail(tip.empty() ? "no tip" : tip);
  };
  // waitballoon MS: waits for the icon's balloon to show; answers with its text.
  table["waitballoon"] = [](HostState&, const Args& a) {
    std::string text;
    const bool done = WaitUntil([&] { return !(text = IconText(true)).empty(); }, a.Int(1), kSlowPollMs);
    return done ? Ok(text) : Fail("no balloon");
  };
  table["taskbarcreated"] = [](HostState&, const Args&) {
    const UINT message = ::RegisterWindowMessageA("TaskbarCreated");
    return message != 0 && ::PostMessageA(HWND_BROADCAST, message, 0, 0) ? Ok() : Fail("broadcast failed");
  };
  // menu PID MS DOWNS: the item reached by pressing Down that many times
  // (separators are skipped, as for a user), then Enter; 0 presses Escape.
  // The keys are posted to the menu window: the menu's own message loop takes
  // them from its thread's queue whichever window has the keyboard, and Wine
  // does not let another process read a menu's items.
  table["menu"] = [](HostState&, const Args& a) {
    HWND menu = nullptr;
    const auto find = [&] {
      for (HWND hwnd : TopLevelWindowsOf(a.Pid(1), true))
        if (WindowClass(hwnd) == "#32768") menu = hwnd;
      return menu != nullptr;
    };
    if (!WaitUntil(find, a.Int(2), kSlowPollMs)) return Fail("no menu");
    // Keys posted while Wine is still setting the menu up are now and then
    // dropped; then the menu stays open. Home makes the second try start
    // from the first item whatever was selected meanwhile.
    const int downs = a.Int(3);
    const auto choose = [&](bool again) {
      bool posted = !again || downs == 0 || ::PostMessageA(menu, WM_KEYDOWN, VK_HOME, 0);
      for (int i = again ? 1 : 0; i < downs; ++i) posted = posted && ::PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
      return posted && ::PostMessageA(menu, WM_KEYDOWN, downs > 0 ? VK_RETURN : VK_ESCAPE, 0);
    };
    if (!choose(false)) return Fail("menu went away");
    const auto closed = [&] { return !::IsWindow(menu) || !::IsWindowVisible(menu); };
    if (WaitUntil(closed, 3000, kSlowPollMs)) return Ok();
    choose(true);
    return WaitUntil(closed, 3000, kSlowPollMs) ? Ok("retried") : Fail("the menu ignored its keys twice");
  };
  // inputbox PID MS: waits for a dialog with a text field and describes it.
  table["inputbox"] = [](HostState&, const Args& a) {
    HWND dialog = nullptr;
    if (!WaitUntil([&] { return (dialog = FindInputBox(a.Pid(1))) != nullptr; }, a.Int(2), kSlowPollMs))
      return Fail("no input box");
    return Ok(Hex(dialog) + " ok=" + (FindButton(dialog, "OK") ? "1" : "0") + " cancel=" +
              (FindButton(dialog, "Cancel") ? "1" : "0") + " caption=" + WindowTitle(dialog) +
              "|prompt=" + StaticTexts(dialog));
  };
  // msgbox PID MS [OK|Cancel|-]: waits for a message box of the process,
  // answers with its text and presses the button (OK unless named; "-"
  // leaves the box up).
  table["msgbox"] = [](HostState&, const Args& a) {
    HWND box = nullptr;
    const auto find = [&] {
      for (HWND hwnd : TopLevelWindowsOf(a.Pid(1), true))
        if (WindowClass(hwnd) == "#32770" && FindProcessWindow(a.Pid(1), WindowTitle(hwnd), 0) == hwnd &&
            FindButton(hwnd, "OK") != nullptr)
          box = hwnd;
      return box != nullptr;
    };
    if (!WaitUntil(find, a.Int(2), kSlowPollMs)) return Fail("no message box");
    // Its line breaks become spaces as the answer goes out.
    const std::string text = StaticTexts(box);
    const std::string button = a[3].empty() ? "OK" : a[3];
    if (button == "-") return Ok(text);
    HWND pressed = FindButton(box, button);
    return pressed != nullptr && ::PostMessageA(pressed, BM_CLICK, 0, 0) ? Ok(text)
                                                                       : Fail("could not press " + button);
  };
  // answer PID ok|cancel TEXT: TEXT typed into the text field, then OK; or
  // Cancel. The click is posted: it ends the dialog's loop, and nothing here
  // needs its answer.
  table["answer"] = [](HostState&, const Args& a) {
    HWND dialog = FindInputBox(a.Pid(1));
    if (dialog == nullptr) return Fail("no input box");
    const bool ok = a[2] == "ok";
    HWND button = FindButton(dialog, ok ? "OK" : "Cancel");
    HWND edit = ::FindWindowExA(dialog, nullptr, "Edit", nullptr);
    const std::string text = a.Raw(3);
    if (button == nullptr || (ok && !Send(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Widen(text).c_str()))))
      return Fail("could not answer");
    return ::PostMessageA(button, BM_CLICK, 0, 0) ? Ok() : Fail("could not answer");
  };
  // endsession PID logoff|shutdown: WM_QUERYENDSESSION to every top-level
  // window of the process, then WM_ENDSESSION, as Windows does. Windows may
  // end the process as soon as WM_ENDSESSION has been answered, so whatever
  // the program must save is saved by the time this answers.
  table["endsession"] = [](HostState&, const Args& a) {
    const LPARAM reason = a[2] == "logoff" ? ENDSESSION_LOGOFF : 0;
    const std::vector<HWND> windows = TopLevelWindowsOf(a.Pid(1), false);
    bool answered = true;
    int agreed = 0;
    for (HWND hwnd : windows) {
      DWORD_PTR answer = 0;
      if (Send(hwnd, WM_QUERYENDSESSION, 0, reason, &answer))
        agreed += answer != 0;
      else
        answered = answered && !::IsWindow(hwnd);
    }
    for (HWND hwnd : windows)
      if (!Send(hwnd, WM_ENDSESSION, TRUE, reason)) answered = answered && !::IsWindow(hwnd);
    if (!answered) return Fail("a window did not answer");
    return Ok(std::to_string(agreed) + " of " + std::to_string(windows.size()));
  };
}

}  // namespace e2e
