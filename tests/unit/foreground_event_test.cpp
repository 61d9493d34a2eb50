// A window coming to the front, where the system says so: evaluated at once
// by a fast tick brought forward, never inside a running tick, and the
// timer alone where the system has no such event.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "resident_fixture.h"

namespace {

// Started, with "Editor" (Caps Lock "Toggle ON") for the window "Report" and
// the next timer tick a whole period away.
struct Switching : ResidentProgram {
  explicit Switching(bool refuseHook = false) {
    desktop.RefuseWinEventHooks(refuseHook);
    desktop.SetForeground(other);
    FileWithHotkeys();
    program->Start();
    auto editor = std::make_shared<clsSetting>();
    editor->Name = "Editor";
    editor->Filter_Title = "Report";
    editor->Action_CapsLock = ActionToggleOn;
    state().Settings.Add(editor, editor->Name);
    desktop.AdvanceClock(167);
  }
  std::uint32_t process = desktop.AddProcess({"C:\\Apps\\editor.exe"});
  platform::WindowHandle report = desktop.AddWindow({"Report", "Edit", 0, process});
  platform::WindowHandle other = desktop.AddWindow({"Other", "Edit", 0, process});
};

TEST(ForegroundEvent, TheWindowInFrontIsEvaluatedAtOnceAndOwnOrEmptyWindowsAreLeftAlone) {
  Switching p;
  EXPECT_EQ(p.desktop.WinEventHookFlags(), platform::kWinEventOutOfContext | platform::kWinEventSkipOwnProcess);
  const auto at = p.desktop.NowMs() + 50;
  p.desktop.AdvanceClock(50);
  const int queries = p.desktop.ForegroundQueries();
  p.desktop.ActivateWindow(p.report);
  p.desktop.AdvanceClock(0);
  EXPECT_EQ(p.state().CurrentSetting()->Name, "Editor");
  EXPECT_TRUE(p.desktop.Toggled(platform::kVkCapital));
  EXPECT_LT(p.desktop.NowMs() - at, 50u) << "the key's own wait, not the timer's";
  EXPECT_EQ(p.desktop.ForegroundQueries() - queries, 2) << "one evaluation: the window and its owner";

  // Activation is asynchronous: what is in front when the evaluation runs
  // counts, not the window the event named.
  p.desktop.SetForeground(p.other);
  p.desktop.RaiseWinEvent(platform::kEventSystemForeground, p.report);
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

TEST(ForegroundEvent, OneDuringARunningCommandIsServedRightAfterItNotInsideIt) {
  Switching p;
  int depth = 0, deepest = 0;
  std::string duringCommand;
  p.desktop.SetEditor(p.other, {"Some text"});
  p.desktop.Editor(p.other).whileHandlingKeys = [&](std::uint8_t vk) {
    if (vk != 'C') return;
    deepest = std::max(deepest, ++depth);
    if (duringCommand.empty()) {
      p.desktop.ActivateWindow(p.report);
      p.desktop.DoEvents();  // the command waits for its keystrokes
      duringCommand = p.state().CurrentSetting()->Name;
    }
    --depth;
  };
  const auto pressed = p.desktop.NowMs();
  ASSERT_TRUE(p.desktop.PressHotkey(kCtrlAlt, 'U'));
  p.desktop.AdvanceClock(0);
  EXPECT_EQ(duringCommand, "Default");
  EXPECT_EQ(deepest, 1);
  EXPECT_EQ(p.state().CurrentSetting()->Name, "Editor");
  EXPECT_LT(p.desktop.NowMs() - pressed, 50u) << "right after the command, not a period later";
}

TEST(ForegroundEvent, WithoutTheHookTheTimerAloneFollowsTheForegroundWindow) {
  Switching p(true);
  EXPECT_FALSE(p.icon().ForegroundHook().Installed());
  p.desktop.ActivateWindow(p.report);
  p.desktop.AdvanceClock(166);
  EXPECT_EQ(p.state().CurrentSetting()->Name, "Default");
  p.desktop.AdvanceClock(1);
  EXPECT_EQ(p.state().CurrentSetting()->Name, "Editor");
  EXPECT_TRUE(p.program->Running());
}

}  // namespace
