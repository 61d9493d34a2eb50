// The two timers of the hidden form: what each tick does, in which order,
// and the setup window's scrolling caption.
#include <gtest/gtest.h>

#include <memory>

#include "resident_fixture.h"

namespace {

using sim::WindowsFamily;

// A started program with an application of its own to switch to.
struct Running : ResidentProgram {
  explicit Running(WindowsFamily family = WindowsFamily::Win10, const std::function<void(MonitorLinks&)>& adjust = {})
      : ResidentProgram(family, adjust) {
    editor = desktop.AddProcess({"C:\\Apps\\editor.exe"});
    desktop.SetForeground(Window("Untitled"));
    program->Start();
  }
  platform::WindowHandle Window(const std::string& title) { return desktop.AddWindow({title, "Edit", 0, editor}); }
  // A setting matching the window titled "win:" + name, Caps Lock as given.
  void AddSetting(const std::string& name, std::int32_t caps = 0) {
    auto s = std::make_shared<clsSetting>();
    s->Name = name;
    s->Filter_Title = "win:" + name;
    s->Match_Title = MatchExact;
    s->Action_CapsLock = caps;
    state().Settings.Add(s, name);
  }
  // A setting of that name becomes current at the next fast tick.
  void MakeCurrent(const std::string& name) {
    if (!state().Settings.Item(name)) AddSetting(name);
    desktop.SetForeground(Window("win:" + name));
    desktop.AdvanceClock(167);
    ASSERT_EQ(state().CurrentSetting().Name, name);
  }
  void OpenSetupWindow() {
    icon().mnuPopup_Click(0);
    ASSERT_TRUE(state().MainWindowOpen);
  }
  // The caption's text between "Tarvolo - [" and "]".
  std::string Shown() {
    const std::string caption = setupForm().Caption();
    if (caption.rfind("Tarvolo - [", 0) != 0 || caption.back() != ']') return "<" + caption + ">";
    return caption.substr(11, caption.size() - 12);
  }
  // Runs the clock to the next refresh tick.
  void RefreshTick() { desktop.AdvanceClock((desktop.NowMs() / 500 + 1) * 500 - desktop.NowMs()); }
  std::uint32_t editor = 0;
};

TEST(FastTick, FollowsTheForegroundWindowEvery167Ms) {
  Running p;
  p.AddSetting("Editor", ActionToggleOn);
  p.desktop.SetForeground(p.Window("win:Editor"));
  p.desktop.AdvanceClock(166);
  EXPECT_FALSE(p.desktop.Toggled(platform::kVkCapital));
  p.desktop.AdvanceClock(1);
  EXPECT_TRUE(p.desktop.Toggled(platform::kVkCapital));
  EXPECT_EQ(p.Count("RunPendingHotkeys"), 1);
  p.desktop.AdvanceClock(167 * 3);
  EXPECT_EQ(p.Count("RunPendingHotkeys"), 4);
}

TEST(FastTick, ServesAHotKeyRequestInTheSameTickAfterTheEngine) {
  std::vector<std::string> order;
  Running* self = nullptr;
  Running p(WindowsFamily::Win10, [&](MonitorLinks& links) {
    links.RunPendingHotkeys = [&] {
      order.push_back("hotkeys: current " + self->state().CurrentSetting().Name);
      self->state().bShowTarvolo = true;
    };
  });
  self = &p;
  p.desktop.AdvanceClock(167);
  EXPECT_EQ(order, std::vector<std::string>{"hotkeys: current Default"});
  EXPECT_TRUE(p.state().MainWindowOpen);
  EXPECT_TRUE(p.setupForm().Visible());
  EXPECT_FALSE(p.state().bShowTarvolo);
}

TEST(FastTick, NeverStartsWhileOneIsStillRunning) {
  int depth = 0, deepest = 0, runs = 0;
  Running* self = nullptr;
  Running p(WindowsFamily::Win10, [&](MonitorLinks& links) {
    links.RunPendingHotkeys = [&] {
      ++runs;
      deepest = std::max(deepest, ++depth);
      // Like the text commands: waits and services events for a while.
      for (int i = 0; i < 10; ++i) {
        self->desktop.Sleep(100);
        self->desktop.DoEvents();
      }
      --depth;
    };
  });
  self = &p;
  p.state().SetCurrentSetting(p.state().Settings.Item("Default"));
  p.OpenSetupWindow();
  p.desktop.AdvanceClock(3000);
  EXPECT_EQ(deepest, 1);
  EXPECT_GE(runs, 2);
  EXPECT_EQ(p.setupForm().Caption(), "Tarvolo - [Default]") << "the refresh timer went on meanwhile";
}

TEST(FastTick, StopsWhereExitWasChosenWhileItServicedEvents) {
  Running* self = nullptr;
  int after = 0;
  Running p(WindowsFamily::Win10, [&](MonitorLinks& links) {
    links.RunPendingHotkeys = [&] {
      self->ui->AnswerPopupMenu(3);
      self->desktop.PostEvent([&] { self->desktop.MouseOnTrayIcon(platform::kWmRButtonUp); });
      self->desktop.DoEvents();
      self->state().bShowTarvolo = true;  // would open the setup window if the tick went on
      ++after;
    };
  });
  self = &p;
  p.desktop.AdvanceClock(167);
  EXPECT_EQ(after, 1);
  EXPECT_FALSE(p.program->Running());
  EXPECT_FALSE(p.setupForm().Loaded());
  EXPECT_FALSE(p.iconForm()["tmrFast"].Enabled());
}

TEST(RefreshTick, WritesAShortOrEmptyNameSteadily) {
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
  p.state().CurrentSetting().Name = "";
  p.RefreshTick();
  EXPECT_EQ(p.setupForm().Caption(), "Tarvolo - []");
}

TEST(RefreshTick, ScrollsALongNameOnePlaceEachTickInACycleOfLengthPlus3) {
  Running p;
  p.OpenSetupWindow();
  const std::string name = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmn";  // 40 characters
  const std::string looped = name + "...  ";
  p.MakeCurrent(name);
  p.RefreshTick();
  EXPECT_EQ(p.Shown(), name.substr(0, 35));
  // Then positions 1..43, and round again.
  for (int i = 1; i <= 44; ++i) {
    p.RefreshTick();
    const auto by = static_cast<std::size_t>(i % 43);
    EXPECT_EQ(p.Shown(), (looped.substr(by) + looped.substr(0, by)).substr(0, 35)) << i;
  }
  // A new setting starts from its first character.
  const std::string second = "Second setting with a long name, 45 chars...";
  p.MakeCurrent(second);
  p.RefreshTick();
  EXPECT_EQ(p.Shown(), second.substr(0, 35));
}

TEST(RefreshTick, LeavesTheCaptionAloneWhileTheSetupWindowIsClosed) {
  Running p;
  p.OpenSetupWindow();
  p.RefreshTick();
  p.icon().mnuPopup_Click(1);
  p.setupForm().Show();  // shown past the monitor: MainWindowOpen is what counts
  p.state().MainWindowOpen = false;
  p.setupForm().SetCaption("Mine");
  p.RefreshTick();
  EXPECT_EQ(p.setupForm().Caption(), "Mine");
}

TEST(HookUpkeep, OnNtTheRefreshTickNeverTouchesTheHook) {
  Running p(WindowsFamily::Win2000);
  p.desktop.AdvanceClock(500 * 300);
  EXPECT_EQ(p.Count("RemoveActivityHook") + p.Count("InstallActivityHook"), 0);
}

TEST(HookUpkeep, With9xAndABusyUserTheHookIsRenewedEvery121Ticks) {
  Running p(WindowsFamily::Win98);
  p.calls.clear();
  std::vector<int> renewedAt;
  for (int tick = 1; tick <= 250; ++tick) {
    p.state().IdleTicks = 0;  // the user typed since the last tick
    p.RefreshTick();
    if (p.Count("InstallActivityHook") > static_cast<int>(renewedAt.size())) renewedAt.push_back(tick);
  }
  EXPECT_EQ(renewedAt, (std::vector<int>{121, 242}));
  std::erase(p.calls, "RunPendingHotkeys");
  EXPECT_EQ(p.calls, (std::vector<std::string>{"RemoveActivityHook", "InstallActivityHook", "RemoveActivityHook",
                                               "InstallActivityHook"}));
}

TEST(HookUpkeep, AnIdleUserOrAScreenSaverHoldsTheRenewalBack) {
  Running p(WindowsFamily::Win98);
  p.calls.clear();
  for (int tick = 1; tick <= 200; ++tick) p.RefreshTick();  // nobody there
  EXPECT_EQ(p.Count("InstallActivityHook"), 0);
  p.state().IdleTicks = 0;  // input at last
  p.RefreshTick();
  EXPECT_EQ(p.Count("InstallActivityHook"), 1);

  p.state().ScreenSaverSeen = true;
  for (int tick = 1; tick <= 130; ++tick) {
    p.state().IdleTicks = 0;
    p.RefreshTick();
  }
  EXPECT_EQ(p.Count("InstallActivityHook"), 1);
}

}  // namespace
