#include "engine/matcher.h"

#include <gtest/gtest.h>

#include "app/program_state.h"
#include "platform/sim/sim_desktop.h"

namespace {

using platform::kVkCapital;
using platform::kVkNumLock;
using platform::kVkScroll;

TEST(MatchFilterTest, ComparesIgnoringCaseWithoutTrimming) {
  const struct {
    const char *text, *filter;
    std::int32_t match;
    bool expected;
  } cases[] = {{"Microsoft Word - Letter", "microsoft", MatchBeginning, true},
               {"Microsoft Word - Letter", "LETTER", MatchEnding, true},
               {"Microsoft Word - Letter", "LETTER ", MatchEnding, false},
               {"Microsoft Word - Letter", "Word", MatchBeginning, false},
               {"Notepad", "NOTEPAD", MatchExact, true},
               {"Notepad", "Notepa", MatchExact, false},
               {"Notepad", "Notepad!", MatchBeginning, false},  // longer than the text
               {"Notepad", "Notepad!", MatchEnding, false},
               {"Notepad", "Notepad!", 7, false},
               {"", "", MatchExact, false},  // an empty filter is off
               {"Notepad", "zz", 9, true},  // unknown match codes accept
               // Letter case of every script; a question mark is only itself.
               {"Отчёт 2026", "отчёт", MatchBeginning, true},
               {"Ωμέγα 2026", "????? 2026", MatchExact, false},
               {"????? 2026", "????? 2026", MatchExact, true},
               {"Σίσυφος", "ΣΊΣΥΦΟΣ", MatchExact, true},  // the final sigma too
               {"Café Paris", "CAFÉ", MatchBeginning, true},
               {"Memo 日本語メモ", "メモ", MatchEnding, true},
               {"ıstanbul", "IST", MatchBeginning, true},  // a capital shorter than its small letter
               {"e\u0301", "E", MatchExact, false}};  // a combining mark is a character of its own
  for (const auto& c : cases) EXPECT_EQ(MatchFilter(c.text, c.filter, c.match), c.expected) << c.text << "|" << c.filter;
}

// A desktop with one application per setting the tests use, and the engine
// on top of it.
struct MatcherTest : ::testing::Test {
  sim::SimDesktop desk{sim::WindowsFamily::Win10};
  ProgramState state{desk};
  std::uint32_t wordPid = desk.AddProcess({"WINWORD.EXE"});
  std::uint32_t cadPid = desk.AddProcess({"ACAD.EXE"});
  platform::WindowHandle word = desk.AddWindow({"Letter - Microsoft Word", "OpusApp", 0, wordPid});
  platform::WindowHandle wordDialog = desk.AddWindow({"Find", "#32770", word, wordPid});
  platform::WindowHandle cad = desk.AddWindow({"Drawing1.dwg", "Acad", 0, cadPid});
  platform::WindowHandle cad2 = desk.AddWindow({"Drawing2.dwg", "Acad", 0, cadPid});
  platform::WindowHandle self = desk.AddWindow({"Tarvolo - [Default]", "Form", 0, desk.AddProcess({"tarvolo.exe"})});
  platform::WindowHandle saver = desk.AddWindow({"", "Saver", 0, desk.AddProcess({"Mystify.scr"})});

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
  Add("Also Word")->Filter_Title = "Letter";
  Add("No filters");
  Add("Default");
  for (auto [window, setting] : {std::pair{word, "Word"}, {cad, "Default"}, {wordDialog, "Word"}}) {
    Activate(window);
    EXPECT_EQ(state.CurrentSetting()->Name, setting) << "not the filterless setting";
  }
  EXPECT_EQ(state.WindowFacts.OwnerTitle, "Letter - Microsoft Word");
  EXPECT_EQ(state.WindowFacts.EXE, "WINWORD.EXE");

  // Titles outside any code page are told apart.
  Add("Report", ActionToggleOn)->Filter_Title = "ОТЧЁТ 2026";
  const std::uint32_t viewer = desk.AddProcess({"Просмотр.exe"});
  for (auto [title, setting] : {std::pair{"Отчёт 2026", "Report"}, {"Ωμέγα 2026", "Default"}}) {
    Activate(desk.AddWindow({title, "Viewer", 0, viewer}));
    EXPECT_EQ(state.CurrentSetting()->Name, setting) << title;
  }
  EXPECT_EQ(state.WindowFacts.EXE, "Просмотр.exe");
}

TEST_F(MatcherTest, OwnWindowsScreenSaversAndNoForegroundChangeNothing) {
  Add("CAD", ActionToggleOn)->Filter_EXE = "ACAD";
  Add("Default", ActionToggleOff);
  Activate(cad);
  desk.SetToggled(kVkCapital, false);  // the user's own choice inside CAD
  for (platform::WindowHandle w : {self, saver, platform::WindowHandle{0}}) Activate(w);
  EXPECT_TRUE(state.ScreenSaverSeen);
  EXPECT_EQ(state.CurrentSetting()->Name, "CAD");
  EXPECT_EQ(state.WindowFacts.Title, "Drawing1.dwg") << "facts keep describing the window before";
  Activate(cad);
  EXPECT_FALSE(desk.Toggled(kVkCapital)) << "coming back through our window is no change of setting";
  desk.ClearLog();
  Tick();
  EXPECT_EQ(desk.SnapshotCalls(), 0) << "no process lookup while the foreground stays";
}

TEST_F(MatcherTest, ToggleActsWhenTheSettingChangesMaintainOnEveryTick) {
  Add("CAD", ActionToggleOn, ActionMaintainOff, ActionMaintainOn)->Filter_EXE = "ACAD";
  Add("Default");
  const auto keys = [&] {
    return std::vector<bool>{desk.Toggled(kVkCapital), desk.Toggled(kVkNumLock), desk.Toggled(kVkScroll)};
  };
  desk.SetToggled(kVkNumLock, true);
  Activate(cad);
  EXPECT_EQ(keys(), (std::vector<bool>{true, false, true}));
  // The user switches all three; another window of the same setting.
  for (int vk : {kVkCapital, kVkNumLock, kVkScroll}) desk.SetToggled(vk, !desk.Toggled(vk));
  Activate(cad2);
  Tick();
  EXPECT_EQ(keys(), (std::vector<bool>{false, false, true})) << "toggle leaves the user's choice alone";
  Activate(word);
  Activate(cad);
  EXPECT_EQ(keys(), (std::vector<bool>{true, false, true})) << "on again after another setting was current";
}

TEST_F(MatcherTest, RememberKeepsEachSettingsOwnStates) {
  Add("CAD", ActionRemember, ActionRemember)->Filter_EXE = "ACAD";
  Add("Default", ActionRemember);
  desk.SetToggled(kVkCapital, true);
  Activate(cad);
  EXPECT_FALSE(desk.Toggled(kVkCapital)) << "remembered states start off";
  desk.SetToggled(kVkCapital, true);  // user works in CAD with Caps and Num on
  desk.SetToggled(kVkNumLock, true);
  Tick();
  Activate(word);  // Default remembers off and ignores Num Lock
  EXPECT_FALSE(desk.Toggled(kVkCapital));
  EXPECT_TRUE(desk.Toggled(kVkNumLock));
  desk.SetToggled(kVkNumLock, false);
  Activate(cad2);  // another window of the same setting shares its states
  EXPECT_TRUE(desk.Toggled(kVkCapital));
  EXPECT_TRUE(desk.Toggled(kVkNumLock));
}

TEST_F(MatcherTest, WithNoSettingMatchingAndNoDefaultNoneIsInForceAndNoKeyIsTouched) {
  Add("CAD", ActionMaintainOn, ActionMaintainOn)->Filter_EXE = "ACAD";
  Activate(cad);
  EXPECT_EQ(desk.KeyEvents().size(), 4u);
  Activate(word);
  EXPECT_EQ(state.CurrentSetting(), nullptr);
  EXPECT_EQ(desk.KeyEvents().size(), 4u) << "none in force touches no key";
}

}  // namespace
