#include "store/desktop.h"

#include <gtest/gtest.h>

#include "platform/sim/sim_desktop.h"

namespace {

TEST(AddBackslash, AppendsTheSeparatorOnlyWhenItIsNotThereAlready) {
  EXPECT_EQ(AddBackslash("C:\\Program Files\\Tarvolo", "\\"), "C:\\Program Files\\Tarvolo\\");
  EXPECT_EQ(AddBackslash("C:\\Program Files\\Tarvolo\\", "\\"), "C:\\Program Files\\Tarvolo\\");
  EXPECT_EQ(AddBackslash("C:\\", "\\"), "C:\\") << "a drive's root keeps one separator";
  EXPECT_EQ(AddBackslash("", "\\"), "\\");
  EXPECT_EQ(AddBackslash("C:\\Tools/", "\\"), "C:\\Tools/\\") << "only the given separator counts";
  EXPECT_EQ(AddBackslash("dir", "/"), "dir/");
  EXPECT_EQ(AddBackslash("C:\\Tarvolo"), "C:\\Tarvolo\\");
}

TEST(AddBackslash, ComparesTheLastCharacterWithTheWholeSeparator) {
  EXPECT_EQ(AddBackslash("a", "A"), "aA") << "letter case counts";
  EXPECT_EQ(AddBackslash("x::", "::"), "x::::");
}

class DesktopCallsTest : public ::testing::Test {
 protected:
  sim::SimDesktop desk;
  const platform::WindowHandle a = 0x101, b = 0x102, c = 0x103;
};

TEST_F(DesktopCallsTest, SetTopmostPutsTheWindowIntoTheTopmostBandWithoutMovingIt) {
  desk.SetZOrder({a, b, c});
  SetTopmost(desk, b, true);
  ASSERT_EQ(desk.SetWindowPosCalls().size(), 1u);
  const sim::SetWindowPosCall& call = desk.SetWindowPosCalls()[0];
  EXPECT_EQ(call.hwnd, b);
  EXPECT_EQ(call.insertAfter, -1);  // HWND_TOPMOST
  EXPECT_EQ(call.x, 0);
  EXPECT_EQ(call.y, 0);
  EXPECT_EQ(call.cx, 0);
  EXPECT_EQ(call.cy, 0);
  EXPECT_EQ(call.flags, 3u);  // SWP_NOMOVE | SWP_NOSIZE
  EXPECT_TRUE(desk.IsTopmost(b));
  EXPECT_EQ(desk.ZOrder(), (std::vector<platform::WindowHandle>{b, a, c}));
}

TEST_F(DesktopCallsTest, SetTopmostFalseTakesTheWindowOutOfTheBand) {
  desk.SetZOrder({a, b, c}, {a, b});
  SetTopmost(desk, a, false);
  EXPECT_EQ(desk.SetWindowPosCalls().back().insertAfter, -2);  // HWND_NOTOPMOST
  EXPECT_EQ(desk.SetWindowPosCalls().back().flags, 3u);
  EXPECT_FALSE(desk.IsTopmost(a));
  EXPECT_EQ(desk.ZOrder(), (std::vector<platform::WindowHandle>{b, a, c}));
}

TEST_F(DesktopCallsTest, SetTopmostFalseOnAWindowThatIsNotTopmostLeavesItsPlace) {
  desk.SetZOrder({a, b, c}, {a});
  SetTopmost(desk, c, false);
  EXPECT_EQ(desk.SetWindowPosCalls().back().insertAfter, -2);
  EXPECT_EQ(desk.ZOrder(), (std::vector<platform::WindowHandle>{a, b, c}));
}

TEST_F(DesktopCallsTest, AFailingCallIsNotReported) {
  desk.SetZOrder({a});
  SetTopmost(desk, 0x999, true);  // no such window
  EXPECT_EQ(desk.ZOrder(), std::vector<platform::WindowHandle>{a});
  desk.SetWinHelpResult(false);  // no help file
  ShowHelp(desk, "C:\\Missing\\Tarvolo.hlp", a, platform::kHelpContents);
  EXPECT_EQ(desk.WinHelpCalls().size(), 1u);
}

TEST_F(DesktopCallsTest, ShowHelpOpensTheHelpFileWithTheCommand) {
  ShowHelp(desk, "C:\\Program Files\\Tarvolo\\Tarvolo.hlp", a, platform::kHelpContents);
  ASSERT_EQ(desk.WinHelpCalls().size(), 1u);
  const sim::WinHelpCall& call = desk.WinHelpCalls()[0];
  EXPECT_EQ(call.hwnd, a);
  EXPECT_EQ(call.helpFile, "C:\\Program Files\\Tarvolo\\Tarvolo.hlp");
  EXPECT_EQ(call.command, 3u);  // HELP_CONTENTS
  EXPECT_EQ(call.data, 0u);
}

}  // namespace
