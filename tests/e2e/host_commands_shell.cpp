// The notification area, the pop-up menu, the input box and the end of the
// session: icons, waiticons, trayprune, trayclick, trayowner, traydelete,
// taskbarcreated, menu, inputbox, answer, endsession.
#include <map>

#include "tests/e2e/host_commands.h"
#include "tests/e2e/host_dialogs.h"
#include "tests/e2e/host_support.h"
#include "tests/e2e/host_tray.h"

namespace e2e {
namespace {

constexpr UINT kTrayIconId = 1;

UINT MouseMessage(const std::string& name) {
  static const std::map<std::string, UINT> messages = {
      {"ldown", WM_LBUTTONDOWN}, {"lup", WM_LBUTTONUP}, {"ldbl", WM_LBUTTONDBLCLK},
      {"rdown", WM_RBUTTONDOWN}, {"rup", WM_RBUTTONUP}, {"rdbl", WM_RBUTTONDBLCLK},
  };
  const auto it = messages.find(name);
  return it == messages.end() ? 0 : it->second;
}

std::string IconCount() { return std::to_string(TrayIconWindows().size()); }

}  // namespace

void AddShellCommands(CommandTable& table) {
  table["icons"] = [](HostState&, const Args&) { return Ok(IconCount()); };
  table["waiticons"] = [](HostState&, const Args& a) {
    const auto wanted = static_cast<std::size_t>(a.Int(1));
    const bool done = WaitUntil([&] { return TrayIconWindows().size() == wanted; }, a.Int(2), kSlowPollMs);
    return done ? Ok(IconCount()) : Fail(IconCount());
  };
  table["trayprune"] = [](HostState&, const Args&) {
    PruneTrayIcons();
    PumpFor(300);
    return Ok(IconCount());
  };
  table["trayclick"] = [](HostState&, const Args& a) {
    const UINT message = MouseMessage(a[1]);
    if (message == 0) return Fail("unknown mouse message " + a[1]);
    return ClickTrayIcon(message) ? Ok() : Fail(IconCount() + " icons");
  };
  table["trayowner"] = [](HostState&, const Args& a) {
    HWND owner = TrayIconOwner(a.Pid(1), kTrayIconId);
    return owner != nullptr ? Ok(Hex(owner) + " " + WindowClass(owner)) : Fail("no icon of that process");
  };
  table["traydelete"] = [](HostState&, const Args& a) {
    HWND owner = TrayIconOwner(a.Pid(1), kTrayIconId);
    if (owner == nullptr) return Fail("no icon of that process");
    return DeleteTrayIcon(owner, kTrayIconId) ? Ok() : Fail("the shell refused");
  };
  table["taskbarcreated"] = [](HostState&, const Args&) {
    return BroadcastTaskbarCreated() ? Ok() : Fail("broadcast failed");
  };
  // menu PID MS DOWNS
  table["menu"] = [](HostState&, const Args& a) {
    HWND menu = nullptr;
    if (!WaitUntil([&] { return (menu = FindPopupMenu(a.Pid(1))) != nullptr; }, a.Int(2), kSlowPollMs))
      return Fail("no menu");
    return ChooseMenuItem(menu, a.Int(3)) ? Ok() : Fail("menu went away");
  };
  // inputbox PID MS: waits for a dialog with a text field and describes it.
  table["inputbox"] = [](HostState&, const Args& a) {
    HWND dialog = nullptr;
    const bool shown = WaitUntil([&] { return (dialog = FindProcessWindow(a.Pid(1), "", 1)) != nullptr; },
                                 a.Int(2), kSlowPollMs);
    if (!shown) return Fail("no input box");
    const InputBoxFacts facts = DescribeInputBox(dialog);
    return Ok(Hex(dialog) + " ok=" + (facts.hasOk ? "1" : "0") + " cancel=" + (facts.hasCancel ? "1" : "0") +
              " caption=" + facts.caption + "|prompt=" + facts.prompt);
  };
  // answer PID ok|cancel TEXT
  table["answer"] = [](HostState&, const Args& a) {
    HWND dialog = FindProcessWindow(a.Pid(1), "", 1);
    if (dialog == nullptr) return Fail("no input box");
    return AnswerInputBox(dialog, a[2] == "ok", a.Raw(3)) ? Ok() : Fail("could not answer");
  };
  table["endsession"] = [](HostState&, const Args& a) {
    const EndSessionResult result = EndSession(a.Pid(1), a[2] == "logoff");
    if (!result.answered) return Fail("a window did not answer");
    return Ok(std::to_string(result.agreed) + " of " + std::to_string(result.windows));
  };
}

}  // namespace e2e
