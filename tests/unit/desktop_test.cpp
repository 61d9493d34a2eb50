#include "store/desktop.h"

#include <gtest/gtest.h>

#include "platform/sim/sim_desktop.h"

namespace {

TEST(AddBackslash, AppendsTheWholeSeparatorOnlyWhenItIsNotThereAlready) {
  const struct {
    const char *path, *separator, *expected;
  } cases[] = {{"C:\\Tarvolo", "\\", "C:\\Tarvolo\\"}, {"C:\\Tarvolo\\", "\\", "C:\\Tarvolo\\"},
               {"C:\\", "\\", "C:\\"},                 {"", "\\", "\\"},
               {"C:\\Tools/", "\\", "C:\\Tools/\\"},   {"dir", "/", "dir/"},
               {"a", "A", "aA"},                       {"x::", "::", "x::::"}};
  for (const auto& c : cases) EXPECT_EQ(AddBackslash(c.path, c.separator), c.expected) << c.path << " " << c.separator;
  EXPECT_EQ(AddBackslash("C:\\Tarvolo"), "C:\\Tarvolo\\");
}

TEST(SetTopmost, MovesTheWindowIntoOrOutOfTheTopmostBandOnly) {
  const platform::WindowHandle a = 0x101, b = 0x102, c = 0x103;
  sim::SimDesktop desk;
  desk.SetZOrder({a, b, c});
  SetTopmost(desk, b, true);
  EXPECT_TRUE(desk.IsTopmost(b));
  EXPECT_EQ(desk.ZOrder(), (std::vector<platform::WindowHandle>{b, a, c}));
  SetTopmost(desk, c, false);  // not topmost: stays where it is
  EXPECT_EQ(desk.ZOrder(), (std::vector<platform::WindowHandle>{b, a, c}));
  SetTopmost(desk, b, false);
  EXPECT_FALSE(desk.IsTopmost(b));
  SetTopmost(desk, 0x999, true);  // no such window: nothing happens, nothing thrown
  EXPECT_EQ(desk.SetWindowPosCalls().back().flags, 3u) << "SWP_NOMOVE | SWP_NOSIZE";
}

}  // namespace
