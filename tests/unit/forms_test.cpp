// The headless form layer: events raised once whether code or the user makes
// a change, timers on the simulated clock, loading and unloading.
#include <gtest/gtest.h>

#include "platform/forms/form.h"
#include "platform/forms/form_error.h"
#include "platform/sim/headless_ui.h"

namespace {

using forms::ControlKind;

forms::FormSpec TestForm() {
  forms::FormSpec spec{.Name = "frmTest", .Caption = "Test"};
  spec.Controls = {
      {.Name = "chkOnTop", .Kind = ControlKind::CheckBox, .Caption = "Always On Top"},
      {.Name = "optMode", .Kind = ControlKind::OptionButton, .Index = 0, .Caption = "A", .Container = "fraMode"},
      {.Name = "optMode", .Kind = ControlKind::OptionButton, .Index = 1, .Caption = "B", .Container = "fraMode"},
      {.Name = "optOther", .Kind = ControlKind::OptionButton, .Caption = "C"},
      {.Name = "fraMode", .Kind = ControlKind::Frame, .Caption = "Mode"},
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
  sim::SimDesktop desktop;
  sim::HeadlessUi ui{desktop};
  forms::Form form{ui, TestForm()};
};

TEST_F(FormsTest, ChangesFromCodeAndFromTheUserRaiseTheirEventOnce) {
  form.Load();
  int clicks = 0, changes = 0, listClicks = 0;
  form["chkOnTop"].Click.Handle([&] { ++clicks; });
  form["txtName"].Change.Handle([&] { ++changes; });
  form["cboList"].Click.Handle([&] { ++listClicks; });

  form["chkOnTop"].SetValue(1);
  form["chkOnTop"].SetValue(1);  // no change, no event
  ui.Click(form["chkOnTop"]);
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(form["chkOnTop"].Value(), 0);

  form["txtName"].SetText("abc");
  ui.Type(form["txtName"], "abcd");
  ui.Type(form["txtName"], "abcd");
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(form["txtName"].Text(), "abcd");

  form["cboList"].SetListIndex(1);
  ui.Select(form["cboList"], 2);
  form["cboList"].SetListIndex(2);
  EXPECT_EQ(listClicks, 2);
  EXPECT_EQ(form["cboList"].Text(), "three");
  EXPECT_THROW(form["cboList"].SetListIndex(3), forms::Error);
}

TEST_F(FormsTest, AnOptionButtonClearsTheOthersOfItsContainerOnly) {
  form.Load();
  int clicksB = 0, clicksA = 0;
  form.Item("optMode", 0).Click.Handle([&] { ++clicksA; });
  form.Item("optMode", 1).Click.Handle([&] { ++clicksB; });
  form["optOther"].SetValue(1);
  form.Item("optMode", 0).SetValue(1);
  ui.Click(form.Item("optMode", 1));
  EXPECT_EQ(form.Item("optMode", 0).Value(), 0);
  EXPECT_EQ(form.Item("optMode", 1).Value(), 1);
  EXPECT_EQ(form["optOther"].Value(), 1);
  EXPECT_EQ(clicksA, 1);
  EXPECT_EQ(clicksB, 1);
}

TEST_F(FormsTest, ComboListKeepsItsSelectionWhenAnEarlierItemGoes) {
  forms::Control& list = form["cboList"];
  list.SetListIndex(2);
  list.RemoveItem(0);
  EXPECT_EQ(list.ListIndex(), 1);
  list.RemoveItem(1);
  EXPECT_EQ(list.ListIndex(), -1);
  EXPECT_EQ(list.ListCount(), 1);
}

TEST_F(FormsTest, ChangingThePageRaisesTheTabClickWithThePreviousPage) {
  std::vector<int> previous;
  form["mstPage"].TabClick.Handle([&](int page) { previous.push_back(page); });
  form["mstPage"].SetTab(1);
  form["mstPage"].SetTab(1);
  form["mstPage"].UserTab(0);
  EXPECT_EQ(previous, (std::vector<int>{0, 1}));
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
  form.Load();
  form["txtName"].SetText("changed");
  form.SetCaption("Other");
  ASSERT_TRUE(form.Unload());
  desktop.AdvanceClock(1000);
  EXPECT_EQ(ticks, 0);
  form.Load();
  EXPECT_EQ(form["txtName"].Text(), "");
  EXPECT_EQ(form.Caption(), "Test");
  desktop.AdvanceClock(100);
  EXPECT_EQ(ticks, 1);
}

TEST_F(FormsTest, QueryUnloadCanKeepTheFormLoaded) {
  forms::UnloadMode seen = forms::UnloadMode::FormCode;
  form.QueryUnload.Handle([&](int& cancel, forms::UnloadMode mode) {
    seen = mode;
    cancel = 1;
  });
  form.Show();
  ui.CloseBox(form);
  EXPECT_TRUE(form.Loaded());
  EXPECT_EQ(seen, forms::UnloadMode::FormControlMenu);
}

TEST_F(FormsTest, AddingAControlWithATakenNameFailsWith727) {
  form.Load();
  forms::Control& first = form.AddControl({.Name = "pichook", .Kind = ControlKind::PictureBox});
  EXPECT_NE(first.hWnd(), 0);
  try {
    form.AddControl({.Name = "pichook", .Kind = ControlKind::PictureBox});
    FAIL() << "no error";
  } catch (const forms::Error& error) {
    EXPECT_EQ(error.Number(), forms::kErrControlExists);
  }
}

TEST_F(FormsTest, APopupMenuRaisesTheClickOfThePickedItemOnly) {
  form.Load();
  std::vector<int> clicked;
  for (int i : {0, 2}) form.Item("mnuItem", i).Click.Handle([&, i] { clicked.push_back(i); });
  ui.AnswerPopupMenu(2);
  ui.AnswerPopupMenu(1);  // the separator
  form.PopupMenu(form["mPopup"], forms::kPopupRightButton, &form.Item("mnuItem", 2));
  form.PopupMenu(form["mPopup"]);
  form.PopupMenu(form["mPopup"]);  // closed without a pick
  EXPECT_EQ(clicked, std::vector<int>{2});
  ASSERT_EQ(ui.PopupMenus().size(), 3u);
  EXPECT_EQ(ui.PopupMenus()[0].captions, (std::vector<std::string>{"First", "-", "Last"}));
  EXPECT_EQ(ui.PopupMenus()[0].defaultItem, 2);
  EXPECT_EQ(ui.PopupMenus()[0].flags, forms::kPopupRightButton);
  EXPECT_EQ(ui.PopupMenus()[1].defaultItem, -1);
}

TEST(FormsHelp, F1GivesTheControlsTopicOrElseTheFormsOwn) {
  sim::SimDesktop desktop;
  sim::HeadlessUi ui{desktop};
  forms::FormSpec spec{.Name = "frmHelp", .HelpTopic = 10};
  spec.Controls = {{.Name = "lblWith", .Kind = ControlKind::Label, .HelpTopic = 42},
                   {.Name = "lblWithout", .Kind = ControlKind::Label}};
  forms::Form form{ui, spec};
  form.Load();
  std::vector<std::int32_t> topics;
  form.HelpRequested.Handle([&](std::int32_t topic) { topics.push_back(topic); });
  ui.Help(form, &form["lblWith"]);
  ui.Help(form, &form["lblWithout"]);
  ui.Help(form, nullptr);
  EXPECT_EQ(topics, (std::vector<std::int32_t>{42, 10, 10}));
}

TEST_F(FormsTest, ShowingAFormMakesItsWindowTheActiveOneOfTheProgramsProcess) {
  int activations = 0;
  form.Activate.Handle([&] { ++activations; });
  form.Show();
  EXPECT_EQ(desktop.Foreground(), form.hWnd());
  EXPECT_EQ(activations, 1);
  std::uint32_t pid = 0;
  desktop.GetWindowThreadProcessId(form.hWnd(), &pid);
  EXPECT_EQ(pid, ui.ProcessId());
  char title[32];
  form.SetCaption("Tarvolo - [x]");
  desktop.GetWindowTextA(form.hWnd(), title, sizeof title);
  EXPECT_STREQ(title, "Tarvolo - [x]");
}

}  // namespace
