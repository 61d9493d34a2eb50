// The two timers of the hidden form: what each tick does, in which order,
// the setup window's scrolling caption; a window coming to the front, which
// where the system says so is evaluated at once by a fast tick brought
// forward, never inside a running tick, and by the timer alone elsewhere;
// the hot-keys and the activity hook joined to the ticks and the shut-down.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>

#include "resident_fixture.h"

namespace {

using sim::WindowsFamily;

// A started program, with the hot-keys of FileWithHotkeys and an
// application of its own to switch to.
struct Running : ResidentProgram {
  explicit Running(WindowsFamily family = WindowsFamily::Win10, bool refuseHooks = false) : ResidentProgram(family) {
    desktop.RefuseWinEventHooks(refuseHooks);
    desktop.RefuseHooks(refuseHooks);
    FileWithHotkeys();
    desktop.SetForeground(Window("Untitled"));
    program->Start();
  }
  platform::WindowHandle Window(const std::string& title) { return desktop.AddWindow({title, "Edit", 0, editor}); }
  // A setting of that name, Caps Lock as given, for a window titled
  // "win:" + name, which is returned.
  platform::WindowHandle AddSetting(const std::string& name, std::int32_t caps = 0) {
    auto s = std::make_shared<clsSetting>();
    s->Name = name;
    s->Filter_Title = "win:" + name;
    s->Match_Title = MatchExact;
    s->Action_CapsLock = caps;
    state().Settings.Add(s, name);
    return Window("win:" + name);
  }
  // The setting becomes current at the next fast tick.
  void MakeCurrent(const std::string& name, std::int32_t caps = 0) {
    desktop.SetForeground(AddSetting(name, caps));
    FastTick();
  }
  // A text box with a selection in front, whose handling of Ctrl+C runs this.
  platform::WindowHandle EditorInFront(std::function<void()> onCopy) {
    const platform::WindowHandle window = desktop.Foreground();
    desktop.SetEditor(window, {"Some text"});
    desktop.Editor(window).whileHandlingKeys = [onCopy](std::uint8_t vk) {
      if (vk == 'C') onCopy();
    };
    return window;
  }
  void OpenSetupWindow() {
    icon().mnuPopup_Click(0);
    ASSERT_TRUE(state().MainWindowOpen);
  }
  // Runs the clock to the next refresh tick.
  void RefreshTick() { desktop.AdvanceClock((desktop.NowMs() / 500 + 1) * 500 - desktop.NowMs()); }
  void Exit() { icon().mnuPopup_Click(3); }
  std::uint32_t editor = desktop.AddProcess({"C:\\Apps\\editor.exe"});
};

// "Hello World" highlighted in the window in front, whose setting is current;
// the next tick is a period away.
struct WithText : Running {
  WithText() {
    desktop.SetEditor(notepad, {"Hello World"});
    desktop.AdvanceClock(167);
  }
  const std::vector<std::string>& Pasted() { return desktop.Editor(notepad).pasted; }
  platform::WindowHandle notepad = desktop.Foreground();
};

// A hot-key waits for the tick to choose and enforce the setting; a window
// coming to the front while the command runs is served right after it, not
// inside it.
TEST(FastTick, ServesAHotKeyUnderTheSettingItChoseAndAWindowThatCameMeanwhileRightAfter) {
  Running p;
  const auto report = p.AddSetting("Report");
  p.desktop.SetForeground(p.AddSetting("Editor", ActionMaintainOn));
  int depth = 0, deepest = 0;
  std::vector<std::string> seen;
  p.EditorInFront([&] {
    deepest = std::max(deepest, ++depth);
    if (seen.empty()) {
      seen.push_back(p.state().CurrentSetting()->Name);
      EXPECT_TRUE(p.desktop.Toggled(platform::kVkCapital));
      p.desktop.ActivateWindow(report);
      p.desktop.DoEvents();  // the command waits for its keystrokes
      seen.push_back(p.state().CurrentSetting()->Name);
    }
    --depth;
  });
  const auto pressed = p.desktop.NowMs();
  ASSERT_TRUE(p.desktop.PressHotkey(kCtrlAlt, 'U'));
  p.desktop.AdvanceClock(0);
  EXPECT_EQ(seen, (std::vector<std::string>{"Editor", "Editor"}));
  EXPECT_EQ(deepest, 1);
  EXPECT_EQ(p.state().CurrentSetting()->Name, "Report");
  EXPECT_LT(p.desktop.NowMs() - pressed, 50u) << "right after the command, not a period later";
}

TEST(FastTick, StopsWhereExitWasChosenWhileItServicedEvents) {
  Running p;
  int after = 0;
  p.EditorInFront([&] {
    p.ui->AnswerPopupMenu(3);
    p.desktop.PostEvent([&] { p.desktop.MouseOnTrayIcon(platform::kWmRButtonUp); });
    p.desktop.DoEvents();
    p.icon().bShowTarvolo = true;  // would open the setup window if the tick went on
    ++after;
  });
  ASSERT_TRUE(p.desktop.PressHotkey(kCtrlAlt, 'U'));
  p.FastTick();
  EXPECT_EQ(after, 1);
  EXPECT_FALSE(p.program->Running());
  EXPECT_FALSE(p.setupForm().Loaded());
  EXPECT_FALSE(p.iconForm()["tmrFast"].Enabled());
}

// Short names steadily, a long one scrolled one place each tick in a cycle of
// its length + 3, an empty one as such; a closed window is left alone.
TEST(RefreshTick, WritesTheSettingsNameIntoTheSetupWindowsCaption) {
  Running p;
  p.OpenSetupWindow();
  EXPECT_EQ(p.setupForm().Caption(), "Tarvolo");
  for (const std::string& name : {std::string("Editor"), std::string(35, 'n')}) {
    p.MakeCurrent(name);
    for (int i = 0; i < 3; ++i) {
      p.RefreshTick();
      EXPECT_EQ(p.setupForm().Caption(), "Tarvolo - [" + name + "]");
    }
  }
  const std::string name = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmn";  // 40 characters
  const std::string looped = name + "...  ";
  p.MakeCurrent(name);
  p.RefreshTick();
  EXPECT_EQ(p.setupForm().Caption(), "Tarvolo - [" + name.substr(0, 35) + "]");
  // Then positions 1..42, and round again from 0.
  for (int i = 1; i <= 44; ++i) {
    p.RefreshTick();
    const auto by = static_cast<std::size_t>(i % 43);
    EXPECT_EQ(p.setupForm().Caption(), "Tarvolo - [" + (looped.substr(by) + looped.substr(0, by)).substr(0, 35) + "]")
        << i;
  }
  // A new setting starts from its first character.
  const std::string second = "Second setting with a long name, 45 chars...";
  p.MakeCurrent(second);
  p.RefreshTick();
  EXPECT_EQ(p.setupForm().Caption(), "Tarvolo - [" + second.substr(0, 35) + "]");
  p.state().CurrentSetting()->Name = "";
  p.RefreshTick();
  EXPECT_EQ(p.setupForm().Caption(), "Tarvolo - []");

  p.icon().mnuPopup_Click(1);
  p.setupForm().Show();  // shown past the monitor: MainWindowOpen is what counts
  p.state().MainWindowOpen = false;
  p.setupForm().SetCaption("Mine");
  p.RefreshTick();
  EXPECT_EQ(p.setupForm().Caption(), "Mine");
}

// With a user at the keyboard, not while a screen saver runs.
TEST(HookUpkeep, OnlyOn9xWithAUserAtTheKeyboardIsTheHookRenewedEvery121Ticks) {
  Running nt(WindowsFamily::Win2000);
  nt.desktop.AdvanceClock(500 * 300);
  EXPECT_EQ(nt.desktop.InstallCalls(), 0);

  Running p(WindowsFamily::Win98);
  ASSERT_EQ(p.desktop.InstallCalls(), 1);
  const auto ticks = [&](int n, bool typing) {
    for (int tick = 1; tick <= n; ++tick) {
      if (typing) p.program->Hook().IdleTicks = 0;  // the user typed since the last tick
      p.RefreshTick();
    }
  };
  std::vector<int> renewedAt;
  for (int tick = 1; tick <= 250; ++tick) {
    ticks(1, true);
    if (p.desktop.InstallCalls() - 1 > static_cast<int>(renewedAt.size())) renewedAt.push_back(tick);
  }
  EXPECT_EQ(renewedAt, (std::vector<int>{121, 242}));
  EXPECT_EQ(p.desktop.InstalledHooks(), 1u) << "the old hook goes before the new one comes";
  ticks(200, false);  // nobody there
  EXPECT_EQ(p.desktop.InstallCalls(), 3);
  ticks(1, true);  // input at last
  EXPECT_EQ(p.desktop.InstallCalls(), 4);
  p.state().ScreenSaverSeen = true;
  ticks(130, true);
  EXPECT_EQ(p.desktop.InstallCalls(), 4);
}

// Tarvolo.INI edited by hand while the program runs applies without a
// restart, once the editor has finished writing it.
TEST(RefreshTick, AdoptsAFileChangedByHandOnceItHasSettledButNotWhileTheSetupWindowIsOpen) {
  Running p;
  const std::string path = p.SettingsPath();
  const auto file = [](const std::string& caps) {
    return "[Options]\r\nShow_Disp=Ctrl + Alt + Q\r\nShow_vKey=81\r\nShow_Modifier=3\r\n"
           "[Setting 0]\r\nName=Notes\r\nFilter_Title=Notes\r\nMatch_Title=2\r\nAction_CapsLock=" +
           caps + "\r\n[Setting 1]\r\nName=Default\r\n";
  };

  p.desktop.SetFile(path, file("3"));
  p.RefreshTick();
  EXPECT_EQ(p.state().Settings.Count(), 1) << "still being written, perhaps";
  p.desktop.SetFile(path, file("4"));
  p.RefreshTick();
  EXPECT_EQ(p.state().Settings.Count(), 1) << "changed again since";
  p.RefreshTick();
  ASSERT_EQ(p.state().Settings.Count(), 2);
  EXPECT_TRUE(p.desktop.HotkeyRegistered(kCtrlAlt, 'Q'));
  EXPECT_FALSE(p.desktop.HotkeyRegistered(kCtrlAlt, 'T'));
  EXPECT_FALSE(p.desktop.HotkeyRegistered(kCtrlAlt, 'U')) << "not in the file any more";

  p.desktop.SetToggled(platform::kVkCapital, true);
  p.desktop.SetForeground(p.Window("Notes"));
  p.desktop.AdvanceClock(167);
  EXPECT_EQ(p.state().CurrentSetting()->Name, "Notes");
  EXPECT_FALSE(p.desktop.Toggled(platform::kVkCapital)) << "the hand-made setting is in force";

  // An edit that is not readable, or made while the setup window is open,
  // is not taken; the save when the window closes keeps it aside instead.
  p.desktop.FailReads(path, platform::FileReadStatus::InUse);
  p.desktop.SetFile(path, file("0"));
  p.RefreshTick();
  p.RefreshTick();
  EXPECT_EQ(p.state().CurrentSetting()->Action_CapsLock, ActionMaintainOff);
  p.desktop.FailReads(path, platform::FileReadStatus::Ok);
  p.OpenSetupWindow();
  p.RefreshTick();
  p.RefreshTick();
  EXPECT_EQ(p.state().CurrentSetting()->Action_CapsLock, ActionMaintainOff);
  p.ui->CloseBox(p.setupForm());
  EXPECT_EQ(p.desktop.File(path + ".bak"), file("0"));
}

TEST(ForegroundEvent, TheWindowInFrontIsEvaluatedAtOnceAndOwnOrEmptyWindowsAreLeftAlone) {
  Running p;
  const auto report = p.AddSetting("Editor", ActionToggleOn), other = p.desktop.Foreground();
  p.desktop.AdvanceClock(167);
  EXPECT_EQ(p.desktop.WinEventHookFlags(), platform::kWinEventOutOfContext | platform::kWinEventSkipOwnProcess);
  const auto at = p.desktop.NowMs() + 50;
  p.desktop.AdvanceClock(50);
  const int queries = p.desktop.ForegroundQueries();
  p.desktop.ActivateWindow(report);
  p.desktop.AdvanceClock(0);
  EXPECT_EQ(p.state().CurrentSetting()->Name, "Editor");
  EXPECT_TRUE(p.desktop.Toggled(platform::kVkCapital));
  EXPECT_LT(p.desktop.NowMs() - at, 50u) << "the key's own wait, not the timer's";
  EXPECT_EQ(p.desktop.ForegroundQueries() - queries, 2) << "one evaluation: the window and its owner";

  // Activation is asynchronous: what is in front when the evaluation runs
  // counts, not the window the event named.
  p.desktop.SetForeground(other);
  p.desktop.RaiseWinEvent(platform::kEventSystemForeground, report);
  p.desktop.AdvanceClock(0);
  EXPECT_EQ(p.state().CurrentSetting()->Name, "Default");

  p.icon().mnuPopup_Click(0);  // the setup window comes to the front
  ASSERT_EQ(p.desktop.Foreground(), p.setupForm().hWnd());
  p.desktop.ActivateWindow(p.setupForm().hWnd());
  p.desktop.RaiseWinEvent(platform::kEventSystemForeground, 0);
  EXPECT_EQ(p.desktop.PostedMessages(), 0u) << "nothing asked for";

  p.icon().mnuPopup_Click(3);
  EXPECT_EQ(p.desktop.WinEventHooks(), 0u) << "unhooked at exit";
}

TEST(ForegroundEvent, WithoutTheHookTheTimerAloneFollowsTheForegroundWindow) {
  Running p(WindowsFamily::Win10, true);
  const auto report = p.AddSetting("Editor", ActionToggleOn);
  p.desktop.AdvanceClock(167);
  EXPECT_FALSE(p.icon().ForegroundHook().Installed());
  p.desktop.ActivateWindow(report);
  p.desktop.AdvanceClock(166);
  EXPECT_EQ(p.state().CurrentSetting()->Name, "Default");
  p.desktop.AdvanceClock(1);
  EXPECT_EQ(p.state().CurrentSetting()->Name, "Editor");
  EXPECT_TRUE(p.program->Running());
}

TEST(ResidentHotkeys, APressRunsAtOnceNotAtTheNextTickAndExitReleasesThem) {
  WithText r;
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
  r.Exit();
  EXPECT_EQ(r.desktop.RegisteredHotkeys(), 0u);
}

TEST(ResidentHotkeys, SeveralAtOnceRunOnePerTickInTheirOrderAndOneDuringACommandWaitsForIt) {
  WithText r;
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
  WithText r;
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
  Running r(WindowsFamily::Win98);
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
  Running r(WindowsFamily::Win98, true);
  EXPECT_FALSE(r.program->Hook().Installed());
  EXPECT_TRUE(r.program->Running());
}

}  // namespace
