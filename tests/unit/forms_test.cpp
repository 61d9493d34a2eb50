// The form layer on its headless backend: events raised once whether code or
// the user makes a change, timers on the simulated clock, loading and
// unloading.
#include <gtest/gtest.h>

#include "platform/forms/form.h"
#include "platform/forms/form_error.h"
#include "platform/sim/headless_ui.h"

namespace {

using forms::ControlKind;

forms::FormSpec TestForm() {
  forms::FormSpec spec{.Name = "frmTest", .Caption = "Test", .HelpTopic = 10};
  spec.Controls = {
      {.Name = "chkOnTop", .Kind = ControlKind::CheckBox, .HelpTopic = 42},
      {.Name = "optMode", .Kind = ControlKind::OptionButton, .Index = 0, .Container = "fraMode"},
      {.Name = "optMode", .Kind = ControlKind::OptionButton, .Index = 1, .Container = "fraMode"},
      {.Name = "optOther", .Kind = ControlKind::OptionButton},
      {.Name = "fraMode", .Kind = ControlKind::Frame},
      {.Name = "txtName", .Kind = ControlKind::TextBox},
      {.Name = "cboList", .Kind = ControlKind::ComboBox, .Items = {"one", "two", "three"}},
      {.Name = "mstPage", .Kind = ControlKind::TabControl, .Items = {"Monitor", "Settings"}},
      {.Name = "tmrTick", .Kind = ControlKind::Timer, .Interval = 100},
      {.Name = "mPopup", .Kind = ControlKind::Menu, .Caption = "Popup", .Visible = false},
      {.Name = "mnuItem", .Kind = ControlKind::MenuItem, .Index = 0, .Caption = "First", .Container = "mPopup"},
      {.Name = "mnuItem", .Kind = ControlKind::MenuItem, .Index = 1, .Caption = "-", .Container = "mPopup"},
      {.Name = "mnuItem", .Kind = ControlKind::MenuItem, .Index = 2, .Caption = "Last", .Container = "mPopup"},
  };
  return spec;
}

class FormsTest : public ::testing::Test {
 protected:
  void Record(forms::Control& control, const std::string& name) {
    control.Click.Handle([this, name] { events.push_back(name); });
  }
  sim::SimDesktop desktop;
  sim::HeadlessUi ui{desktop};
  forms::Form form{ui, TestForm()};
  std::vector<std::string> events;
};

TEST_F(FormsTest, ChangesFromCodeAndFromTheUserRaiseTheirEventOnce) {
  form.Load();
  Record(form["chkOnTop"], "check");
  Record(form["cboList"], "list");
  Record(form.Item("optMode", 0), "A");
  Record(form.Item("optMode", 1), "B");
  form["txtName"].Change.Handle([this] { events.push_back("text"); });
  form["mstPage"].TabClick.Handle([this](int previous) { events.push_back("tab from " + std::to_string(previous)); });

  form["chkOnTop"].SetValue(1);
  form["chkOnTop"].SetValue(1);  // no change, no event
  ui.Click(form["chkOnTop"]);
  form["txtName"].SetText("abc");
  ui.Type(form["txtName"], "abcd");
  ui.Type(form["txtName"], "abcd");
  form["cboList"].SetListIndex(1);
  ui.Select(form["cboList"], 2);
  form["cboList"].SetListIndex(2);
  form["mstPage"].SetTab(1);
  form["mstPage"].SetTab(1);
  form["mstPage"].UserTab(0);
  EXPECT_EQ(events, (std::vector<std::string>{"check", "check", "text", "text", "list", "list", "tab from 0",
                                              "tab from 1"}));
  EXPECT_EQ(form["chkOnTop"].Value(), 0);
  EXPECT_EQ(form["cboList"].Text(), "three");
  EXPECT_THROW(form["cboList"].SetListIndex(3), forms::Error);

  // An option button clears the others of its own container only.
  events.clear();
  form["optOther"].SetValue(1);
  form.Item("optMode", 0).SetValue(1);
  ui.Click(form.Item("optMode", 1));
  EXPECT_EQ(events, (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(form.Item("optMode", 0).Value(), 0);
  EXPECT_EQ(form["optOther"].Value(), 1);
}

TEST_F(FormsTest, TimersTickOnlyAfterTheLoadHandlerAndNeverInsideTheirOwnTick) {
  int ticks = 0, depth = 0, deepest = 0;
  form.LoadEvent.Handle([&] {
    desktop.Sleep(500);
    desktop.DoEvents();  // a load handler that services events
  });
  form["tmrTick"].Timer.Handle([&] {
    ++ticks;
    deepest = std::max(deepest, ++depth);
    desktop.Sleep(250);
    desktop.DoEvents();  // the same timer is due again in here
    --depth;
  });
  form.Load();
  EXPECT_EQ(ticks, 0);
  desktop.AdvanceClock(1000);
  EXPECT_GT(ticks, 2);
  EXPECT_EQ(deepest, 1);
  form["tmrTick"].SetEnabled(false);
  const int before = ticks;
  desktop.AdvanceClock(1000);
  EXPECT_EQ(ticks, before);
}

TEST_F(FormsTest, AnUnloadedFormStopsItsTimersAndStartsAfreshWhenLoadedAgain) {
  int ticks = 0;
  form["tmrTick"].Timer.Handle([&] { ++ticks; });
  form.QueryUnload.Handle([&](int& cancel, forms::UnloadMode mode) { cancel = mode == forms::UnloadMode::FormControlMenu; });
  form.Show();
  form["txtName"].SetText("changed");
  ui.CloseBox(form);
  EXPECT_TRUE(form.Loaded()) << "the close box was cancelled";
  ASSERT_TRUE(form.Unload());
  desktop.AdvanceClock(1000);
  EXPECT_EQ(ticks, 0);
  form.Load();
  EXPECT_EQ(form["txtName"].Text(), "");
  desktop.AdvanceClock(100);
  EXPECT_EQ(ticks, 1);
}

TEST_F(FormsTest, APopupMenuRaisesTheClickOfThePickedItemOnly) {
  form.Load();
  Record(form.Item("mnuItem", 0), "First");
  Record(form.Item("mnuItem", 2), "Last");
  ui.AnswerPopupMenu(2);
  ui.AnswerPopupMenu(1);  // the separator
  form.PopupMenu(form["mPopup"], forms::kPopupRightButton, &form.Item("mnuItem", 2));
  form.PopupMenu(form["mPopup"]);
  form.PopupMenu(form["mPopup"]);  // closed without a pick
  EXPECT_EQ(events, std::vector<std::string>{"Last"});
  ASSERT_EQ(ui.PopupMenus().size(), 3u);
  EXPECT_EQ(ui.PopupMenus()[0].captions, (std::vector<std::string>{"First", "-", "Last"}));
  EXPECT_EQ(ui.PopupMenus()[0].defaultItem, 2);
  EXPECT_EQ(ui.PopupMenus()[1].defaultItem, -1);
}

TEST_F(FormsTest, AShownFormIsTheActiveWindowOfTheProgramsProcessAndF1FindsATopic) {
  form.Show();
  EXPECT_EQ(desktop.Foreground(), form.hWnd());
  std::uint32_t pid = 0;
  desktop.GetWindowThreadProcessId(form.hWnd(), &pid);
  EXPECT_EQ(pid, ui.ProcessId()) << "what tells the program's own windows apart";
  char title[32];
  form.SetCaption("Tarvolo - [x]");
  desktop.GetWindowTextA(form.hWnd(), title, sizeof title);
  EXPECT_STREQ(title, "Tarvolo - [x]");

  std::vector<std::int32_t> topics;
  form.HelpRequested.Handle([&](std::int32_t topic) { topics.push_back(topic); });
  ui.Help(form, &form["chkOnTop"]);
  ui.Help(form, &form["txtName"]);
  ui.Help(form, nullptr);
  EXPECT_EQ(topics, (std::vector<std::int32_t>{42, 10, 10}));
}

}  // namespace
