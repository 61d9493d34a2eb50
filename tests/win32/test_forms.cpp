// The form layer on real windows: fonts, separators, shapes and their
// stacking, the events each kind raises for a change by code and for the
// user's own (a real message), the keyboard, and a modal dialog.
#include "platform/win32/win32_api.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/forms/form.h"
#include "platform/forms/layout.h"
#include "platform/win32/win32_form_ui.h"
#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_os.h"
#include "tests/win32/layout_form.h"
#include "tests/win32/win_test_support.h"

namespace {

using forms::ControlKind;
using platform::win32::ToHwnd;

class FormsOnWindows : public ::testing::Test {
 protected:
  HWND Window(const forms::Control& control) const { return ToHwnd(control.hWnd()); }
  HWND Window(const char* name, int index = -1) const { return ToHwnd(form.Item(name, index).hWnd()); }
  // Whether upper lies above lower among their siblings.
  static bool Above(HWND upper, HWND lower) {
    for (HWND below = ::GetWindow(upper, GW_HWNDNEXT); below; below = ::GetWindow(below, GW_HWNDNEXT))
      if (below == lower) return true;
    return false;
  }
  // The control whose window has the focus, by name, for messages.
  std::string Focused() {
    const platform::WindowHandle focus = os.GetFocus();
    for (forms::Control* control : form.Controls())
      if (control->hWnd() == focus && focus != 0) return control->Name() + "(" + std::to_string(control->Index()) + ")";
    return focus == form.hWnd() ? "the form" : "another window";
  }
  static LOGFONTA FontOf(HWND hwnd) {
    LOGFONTA font{};
    ::GetObjectA(reinterpret_cast<HFONT>(::SendMessageA(hwnd, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font;
  }
  void Count(forms::Event<>& event, const std::string& name) {
    event.Handle([this, name] { events.push_back(name); });
  }
  // Runs the program's own message loop (the one that handles the keyboard)
  // for a number of ticks of the form's timer.
  void RunTicks(int ticks) {
    int seen = 0;
    auto tick = form["tmrTick"].Timer.Connect([&seen] { ++seen; });
    ui.RunMessageLoop([&] { return seen < ticks; });
  }
  // Makes the form the active window, as the user's click would.
  bool Activate() {
    form.Show();
    ::SetForegroundWindow(ToHwnd(form.hWnd()));
    return wintest::WaitUntil([&] { return ::GetActiveWindow() == ToHwnd(form.hWnd()); }, std::chrono::seconds(5));
  }
  // A key press as the keyboard delivers it to the focused window, with the
  // Ctrl and Shift state the dialog manager reads.
  void PressKey(WPARAM key, bool ctrl = false, bool shift = false) {
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    keys[VK_CONTROL] = ctrl ? 0x80 : 0;
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    ::SetKeyboardState(keys);
    ::PostMessageA(::GetFocus(), WM_KEYDOWN, key, 1);
    RunTicks(2);
    keys[VK_CONTROL] = keys[VK_SHIFT] = 0;
    ::SetKeyboardState(keys);
  }

  platform::win32::Win32Ui ui{::GetModuleHandleA(nullptr), "Tarvolo tests"};
  forms::Form form{ui, wintest::LayoutForm()};
  Win32Os os;
  std::vector<std::string> events;
};

TEST_F(FormsOnWindows, LabelsTakeTheirFontSeparatorsAreEtchedAndShapesAreStackedAboveWhatHoldsThem) {
  form.Load();
  EXPECT_GE(FontOf(Window("lblKeyState")).lfWeight, FW_BOLD);
  EXPECT_FALSE(FontOf(Window("lblKeyState")).lfUnderline);
  EXPECT_TRUE(FontOf(Window("lblFilterText")).lfUnderline);
  EXPECT_LT(FontOf(Window("txtFilter")).lfWeight, FW_BOLD);
  // A style set by code reaches the window, from the same cache.
  form["lblCapsLockStat"].SetFontBold(true);
  EXPECT_EQ(::SendMessageA(Window("lblCapsLockStat"), WM_GETFONT, 0, 0),
            ::SendMessageA(Window("lblKeyState"), WM_GETFONT, 0, 0));
  EXPECT_GT(form["lblKeyState"].TextWidth("Caps Lock"), form["lblNumLockStat"].TextWidth("Caps Lock"));
  EXPECT_EQ(form["lblNumLockStat"].TextWidth("Caps Lock"), form.TextWidth("Caps Lock"));

  const LONG lineStyle = ::GetWindowLongA(Window("linTop"), GWL_STYLE);
  EXPECT_EQ(lineStyle & SS_TYPEMASK, SS_ETCHEDHORZ);
  RECT line{};
  ::GetClientRect(Window("linTop"), &line);
  EXPECT_EQ(line.right, 5700 / ui.TwipsPerPixelX());

  HWND lamp = Window("shpCapsLockStat");
  ASSERT_NE(lamp, nullptr);
  EXPECT_EQ(::GetParent(lamp), ToHwnd(form.hWnd()));
  EXPECT_TRUE(Above(lamp, Window("fraCapsLock")));
  EXPECT_TRUE(Above(Window("fraCapsLock"), Window("mstPage")));
  EXPECT_TRUE(Above(Window("lblAWTitle", 2), Window("lblAWTitle", 1)));
  EXPECT_TRUE(Above(Window("lblAWTitle", 1), Window("lblAWTitle", 0)));
  // Tab stops keep the description's order.
  EXPECT_TRUE(Above(Window("txtFilter"), Window("chkTitle")));
  EXPECT_TRUE(Above(Window("cmdOK"), Window("cmdCancel")));
  // The lamp lets the mouse through to its frame, which takes it.
  EXPECT_EQ(::SendMessageA(lamp, WM_NCHITTEST, 0, 0), HTTRANSPARENT);
  EXPECT_EQ(::SendMessageA(Window("fraCapsLock"), WM_NCHITTEST, 0, 0), HTCLIENT);
  // Only the page shown shows.
  EXPECT_TRUE(::GetWindowLongA(lamp, GWL_STYLE) & WS_VISIBLE);
  EXPECT_FALSE(::GetWindowLongA(Window("txtFilter"), GWL_STYLE) & WS_VISIBLE);
}

TEST_F(FormsOnWindows, EachKindRaisesItsEventOnceForAChangeByCodeAndOnceForTheUsersOwn) {
  form.Load();
  HWND hwnd = ToHwnd(form.hWnd());
  Count(form["chkTitle"].Click, "check");
  Count(form.Item("optMode", 1).Click, "option");
  Count(form["txtFilter"].Change, "text");
  Count(form["cboAction"].Click, "combo");
  Count(form["cmdOK"].Click, "button");
  Count(form["lblCapsLockStat"].Click, "label");
  Count(form["lblCapsLockStat"].DblClick, "label double");
  Count(form["fraCapsLock"].DblClick, "frame double");
  form["mstPage"].TabClick.Handle([this](int previous) { events.push_back("tab from " + std::to_string(previous)); });
  form.Item("lblAWTitle", 2).MouseUp.Handle([this](int button, int, double x, double) {
    events.push_back("up " + std::to_string(button) + " at " + std::to_string(static_cast<int>(x)));
  });
  const auto expect = [this](std::vector<std::string> expected) {
    EXPECT_EQ(events, expected);
    events.clear();
  };

  form["chkTitle"].SetValue(1);
  ::SendMessageA(Window("chkTitle"), BM_CLICK, 0, 0);
  expect({"check", "check"});
  EXPECT_EQ(form["chkTitle"].Value(), 0);

  form.Item("optMode", 1).SetValue(1);
  form.Item("optMode", 0).SetValue(1);
  ::SendMessageA(Window("optMode", 1), BM_CLICK, 0, 0);
  expect({"option", "option"});

  form["txtFilter"].SetText("Note");
  ::SendMessageA(Window("txtFilter"), WM_CHAR, 'x', 1);
  expect({"text", "text"});
  EXPECT_EQ(form["txtFilter"].Text(), "xNote");

  form["cboAction"].SetListIndex(1);
  // The user's pick: the list selects, then tells its parent.
  ::SendMessageA(Window("cboAction"), CB_SETCURSEL, 2, 0);
  ::SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(Window("cboAction")), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(Window("cboAction")));
  expect({"combo", "combo"});
  EXPECT_EQ(form["cboAction"].ListIndex(), 2);

  form["mstPage"].SetTab(1);
  EXPECT_EQ(::SendMessageA(Window("mstPage"), TCM_GETCURSEL, 0, 0), 1);
  expect({"tab from 0"});

  ::SendMessageA(Window("cmdOK"), BM_CLICK, 0, 0);
  expect({"button"});

  form["mstPage"].SetTab(0);
  events.clear();
  HWND label = Window("lblCapsLockStat");
  ::SendMessageA(label, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  ::SendMessageA(label, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
  ::SendMessageA(label, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(3, 3));
  ::SendMessageA(label, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
  ::SendMessageA(Window("fraCapsLock"), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(3, 3));
  ::SendMessageA(Window("lblAWTitle", 2), WM_RBUTTONUP, 0, MAKELPARAM(4, 1));
  expect({"label", "label double", "label", "frame double", "up 2 at " + std::to_string(4 * ui.TwipsPerPixelX())});
}

TEST_F(FormsOnWindows, TabCtrlTabAndAccessKeysMoveAsUsersExpectAndGetFocusTellsWhere) {
  ASSERT_TRUE(Activate());
  std::vector<std::string> focus;
  form["txtFilter"].GotFocus.Handle([&] { focus.push_back("text got"); });
  form["txtFilter"].LostFocus.Handle([&] { focus.push_back("text lost"); });
  form["chkTitle"].GotFocus.Handle([&] { focus.push_back("check got"); });
  form["mstPage"].TabClick.Handle([this](int previous) { events.push_back("tab from " + std::to_string(previous)); });

  // Shown, the form gives the focus to its first Tab stop: with nothing to
  // focus on the page, the tab strip, which comes after what its pages hold.
  EXPECT_EQ(os.GetFocus(), form["mstPage"].hWnd()) << Focused();
  PressKey(VK_TAB, true);
  EXPECT_EQ(form["mstPage"].Tab(), 1);
  EXPECT_EQ(events, std::vector<std::string>{"tab from 0"});
  EXPECT_TRUE(::IsWindowVisible(Window("txtFilter")));
  EXPECT_FALSE(::IsWindowVisible(Window("shpCapsLockStat")));

  // Alt+F, the label's access key, reaches the text box after it.
  ::PostMessageA(::GetFocus(), WM_SYSCHAR, 'f', 1 << 29);
  RunTicks(2);
  EXPECT_EQ(os.GetFocus(), form["txtFilter"].hWnd());
  EXPECT_EQ(form.ActiveControl(), &form["txtFilter"]);
  PressKey(VK_TAB);
  EXPECT_EQ(os.GetFocus(), form["chkTitle"].hWnd());
  EXPECT_EQ(focus, (std::vector<std::string>{"text got", "text lost", "check got"}));
  PressKey(VK_TAB, false, true);
  EXPECT_EQ(os.GetFocus(), form["txtFilter"].hWnd());

  // Back to the first page: the focus leaves the hidden page for a control
  // of the page shown.
  PressKey(VK_TAB, true, true);
  EXPECT_EQ(form["mstPage"].Tab(), 0);
  EXPECT_NE(os.GetFocus(), form["txtFilter"].hWnd());
  EXPECT_TRUE(::IsWindowVisible(ToHwnd(os.GetFocus())));

  // Escape presses the cancel button.
  Count(form["cmdCancel"].Click, "cancel");
  events.clear();
  PressKey(VK_ESCAPE);
  EXPECT_EQ(events, std::vector<std::string>{"cancel"});
}

// A long list is put in past the control's subclass; the control must come
// out of it still reporting the user's focus, with the whole list.
TEST_F(FormsOnWindows, AComboBoxRefilledWithALongListKeepsItsEntriesAndItsEvents) {
  ASSERT_TRUE(Activate());
  forms::Control& list = form["cboAction"];
  PressKey(VK_TAB, true);  // its page
  std::vector<std::string> names;
  for (int i = 0; i < 30000; ++i) names.push_back("Setting " + std::to_string(i));
  list.SetItems(names);
  list.SetListIndex(29999);
  EXPECT_EQ(::SendMessageA(Window(list), CB_GETCOUNT, 0, 0), 30000);
  EXPECT_EQ(::SendMessageA(Window(list), CB_GETCURSEL, 0, 0), 29999);
  int got = 0;
  list.GotFocus.Handle([&] { ++got; });
  ::SetFocus(Window(list));
  RunTicks(1);
  EXPECT_EQ(got, 1);
}

TEST_F(FormsOnWindows, AModalDialogDisablesItsOwnerWhileTheOwnersTimerKeepsTicking) {
  forms::FormSpec dialogSpec{.Name = "frmDialog", .Caption = "Tarvolo dialog", .Rect = {0, 0, 3600, 1800},
                             .Border = forms::BorderStyle::FixedDialog, .ShowInTaskbar = false};
  dialogSpec.Controls = {
      {.Name = "txtName", .Kind = ControlKind::TextBox, .Rect = {120, 120, 3000, 315}},
      {.Name = "cmdOK", .Kind = ControlKind::CommandButton, .Caption = "OK", .Rect = {1200, 600, 1200, 375},
       .Default = true},
  };
  forms::Form dialog{ui, dialogSpec};
  dialog.Load();
  dialog["cmdOK"].Click.Handle([&] { dialog.Hide(); });
  form.Show();
  HWND owner = ToHwnd(form.hWnd());

  int ticks = 0;
  bool ownerUsable = true;
  HWND ownerOfDialog = nullptr;
  platform::WindowHandle focusInDialog = 0;
  form["tmrTick"].Timer.Handle([&] {
    if (!dialog.Visible()) return;
    ++ticks;
    if (ticks == 3) {
      ownerUsable = ::IsWindowEnabled(owner);
      ownerOfDialog = ::GetWindow(ToHwnd(dialog.hWnd()), GW_OWNER);
      focusInDialog = os.GetFocus();
      // Enter in the dialog presses its default button, which hides it.
      ::PostMessageA(::GetFocus(), WM_KEYDOWN, VK_RETURN, 1);
    }
    if (ticks == 200) dialog.Hide();  // the test has failed; end it
  });
  dialog.ShowModal(form);

  EXPECT_EQ(ticks, 3);
  EXPECT_FALSE(ownerUsable);
  EXPECT_EQ(ownerOfDialog, owner);
  EXPECT_EQ(focusInDialog, dialog["txtName"].hWnd());
  EXPECT_FALSE(dialog.Visible());
  EXPECT_TRUE(::IsWindowEnabled(owner));
  EXPECT_EQ(::GetWindow(ToHwnd(dialog.hWnd()), GW_OWNER), nullptr);
  // The owner can be unloaded now without taking the dialog's window along.
  form.Unload();
  EXPECT_TRUE(::IsWindow(ToHwnd(dialog.hWnd())));
}

// The program ends when its last form goes; a message box or input box that
// is up then (the user chose "Exit" from the tray meanwhile) must close with
// it rather than keep the ended program alive.
TEST_F(FormsOnWindows, BoxesStillUpWhenTheLastFormGoesCloseWithIt) {
  static bool gaveUp;
  gaveUp = false;
  // Should the box stay, this ends the test instead of hanging it.
  const auto giveUp = [](HWND, UINT, UINT_PTR, DWORD) {
    gaveUp = true;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND hwnd, LPARAM) -> BOOL {
          ::EndDialog(hwnd, IDABORT);
          return TRUE;
        },
        0);
  };
  // Then Windows ends the session while a box is up and the form stays:
  // the box closes all the same, and no box opens after.
  for (const bool sessionEnds : {false, true}) {
    for (const bool inputBox : {false, true}) {
      SCOPED_TRACE(std::to_string(sessionEnds) + std::to_string(inputBox));
      if (!form.Loaded()) form.Load();
      int ticks = 0;
      auto tick = form["tmrTick"].Timer.Connect([&] {
        if (++ticks != 2) return;
        if (sessionEnds)
          ui.SessionEnding();
        else
          form.Unload();
      });
      const UINT_PTR timer = ::SetTimer(nullptr, 0, 10000, giveUp);
      if (inputBox)
        EXPECT_EQ(ui.InputBox("Enter Name for New Setting", "Tarvolo tests", "typed"), "");
      else
        ui.MsgBox("That name is already being used.", forms::kMbExclamation, "Tarvolo tests");
      ::KillTimer(nullptr, timer);
      EXPECT_FALSE(gaveUp);
      EXPECT_EQ(form.Loaded(), sessionEnds);
    }
  }
  const UINT_PTR timer = ::SetTimer(nullptr, 0, 10000, giveUp);
  EXPECT_EQ(ui.MsgBox("Save?", forms::kMbOkCancel, "Tarvolo tests"), forms::kMbAnswerCancel);
  ::KillTimer(nullptr, timer);
  EXPECT_FALSE(gaveUp) << "no box opens once the session ends";
  form.Unload();
}

TEST_F(FormsOnWindows, SystemMetricsAndTheBeepComeFromWindows) {
  EXPECT_EQ(os.GetSystemMetrics(platform::kSmCyCaption), ::GetSystemMetrics(SM_CYCAPTION));
  EXPECT_GT(os.GetSystemMetrics(platform::kSmCxFrame), 0);
  EXPECT_GT(os.GetSystemMetrics(platform::kSmCyMenu), 0);
  EXPECT_TRUE(os.MessageBeep(0));
}

}  // namespace
