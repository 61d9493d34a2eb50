// SetTopmost on real windows: into and out of the topmost band, and no change
// of place for a window that is not in it.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "platform/win32/win32_desktop.h"
#include "platform/win32/win32_handles.h"
#include "store/desktop.h"
#include "win_test_support.h"

namespace {

bool IsTopmost(HWND hwnd) { return (::GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

// The order of the given windows among all top-level windows, front first.
std::vector<HWND> OrderOf(const std::vector<HWND>& windows) {
  std::vector<HWND> order;
  for (HWND w = ::GetTopWindow(nullptr); w != nullptr; w = ::GetWindow(w, GW_HWNDNEXT))
    for (HWND mine : windows)
      if (w == mine) order.push_back(w);
  return order;
}

RECT RectOf(HWND hwnd) {
  RECT r{};
  ::GetWindowRect(hwnd, &r);
  return r;
}

TEST(SetTopmost, MovesAWindowIntoAndOutOfTheTopmostBandWithoutMovingOrSizingIt) {
  wintest::TestWindow window("Tarvolo topmost test");
  ASSERT_NE(window.get(), nullptr);
  Win32Desktop desktop;
  const platform::WindowHandle handle = platform::win32::FromHwnd(window.get());
  const RECT before = RectOf(window.get());

  SetTopmost(desktop, handle, true);
  wintest::PumpMessages();
  EXPECT_TRUE(IsTopmost(window.get()));
  SetTopmost(desktop, handle, false);
  wintest::PumpMessages();
  EXPECT_FALSE(IsTopmost(window.get()));

  const RECT after = RectOf(window.get());
  EXPECT_EQ(before.left, after.left);
  EXPECT_EQ(before.top, after.top);
  EXPECT_EQ(before.right, after.right);
  EXPECT_EQ(before.bottom, after.bottom);
}

TEST(SetTopmost, FalseOnAWindowThatIsNotTopmostLeavesItsPlace) {
  wintest::TestWindow back("Tarvolo order test back");
  wintest::TestWindow front("Tarvolo order test front");
  ASSERT_NE(back.get(), nullptr);
  ASSERT_NE(front.get(), nullptr);
  const std::vector<HWND> before = OrderOf({back.get(), front.get()});
  ASSERT_EQ(before.size(), 2u);
  Win32Desktop desktop;
  SetTopmost(desktop, platform::win32::FromHwnd(back.get()), false);
  wintest::PumpMessages();
  EXPECT_EQ(OrderOf({back.get(), front.get()}), before);
  EXPECT_FALSE(IsTopmost(back.get()));
}

}  // namespace
