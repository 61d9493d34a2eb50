// The hot-keys, the highlighted-text commands and the activity hook joined to
// the resident program's start-up, ticks and shut-down.
#include <gtest/gtest.h>

#include "resident_fixture.h"

namespace {

struct Resident : ResidentProgram {
  explicit Resident(sim::WindowsFamily family, bool refuseHooks = false) : ResidentProgram(family) {
    desktop.RefuseHooks(refuseHooks);
    FileWithHotkeys();
    program->Start();
  }
  void Exit() { icon().mnuPopup_Click(3); }
};

TEST(ResidentHotkeys, APressRunsOnceAtTheNextFastTickAndExitReleasesEverything) {
  Resident r(sim::WindowsFamily::Win10);
  const platform::WindowHandle notepad = r.desktop.AddWindow({"Untitled - Notepad", "Notepad", 0, 0});
  r.desktop.SetForeground(notepad);
  r.desktop.SetEditor(notepad, {"Hello World", "", false, {}});
  ASSERT_TRUE(r.desktop.PressHotkey(kCtrlAlt, 'U'));
  ASSERT_TRUE(r.desktop.PressHotkey(kCtrlAlt, 'U'));
  r.desktop.AdvanceClock(167);
  EXPECT_EQ(r.desktop.Editor(notepad).selection, "HELLO WORLD");
  r.desktop.AdvanceClock(500);
  EXPECT_EQ(r.desktop.Editor(notepad).pasted.size(), 1u) << "pressed twice before a tick: runs once";

  ASSERT_TRUE(r.desktop.PressHotkey(kCtrlAlt, 'T'));
  r.desktop.AdvanceClock(167);
  EXPECT_TRUE(r.state().MainWindowOpen);

  const platform::WindowHandle frmIcon = r.iconForm().hWnd();
  EXPECT_TRUE(r.desktop.IsSubclassed(frmIcon));
  EXPECT_EQ(r.desktop.InstalledHooks(), 0u) << "no journal hook on the NT family";
  r.Exit();
  EXPECT_EQ(r.desktop.RegisteredHotkeys(), 0u);
  EXPECT_EQ(r.desktop.AtomsInTable(), 0u);
  EXPECT_FALSE(r.desktop.IsSubclassed(frmIcon));
}

TEST(ResidentHotkeys, RequestsPressedBeforeOneTickRunOneATickShowReverseCapitalizeLower) {
  Resident r(sim::WindowsFamily::Win10);
  const platform::WindowHandle notepad = r.desktop.AddWindow({"Untitled - Notepad", "Notepad", 0, 0});
  r.desktop.SetForeground(notepad);
  r.desktop.SetEditor(notepad, {"Hello World", "", false, {}});
  for (char key : {'L', 'U', 'R'}) ASSERT_TRUE(r.desktop.PressHotkey(kCtrlAlt, key));
  for (int tick = 0; tick < 4; ++tick) r.FastTick();
  EXPECT_EQ(r.desktop.Editor(notepad).pasted, (std::vector<std::string>{"hELLO wORLD", "HELLO WORLD", "hello world"}));
}

TEST(ResidentHook, OnWindows9xTheHookResetsIdlenessExceptWhileTheSystemIsModal) {
  Resident r(sim::WindowsFamily::Win98);
  ASSERT_EQ(r.desktop.InstalledHooks(), 1u);
  r.program->Hook().IdleTicks = 7;
  r.state().ScreenSaverSeen = true;
  r.desktop.FeedHook(platform::kWhJournalRecord, platform::kHcAction, {0x0100, 0x41, 0x1E, 1234, 0});
  EXPECT_EQ(r.program->Hook().IdleTicks, 0);
  EXPECT_FALSE(r.state().ScreenSaverSeen);

  r.desktop.FeedHook(platform::kWhJournalRecord, platform::kHcSysModalOn);
  r.program->Hook().IdleTicks = 5;
  r.desktop.FeedHook(platform::kWhJournalRecord, platform::kHcAction);
  EXPECT_EQ(r.program->Hook().IdleTicks, 5) << "suspended while the system is modal";
  r.desktop.FeedHook(platform::kWhJournalRecord, platform::kHcSysModalOff);
  r.desktop.FeedHook(platform::kWhJournalRecord, platform::kHcAction);
  EXPECT_EQ(r.program->Hook().IdleTicks, 0);
  EXPECT_EQ(r.desktop.NextHookCalls(), 5) << "every call is passed on";

  for (int i = 0; i < 121; ++i) {
    r.program->Hook().IdleTicks = 0;  // the user keeps typing
    r.icon().tmrRefresh_Timer();
  }
  EXPECT_EQ(r.desktop.InstallCalls(), 2);
  EXPECT_EQ(r.desktop.InstalledHooks(), 1u) << "the old hook goes before the new one comes";
  r.Exit();
  EXPECT_EQ(r.desktop.InstalledHooks(), 0u);
}

TEST(ResidentHook, ARefusedHookIsNoFailure) {
  Resident r(sim::WindowsFamily::Win98, true);
  EXPECT_FALSE(r.program->Hook().Installed());
  EXPECT_TRUE(r.program->Running());
}

}  // namespace
