// The Win32 form layer against real windows: each change raises its event
// once, whether the program or the user made it; timers, the close and
// session messages, the tray callback window and the input box.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/forms/form.h"
#include "platform/win32/win32_form_ui.h"
#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_tray.h"
#include "tray/sys_tray.h"
#include "win_test_support.h"

namespace {

using forms::ControlKind;
using platform::win32::ToHwnd;

forms::FormSpec TestForm() {
  forms::FormSpec spec{.Name = "frmTest", .Caption = "Forms test", .Rect = {0, 0, 6000, 4000}, .ShowInTaskbar = false};
  spec.Controls = {
      {.Name = "chkOnTop", .Kind = ControlKind::CheckBox, .Caption = "On top", .Rect = {120, 120, 2000, 300}},
      {.Name = "optA", .Kind = ControlKind::OptionButton, .Caption = "A", .Rect = {120, 500, 1000, 300}},
      {.Name = "optB", .Kind = ControlKind::OptionButton, .Caption = "B", .Rect = {1200, 500, 1000, 300}},
      {.Name = "txtName", .Kind = ControlKind::TextBox, .Rect = {120, 900, 3000, 330}},
      {.Name = "cboList", .Kind = ControlKind::ComboBox, .Rect = {120, 1400, 3000, 330}, .Items = {"one", "two"}},
      {.Name = "tmrTick", .Kind = ControlKind::Timer, .Interval = 40},
  };
  return spec;
}

class Win32Forms : public ::testing::Test {
 protected:
  platform::win32::Win32Ui ui{::GetModuleHandleA(nullptr), "Tarvolo"};
  forms::Form form{ui, TestForm()};
};

TEST_F(Win32Forms, ChangesRaiseTheirEventOnceWhetherCodeOrTheUserMadeThem) {
  form.Show();
  int clicks = 0, changes = 0, picks = 0, optionB = 0;
  form["chkOnTop"].Click.Handle([&] { ++clicks; });
  form["txtName"].Change.Handle([&] { ++changes; });
  form["cboList"].Click.Handle([&] { ++picks; });
  form["optB"].Click.Handle([&] { ++optionB; });

  form["chkOnTop"].SetValue(1);
  wintest::PumpMessages();
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(::SendMessageA(ToHwnd(form["chkOnTop"].hWnd()), BM_GETCHECK, 0, 0), BST_CHECKED);
  ::SendMessageA(ToHwnd(form["chkOnTop"].hWnd()), BM_CLICK, 0, 0);  // the user
  wintest::PumpMessages();
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(form["chkOnTop"].Value(), 0);

  form["txtName"].SetText("from code");
  wintest::PumpMessages();
  EXPECT_EQ(changes, 1);
  ::SetWindowTextA(ToHwnd(form["txtName"].hWnd()), "typed");  // EN_CHANGE, as typing gives
  wintest::PumpMessages();
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(form["txtName"].Text(), "typed");

  form["cboList"].SetListIndex(1);
  wintest::PumpMessages();
  EXPECT_EQ(picks, 1);
  EXPECT_EQ(::SendMessageA(ToHwnd(form["cboList"].hWnd()), CB_GETCURSEL, 0, 0), 1);

  form["optA"].SetValue(1);
  ::SendMessageA(ToHwnd(form["optB"].hWnd()), BM_CLICK, 0, 0);
  wintest::PumpMessages();
  EXPECT_EQ(optionB, 1);
  EXPECT_EQ(form["optA"].Value(), 0);
  EXPECT_EQ(form["optB"].Value(), 1);
}

TEST_F(Win32Forms, ATimerTicksFromTheMessageLoopButNeverInsideItsOwnTick) {
  int ticks = 0, depth = 0, deepest = 0;
  form["tmrTick"].Timer.Handle([&] {
    ++ticks;
    deepest = std::max(deepest, ++depth);
    ::Sleep(100);
    wintest::PumpMessages();  // the timer is due again in here
    --depth;
  });
  form.Load();
  EXPECT_TRUE(wintest::WaitUntil([&] { return ticks >= 3; }, std::chrono::seconds(5)));
  EXPECT_EQ(deepest, 1);
  form["tmrTick"].SetEnabled(false);
  const int stopped = ticks;
  ::Sleep(200);
  wintest::PumpMessages();
  EXPECT_EQ(ticks, stopped);
}

TEST_F(Win32Forms, AHiddenFormMinimizedStaysHiddenAndResizesOnce) {
  form.Load();
  int resizes = 0;
  form.Resize.Handle([&] { ++resizes; });
  form.SetWindowState(forms::WindowState::Minimized);
  wintest::PumpMessages();
  EXPECT_EQ(resizes, 1);
  EXPECT_FALSE(::IsWindowVisible(ToHwnd(form.hWnd())));
}

TEST_F(Win32Forms, TheCloseBoxAndTheEndOfTheSessionUnloadTheForm) {
  form.Show();
  forms::UnloadMode mode = forms::UnloadMode::FormCode;
  form.QueryUnload.Handle([&](int&, forms::UnloadMode m) { mode = m; });
  ::SendMessageA(ToHwnd(form.hWnd()), WM_CLOSE, 0, 0);
  EXPECT_FALSE(form.Loaded());
  EXPECT_EQ(mode, forms::UnloadMode::FormControlMenu);

  form.Load();
  int asked = 0;
  form.QueryEndSession.Handle([&] { ++asked; });
  EXPECT_TRUE(::SendMessageA(ToHwnd(form.hWnd()), WM_QUERYENDSESSION, 0, 0));
  EXPECT_EQ(asked, 1);
  EXPECT_TRUE(form.Loaded());
  ::SendMessageA(ToHwnd(form.hWnd()), WM_ENDSESSION, TRUE, 0);
  EXPECT_FALSE(form.Loaded());
  EXPECT_EQ(mode, forms::UnloadMode::AppWindows);
}

TEST_F(Win32Forms, TheTrayCallbackWindowDecodesTheShellsMessagesAndHearsTheShellRestart) {
  form.Load();
  Win32Tray tray;
  clsSysTray component(tray, ui);
  component.SetSourceWindow(form);
  std::string heard;
  component.RButtonUp.Handle([&] { heard += "RButtonUp "; });
  component.LButtonDblClk.Handle([&] { heard += "LButtonDblClk "; });
  component.DefaultDblClk = false;
  HWND hook = ToHwnd(component.Record().hWnd);
  ASSERT_NE(hook, nullptr);
  EXPECT_FALSE(::IsWindowVisible(hook));
  ::SendMessageA(hook, WM_MOUSEMOVE, 1, WM_RBUTTONUP);
  ::SendMessageA(hook, WM_MOUSEMOVE, 1, WM_LBUTTONDBLCLK);
  EXPECT_EQ(heard, "RButtonUp LButtonDblClk ");

  int restarts = 0;
  form.ShellRestarted.Handle([&] { ++restarts; });
  ::SendMessageA(ToHwnd(form.hWnd()), ::RegisterWindowMessageA("TaskbarCreated"), 0, 0);
  EXPECT_EQ(restarts, 1);
}

TEST_F(Win32Forms, TheInputBoxGivesTheTextOnOkAndNothingOnCancel) {
  static std::string seenPrompt, seenTitle;
  static bool cancel = false;
  // Plays the user from inside the dialog's own message loop.
  auto answer = [](HWND, UINT, UINT_PTR id, DWORD) {
    HWND dialog = ::FindWindowA("#32770", "Tarvolo");
    if (!dialog) return;
    ::KillTimer(nullptr, id);
    char text[256] = "";
    ::GetDlgItemTextA(dialog, 100, text, sizeof text);
    seenPrompt = text;
    ::GetWindowTextA(dialog, text, sizeof text);
    seenTitle = text;
    ::SetDlgItemTextA(dialog, 101, "sEcReT");
    ::PostMessageA(dialog, WM_COMMAND, cancel ? IDCANCEL : IDOK, 0);
  };
  ::SetTimer(nullptr, 0, 50, answer);
  EXPECT_EQ(ui.InputBox("Enter Password", "Tarvolo", ""), "sEcReT");
  EXPECT_EQ(seenPrompt, "Enter Password");
  EXPECT_EQ(seenTitle, "Tarvolo");
  cancel = true;
  ::SetTimer(nullptr, 0, 50, answer);
  EXPECT_EQ(ui.InputBox("Enter Password", "Tarvolo", ""), "");
}

TEST(Win32Ui, TheFirstInstanceOfTheUserIsAloneAndTheFolderIsTheExecutables) {
  char path[MAX_PATH];
  ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder = path;
  folder.resize(folder.find_last_of('\\'));
  {
    platform::win32::Win32Ui first(::GetModuleHandleA(nullptr), "Tarvolo");
    EXPECT_FALSE(first.PrevInstance());
    EXPECT_EQ(first.AppPath(), folder);
    platform::win32::Win32Ui second(::GetModuleHandleA(nullptr), "Tarvolo");
    EXPECT_TRUE(second.PrevInstance());
  }
  platform::win32::Win32Ui again(::GetModuleHandleA(nullptr), "Tarvolo");
  EXPECT_FALSE(again.PrevInstance());
}

}  // namespace
