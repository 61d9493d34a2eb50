// What brings a fast tick forward, against the real Win32 API: a form's
// message to itself, handed out by the message loop once, and a hot-key
// message reaching the form; the foreground event hook found in user32 at
// run time and given back.
#include <gtest/gtest.h>
#include "platform/win32/win32_api.h"

#include "monitor/foreground_hook.h"
#include "platform/forms/form.h"
#include "platform/win32/win32_form_ui.h"
#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_os.h"
#include "tests/win32/win_test_support.h"

namespace {

TEST(FormMessages, APostComesOnceFromTheMessageLoopAndGoesWithItsWindow) {
  platform::win32::Win32Ui ui(::GetModuleHandleA(nullptr), "Tarvolo");
  forms::Form form(ui, {.Name = "frmPost", .Caption = "Tarvolo post test", .Rect = {0, 0, 1800, 1200}});
  int posted = 0, hotkeys = 0;
  form.Posted.Handle([&] { ++posted; });
  form.Hotkey.Handle([&] { ++hotkeys; });
  form.Load();
  ASSERT_TRUE(form.Loaded());

  form.Post();
  form.Post();
  EXPECT_EQ(posted, 0) << "never inside the caller";
  wintest::PumpMessages();
  EXPECT_EQ(posted, 1) << "asked twice before it came: once";
  form.Post();
  wintest::PumpMessages();
  EXPECT_EQ(posted, 2);

  ::SendMessageA(platform::win32::ToHwnd(form.hWnd()), WM_HOTKEY, 0xC001, MAKELPARAM(MOD_CONTROL, 'U'));
  EXPECT_EQ(hotkeys, 1);

  form.Post();
  form.Unload();
  wintest::PumpMessages();
  EXPECT_EQ(posted, 2) << "the window went, and its message with it";
}

TEST(ForegroundHook, IsFoundInUser32AtRunTimeAndGivenBack) {
  Win32Os os;
  clsForegroundHook hook(os, [] {});
  ASSERT_TRUE(hook.Install()) << "user32 has SetWinEventHook";
  hook.Remove();
  EXPECT_FALSE(hook.Installed());

  const platform::WinEventHookHandle handle =
      os.SetWinEventHook(platform::kEventSystemForeground, platform::kEventSystemForeground,
                         [](std::uint32_t, platform::WindowHandle, std::int32_t, std::int32_t) {}, 0, 0,
                         platform::kWinEventOutOfContext | platform::kWinEventSkipOwnProcess);
  ASSERT_NE(handle, 0u);
  { platform::UniqueWinEventHook owned(os, handle); }
  EXPECT_FALSE(os.UnhookWinEvent(handle)) << "already given back";
}

}  // namespace
