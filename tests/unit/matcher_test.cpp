#include "engine/matcher.h"

#include <gtest/gtest.h>

#include "monitor/program_state.h"
#include "platform/sim/sim_desktop.h"

namespace {

using platform::kVkCapital;
using platform::kVkNumLock;
using platform::kVkScroll;
using sim::SimDesktop;
using sim::WindowsFamily;

TEST(MatchFilterTest, ComparesIgnoringCaseWithoutTrimming) {
  EXPECT_TRUE(MatchFilter("Microsoft Word - Letter", "microsoft", MatchBeginning));
  EXPECT_TRUE(MatchFilter("Microsoft Word - Letter", "LETTER", MatchEnding));
  EXPECT_FALSE(MatchFilter("Microsoft Word - Letter", "LETTER ", MatchEnding));
  EXPECT_FALSE(MatchFilter("Microsoft Word - Letter", "Word", MatchBeginning));
  EXPECT_TRUE(MatchFilter("Notepad", "NOTEPAD", MatchExact));
  EXPECT_FALSE(MatchFilter("Notepad", "Notepa", MatchExact));
  for (std::int32_t m : {0, 1, 2, 7})
    EXPECT_FALSE(MatchFilter("Notepad", "Notepad!", m)) << "a filter longer than the text never matches";
  EXPECT_FALSE(MatchFilter("", "", MatchExact)) << "an empty filter is off";
  EXPECT_TRUE(MatchFilter("Notepad", "zz", 9)) << "unknown match codes accept";
}

// A desktop with one application per setting the tests use, and the engine
// on top of it.
struct MatcherTest : ::testing::Test {
  SimDesktop desk{WindowsFamily::Win10};
  ProgramState state{desk};
  std::uint32_t wordPid = desk.AddProcess({"WINWORD.EXE"});
  std::uint32_t cadPid = desk.AddProcess({"ACAD.EXE"});
  std::uint32_t selfPid = desk.AddProcess({"tarvolo.exe"});
  std::uint32_t saverPid = desk.AddProcess({"Mystify.scr"});
  platform::WindowHandle word = desk.AddWindow({"Letter - Microsoft Word", "OpusApp", 0, wordPid});
  platform::WindowHandle wordDialog = desk.AddWindow({"Find", "#32770", word, wordPid});
  platform::WindowHandle cad = desk.AddWindow({"Drawing1.dwg", "Acad", 0, cadPid});
  platform::WindowHandle cad2 = desk.AddWindow({"Drawing2.dwg", "Acad", 0, cadPid});
  platform::WindowHandle self = desk.AddWindow({"Tarvolo - [Default]", "Form", 0, selfPid});
  platform::WindowHandle saver = desk.AddWindow({"", "Saver", 0, saverPid});

  MatcherTest() { state.IsNT = true; }

  clsSettings::Ref Add(const std::string& name, int caps = 0, int num = 0, int scroll = 0) {
    auto s = std::make_shared<clsSetting>();
    s->Name = name;
    s->Action_CapsLock = caps;
    s->Action_NumLock = num;
    s->Action_ScrollLock = scroll;
    state.Settings.Add(s, name);
    return s;
  }
  void Activate(platform::WindowHandle h) {
    desk.SetForeground(h);
    Tick();
  }
  void Tick() {
    EvaluateActiveWindow(state);
    EnforceActions(state);
  }
};

TEST_F(MatcherTest, FirstSettingWhoseFiltersAllMatchWinsElseDefault) {
  auto byTitleAndExe = Add("Word by title and exe");
  byTitleAndExe->Filter_Title = "letter";
  byTitleAndExe->Filter_EXE = "EXCEL.EXE";  // fails: passed over
  auto byExe = Add("Word");
  byExe->Filter_EXE = "winword.exe";
  byExe->Match_EXE = MatchExact;
  auto alsoWord = Add("Also Word");
  alsoWord->Filter_Title = "Letter";
  auto noFilters = Add("No filters");
  auto def = Add("Default");

  Activate(word);
  EXPECT_EQ(state.CurrentSetting().Name, "Word");
  EXPECT_EQ(state.WindowFacts.Title, "Letter - Microsoft Word");
  EXPECT_EQ(state.WindowFacts.OwnerTitle, "");
  EXPECT_EQ(state.WindowFacts.EXE, "WINWORD.EXE");

  Activate(cad);
  EXPECT_EQ(&state.CurrentSetting(), def.get()) << "falls back to Default, not to the filterless setting";

  Activate(wordDialog);
  EXPECT_EQ(state.WindowFacts.OwnerTitle, "Letter - Microsoft Word");
  EXPECT_EQ(state.CurrentSetting().Name, "Word");
}

TEST_F(MatcherTest, OwnerFilterMatchesTheOwnersTitle) {
  auto dialogs = Add("Word dialogs");
  dialogs->Filter_Owner = "Microsoft Word";
  dialogs->Match_Owner = MatchEnding;
  Activate(word);
  EXPECT_EQ(state.CurrentSetting().Name, "");
  Activate(wordDialog);
  EXPECT_EQ(state.CurrentSetting().Name, "Word dialogs");
}

TEST_F(MatcherTest, WithoutDefaultABlankSettingIsInForce) {
  Add("CAD", ActionMaintainOn)->Filter_EXE = "ACAD";
  Activate(cad);
  EXPECT_TRUE(desk.Toggled(kVkCapital));
  Activate(word);
  EXPECT_EQ(state.CurrentSetting().Name, "");
  EXPECT_EQ(state.CurrentSetting().Action_CapsLock, ActionIgnore);
  EXPECT_TRUE(desk.Toggled(kVkCapital)) << "the blank setting ignores every key";
}

TEST_F(MatcherTest, OwnWindowsAndScreenSaversChangeNothing) {
  Add("CAD", ActionToggleOn)->Filter_EXE = "ACAD";
  Add("Default", ActionToggleOff);
  Activate(cad);
  ASSERT_TRUE(desk.Toggled(kVkCapital));

  Activate(self);
  EXPECT_EQ(state.CurrentSetting().Name, "CAD");
  EXPECT_EQ(state.WindowFacts.Title, "Drawing1.dwg") << "facts keep describing the window before";
  EXPECT_FALSE(state.ScreenSaverSeen);

  Activate(saver);
  EXPECT_TRUE(state.ScreenSaverSeen);
  EXPECT_EQ(state.CurrentSetting().Name, "CAD");
  EXPECT_TRUE(desk.Toggled(kVkCapital));

  desk.SetToggled(kVkCapital, false);  // the user's own choice inside CAD
  Activate(cad);
  EXPECT_FALSE(desk.Toggled(kVkCapital)) << "coming back through our window is no change of setting";
}

TEST_F(MatcherTest, ForegroundOfZeroOrUnchangedDoesNoWork) {
  Add("Default", ActionToggleOn);
  desk.SetForeground(0);
  Tick();
  EXPECT_EQ(state.LastActiveWindow, 0);
  EXPECT_FALSE(desk.Toggled(kVkCapital));
  Activate(word);
  desk.ClearLog();
  Tick();
  EXPECT_EQ(desk.SnapshotCalls(), 0) << "no process lookup while the foreground stays";
  EXPECT_EQ(desk.ForegroundQueries(), 1);
}

TEST_F(MatcherTest, ToggleActsOnlyWhenTheSettingChanges) {
  Add("CAD", ActionToggleOn, ActionToggleOff)->Filter_EXE = "ACAD";
  Add("Default");
  desk.SetToggled(kVkNumLock, true);
  Activate(cad);
  EXPECT_TRUE(desk.Toggled(kVkCapital));
  EXPECT_FALSE(desk.Toggled(kVkNumLock));

  desk.SetToggled(kVkCapital, false);  // the user switches it off
  Activate(cad2);                      // same setting: left alone
  Tick();
  EXPECT_FALSE(desk.Toggled(kVkCapital));

  Activate(word);
  Activate(cad);
  EXPECT_TRUE(desk.Toggled(kVkCapital)) << "on again after another setting was current";
}

TEST_F(MatcherTest, MaintainActsOnEveryTick) {
  Add("CAD", ActionMaintainOn, ActionIgnore, ActionMaintainOff)->Filter_EXE = "ACAD";
  desk.SetToggled(kVkScroll, true);
  Activate(cad);
  EXPECT_TRUE(desk.Toggled(kVkCapital));
  EXPECT_FALSE(desk.Toggled(kVkScroll));
  desk.SetToggled(kVkCapital, false);
  desk.SetToggled(kVkScroll, true);
  Tick();  // same window
  EXPECT_TRUE(desk.Toggled(kVkCapital));
  EXPECT_FALSE(desk.Toggled(kVkScroll));
}

TEST_F(MatcherTest, RememberKeepsEachSettingsOwnStates) {
  auto cadSetting = Add("CAD", ActionRemember, ActionRemember);
  cadSetting->Filter_EXE = "ACAD";
  Add("Default", ActionRemember);
  desk.SetToggled(kVkCapital, true);
  Activate(cad);
  EXPECT_FALSE(desk.Toggled(kVkCapital)) << "remembered states start off";

  desk.SetToggled(kVkCapital, true);  // user works in CAD with Caps on
  desk.SetToggled(kVkNumLock, true);
  Tick();
  EXPECT_TRUE(cadSetting->Remembered_CapsLock);

  Activate(word);  // Default remembers off
  EXPECT_FALSE(desk.Toggled(kVkCapital));
  EXPECT_TRUE(desk.Toggled(kVkNumLock)) << "Default ignores Num Lock";
  desk.SetToggled(kVkNumLock, false);

  Activate(cad2);  // another window of the same setting shares its states
  EXPECT_TRUE(desk.Toggled(kVkCapital));
  EXPECT_TRUE(desk.Toggled(kVkNumLock));
}

TEST_F(MatcherTest, KeyboardStateWayOnWindows98) {
  desk.SetFamily(WindowsFamily::Win98);
  state.IsNT = false;
  Add("CAD", ActionMaintainOn)->Filter_EXE = "ACAD";
  Activate(cad);
  EXPECT_TRUE(desk.Toggled(kVkCapital));
  EXPECT_TRUE(desk.KeyEvents().empty());
  EXPECT_GT(desk.SetKeyboardStateCalls(), 0);
}

struct RecordingPanel : SetupWindowPanel {
  std::vector<std::string> calls;
  void ShowMatchedText(const std::string& text, const std::string& filter, std::int32_t match,
                       ActiveWindowLabel label) override {
    calls.push_back(std::to_string(static_cast<int>(label)) + ":" + text + "|" + filter + "|" + std::to_string(match));
  }
  void UpdateMonitorButtons() override { calls.push_back("buttons"); }
};

TEST_F(MatcherTest, OpenSetupWindowIsToldWhatMatched) {
  auto s = Add("Word dialogs");
  s->Filter_Owner = "Letter";
  RecordingPanel panel;
  state.SetupPanel = &panel;
  Activate(word);
  EXPECT_TRUE(panel.calls.empty()) << "closed setup window hears nothing";
  state.MainWindowOpen = true;
  Activate(wordDialog);
  EXPECT_EQ(panel.calls, (std::vector<std::string>{"0:Find||0", "1:Letter - Microsoft Word|Letter|0",
                                                   "2:WINWORD.EXE||0", "buttons"}));
}

TEST_F(MatcherTest, NestedTickWhileAKeyIsBeingSetIsHarmless) {
  // A fast tick whose key change services events can run the engine again
  // from inside; the lock operations' flags keep the nested run from
  // fighting the outer one.
  Add("CAD", ActionMaintainOn, ActionMaintainOn)->Filter_EXE = "ACAD";
  desk.SetForeground(cad);
  int nested = 0;
  desk.OnEveryDoEvents([&] {
    if (nested++ < 3) {
      EvaluateActiveWindow(state);
      EnforceActions(state);
    }
  });
  Tick();
  desk.OnEveryDoEvents(nullptr);
  EXPECT_TRUE(desk.Toggled(kVkCapital));
  EXPECT_TRUE(desk.Toggled(kVkNumLock));
  EXPECT_EQ(desk.KeyEvents().size(), 4u) << "each key pressed and released once";
}

}  // namespace
