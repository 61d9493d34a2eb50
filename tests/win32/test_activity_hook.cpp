// The journal-record hook against the real API: installed or refused, the
// program goes on, and removing it always leaves no hook behind.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>

#include "platform/win32/win32_os.h"
#include "tests/win32/win_test_support.h"
#include "tray/activity_hook.h"

namespace {

TEST(ActivityHookOnWindows, InstalledOrRefusedTheProgramGoesOn) {
  Win32Os os;
  std::int32_t idleTicks = 9;
  bool screenSaverSeen = true;
  modKeyHook hook(os, idleTicks, screenSaverSeen);
  hook.InstallActivityHook();
  const bool installed = hook.Installed();
  std::printf("journal-record hook %s (error %lu)\n", installed ? "granted" : "refused", ::GetLastError());
  if (installed) {
    // Injected input is delivered once a window of ours has the focus.
    wintest::TestWindow window("activity");
    ::keybd_event(VK_SHIFT, 0, 0, 0);
    ::keybd_event(VK_SHIFT, 0, KEYEVENTF_KEYUP, 0);
    const bool seen = wintest::WaitUntil([&] { return idleTicks == 0; }, std::chrono::seconds(2));
    EXPECT_TRUE(seen) << "a key event counts as user activity";
    EXPECT_FALSE(screenSaverSeen);
    // Installing again replaces the hook rather than adding a second one.
    hook.InstallActivityHook();
    EXPECT_TRUE(hook.Installed());
  }
  hook.RemoveActivityHook();
  EXPECT_FALSE(hook.Installed());
  hook.RemoveActivityHook();
  EXPECT_FALSE(hook.Installed());
}

}  // namespace
