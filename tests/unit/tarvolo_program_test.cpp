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

// Notepad in front with "Hello World" highlighted.
struct WithNotepad : Resident {
  WithNotepad() : Resident(sim::WindowsFamily::Win10) {
    notepad = desktop.AddWindow({"Untitled - Notepad", "Notepad", 0, 0});
    desktop.SetForeground(notepad);
    desktop.SetEditor(notepad, {"Hello World"});
    desktop.AdvanceClock(167);  // Notepad's setting is current; the next tick is a period away
  }
  const std::vector<std::string>& Pasted() { return desktop.Editor(notepad).pasted; }
  platform::WindowHandle notepad = 0;
};

TEST(ResidentHotkeys, APressRunsAtOnceNotAtTheNextTickAndExitReleasesEverything) {
  WithNotepad r;
  const auto pressed = r.desktop.NowMs();
  ASSERT_TRUE(r.desktop.PressHotkey(kCtrlAlt, 'U'));
  ASSERT_TRUE(r.desktop.PressHotkey(kCtrlAlt, 'U'));
  r.desktop.AdvanceClock(0);
  EXPECT_EQ(r.Pasted(), std::vector<std::string>{"HELLO WORLD"}) << "pressed twice before it ran: runs once";
  EXPECT_EQ(r.desktop.NowMs(), pressed);
  r.desktop.AdvanceClock(500);
  EXPECT_EQ(r.Pasted().size(), 1u);

  ASSERT_TRUE(r.desktop.PressHotkey(kCtrlAlt, 'T'));
  r.desktop.AdvanceClock(0);
  EXPECT_TRUE(r.state().MainWindowOpen);

  const platform::WindowHandle frmIcon = r.iconForm().hWnd();
  EXPECT_TRUE(r.desktop.IsSubclassed(frmIcon));
  EXPECT_EQ(r.desktop.InstalledHooks(), 0u) << "no journal hook on the NT family";
  r.Exit();
  EXPECT_EQ(r.desktop.RegisteredHotkeys(), 0u);
  EXPECT_EQ(r.desktop.AtomsInTable(), 0u);
  EXPECT_FALSE(r.desktop.IsSubclassed(frmIcon));
}

TEST(ResidentHotkeys, SeveralAtOnceRunOnePerTickInTheirOrderAndOneDuringACommandWaitsForIt) {
  WithNotepad r;
  const auto pressed = r.desktop.NowMs();
  const int queries = r.desktop.ForegroundQueries();
  for (std::uint32_t vk : {'L', 'U', 'R'}) ASSERT_TRUE(r.desktop.PressHotkey(kCtrlAlt, vk));
  r.desktop.AdvanceClock(0);
  EXPECT_EQ(r.Pasted(), (std::vector<std::string>{"hELLO wORLD", "HELLO WORLD", "hello world"}))
      << "Reverse, Capitalize, Lower, whatever the order pressed";
  EXPECT_EQ(r.desktop.ForegroundQueries() - queries, 3) << "three ticks, one request each";
  EXPECT_EQ(r.desktop.NowMs(), pressed) << "none waited for the timer";

  // Capitalize services messages between its transform and its paste; a
  // Lower pressed then must not run inside it.
  r.desktop.SetEditor(r.notepad, {"Hello World"});
  r.desktop.OnEveryDoEvents([&] {
    r.desktop.OnEveryDoEvents(nullptr);
    r.desktop.PressHotkey(kCtrlAlt, 'L');
  });
  ASSERT_TRUE(r.desktop.PressHotkey(kCtrlAlt, 'U'));
  r.desktop.AdvanceClock(0);
  EXPECT_EQ(r.Pasted(), (std::vector<std::string>{"HELLO WORLD", "hello world"}));
  EXPECT_EQ(r.desktop.NowMs(), pressed);
}

TEST(ResidentHotkeys, TheShowRequestAsksForThePasswordAndNothingRunsWhileTheBoxIsUp) {
  WithNotepad r;
  r.state().AppOptions.AdminPassword = "secret";
  std::size_t sentWhileAsked = 99;
  r.ui->OnInputBox([&](const sim::InputBoxCall&) -> std::optional<std::string> {
    r.desktop.PressHotkey(kCtrlAlt, 'U');
    r.desktop.AdvanceClock(1000);  // the box's own message loop, with the timers running
    sentWhileAsked = r.desktop.SentKeys().size();
    return "secret";
  });
  ASSERT_TRUE(r.desktop.PressHotkey(kCtrlAlt, 'T'));
  r.desktop.AdvanceClock(0);
  EXPECT_EQ(r.ui->InputBoxes().size(), 1u);
  EXPECT_EQ(sentWhileAsked, 0u);
  EXPECT_TRUE(r.state().MainWindowOpen);
  // Its copy went to the setup window, now in front, and found nothing to
  // copy: so nothing was pasted.
  EXPECT_EQ(r.desktop.SentKeys().size(), 1u) << "Capitalize ran once the box had gone";
  EXPECT_FALSE(r.state().AppOptions.HotkeyCapitalize.bHKTriggered);
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
  r.Exit();
  EXPECT_EQ(r.desktop.InstalledHooks(), 0u);
}

TEST(ResidentHook, ARefusedHookIsNoFailure) {
  Resident r(sim::WindowsFamily::Win98, true);
  EXPECT_FALSE(r.program->Hook().Installed());
  EXPECT_TRUE(r.program->Running());
}

}  // namespace
