// "Always On Top" on a real window: HWND_TOPMOST and HWND_NOTOPMOST are
// negative handles that must reach SetWindowPos sign-extended.
#include "platform/win32/win32_api.h"

#include <gtest/gtest.h>

#include "platform/win32/win32_desktop.h"
#include "platform/win32/win32_handles.h"
#include "store/desktop.h"
#include "win_test_support.h"

namespace {

TEST(SetTopmost, MovesARealWindowIntoAndOutOfTheTopmostBand) {
  wintest::TestWindow window("Tarvolo topmost test");
  Win32Desktop desktop;
  const auto topmost = [&] { return (::GetWindowLongA(window.get(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; };
  SetTopmost(desktop, platform::win32::FromHwnd(window.get()), true);
  EXPECT_TRUE(topmost());
  SetTopmost(desktop, platform::win32::FromHwnd(window.get()), false);
  EXPECT_FALSE(topmost());
}

}  // namespace
