// The form layer's controls: an event raised once whether code or the user
// makes a change. Timers, menus and unloading are driven by the resident
// program's own tests.
#include <gtest/gtest.h>

#include "platform/forms/binding.h"
#include "platform/forms/form.h"
#include "platform/forms/form_error.h"
#include "platform/forms/layout.h"
#include "platform/sim/headless_ui.h"

namespace {

using forms::ControlKind;

forms::FormSpec TestForm() {
  forms::FormSpec spec{.Name = "frmTest", .Caption = "Test"};
  spec.Controls = {
      {.Name = "chkOnTop", .Kind = ControlKind::CheckBox},
      {.Name = "optMode", .Kind = ControlKind::OptionButton, .Index = 0, .Container = "fraMode"},
      {.Name = "optMode", .Kind = ControlKind::OptionButton, .Index = 1, .Container = "fraMode"},
      {.Name = "optOther", .Kind = ControlKind::OptionButton},
      {.Name = "fraMode", .Kind = ControlKind::Frame},
      {.Name = "txtName", .Kind = ControlKind::TextBox},
      {.Name = "cboList", .Kind = ControlKind::ComboBox, .Items = {"one", "two", "three"}},
      {.Name = "mstPage", .Kind = ControlKind::TabControl, .Items = {"Monitor", "Settings"}},
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

TEST_F(FormsTest, BindingFailsAtOnceForAMisspeltNameOrAnArrayOfAnotherSize) {
  const auto two = forms::BindArray<2>(form, "optMode");
  EXPECT_EQ(two[1], &form.Item("optMode", 1));
  const auto code = [](auto bind) {
    try {
      bind();
    } catch (const forms::Error& e) {
      return e.Number();
    }
    return 0;
  };
  EXPECT_EQ(code([&] { forms::BindArray<3>(form, "optMode"); }), forms::kErrNoSuchControl);
  EXPECT_EQ(code([&] { forms::BindArray<1>(form, "optMode"); }), forms::kErrNoSuchControl) << "one too many";
  EXPECT_EQ(code([&] { (void)form["optmode"]; }), forms::kErrNoSuchControl) << "names are exact";
}

// Focus and the keyboard, as the setup window and the Options dialog use them.
forms::FormSpec PagedForm() {
  forms::FormSpec spec{.Name = "frmPaged", .Caption = "Paged"};
  const auto on = [](forms::ControlSpec c, int page) {
    c.Container = "mstPage";
    c.TabPage = page;
    return c;
  };
  spec.Controls = {
      {.Name = "mstPage", .Kind = ControlKind::TabControl, .Items = {"Monitor", "Settings"}},
      on({.Name = "fraCapsLock", .Kind = ControlKind::Frame}, 0),
      {.Name = "shpCapsLockStat", .Kind = ControlKind::Shape, .Container = "fraCapsLock"},
      on({.Name = "cmdEdit", .Kind = ControlKind::CommandButton, .Caption = "&Edit"}, 0),
      on({.Name = "lblFilter", .Kind = ControlKind::Label, .Caption = "&Filter Text", .FontBold = true}, 1),
      on({.Name = "txtFilter", .Kind = ControlKind::TextBox}, 1),
      on({.Name = "chkTitle", .Kind = ControlKind::CheckBox, .Caption = "&Title"}, 1),
      {.Name = "cmdOK", .Kind = ControlKind::CommandButton, .Caption = "OK", .Default = true},
      {.Name = "cmdCancel", .Kind = ControlKind::CommandButton, .Caption = "Cancel", .Cancel = true},
      {.Name = "tmrTick", .Kind = ControlKind::Timer, .Interval = 100},
  };
  return spec;
}

class FormKeyboardTest : public ::testing::Test {
 protected:
  std::vector<std::string> Names(const std::vector<forms::Control*>& controls) {
    std::vector<std::string> names;
    for (const forms::Control* c : controls)
      names.push_back(c->Index() < 0 ? c->Name() : c->Name() + std::to_string(c->Index()));
    return names;
  }
  void Watch(forms::Control& control) {
    const std::string name = control.Name();
    control.GotFocus.Handle([this, name] { events.push_back(name + " got"); });
    control.LostFocus.Handle([this, name] { events.push_back(name + " lost"); });
  }
  sim::SimDesktop desktop;
  sim::HeadlessUi ui{desktop};
  forms::Form form{ui, PagedForm()};
  std::vector<std::string> events;
};

TEST_F(FormKeyboardTest, TheFocusFollowsTabCtrlTabAndAccessKeysAndGetFocusReportsIt) {
  for (const char* name : {"cmdEdit", "txtFilter", "chkTitle", "mstPage"}) Watch(form[name]);
  form["mstPage"].TabClick.Handle([this](int previous) { events.push_back("page from " + std::to_string(previous)); });
  form.Show();
  EXPECT_EQ(desktop.GetFocus(), form["cmdEdit"].hWnd());
  // Tab visits the page shown, the tab strip after what its pages hold.
  EXPECT_EQ(Names(forms::TabOrder(form)), (std::vector<std::string>{"cmdEdit", "mstPage", "cmdOK", "cmdCancel"}));

  ui.PressCtrlTab(form);  // the focus on the page hidden moves to the new one
  EXPECT_EQ(form["mstPage"].Tab(), 1);
  EXPECT_EQ(desktop.GetFocus(), form["txtFilter"].hWnd());
  ui.PressTab(form);
  ui.PressTab(form, true);
  ui.PressAccessKey(form, 'F');  // the label's key reaches the box after it
  ui.PressAccessKey(form, 't');  // a check box's key ticks it
  EXPECT_EQ(form["chkTitle"].Value(), 1);
  EXPECT_EQ(events, (std::vector<std::string>{"cmdEdit got", "cmdEdit lost", "page from 0", "txtFilter got",
                                              "txtFilter lost", "chkTitle got", "chkTitle lost", "txtFilter got",
                                              "txtFilter lost", "chkTitle got"}));
  EXPECT_EQ(desktop.GetFocus(), form["chkTitle"].hWnd());
  ui.PressCtrlTab(form, true);
  EXPECT_EQ(form["mstPage"].Tab(), 0);
  EXPECT_EQ(desktop.GetFocus(), form["cmdEdit"].hWnd());
  ui.PressCtrlTab(form, true);  // from the first page round to the last
  EXPECT_EQ(form["mstPage"].Tab(), 1);

  // Enter presses the default button, Escape the cancel one, unless disabled.
  std::vector<std::string> clicks;
  form["cmdOK"].Click.Handle([&] { clicks.push_back("ok"); });
  form["cmdCancel"].Click.Handle([&] { clicks.push_back("cancel"); });
  form["mstPage"].SetFocus();
  ui.PressEnter(form);
  ui.PressEscape(form);
  form["cmdCancel"].SetEnabled(false);
  EXPECT_FALSE(ui.PressEscape(form));
  EXPECT_EQ(clicks, (std::vector<std::string>{"ok", "cancel"}));
  EXPECT_EQ(Names(forms::TabOrder(form)), (std::vector<std::string>{"txtFilter", "chkTitle", "mstPage", "cmdOK"}));
  // A bold label measures wider, at every DPI.
  EXPECT_GT(form["lblFilter"].TextWidth("Caps Lock"), form["txtFilter"].TextWidth("Caps Lock"));
  EXPECT_EQ(form["txtFilter"].TextWidth("Caps Lock"), form.TextWidth("Caps Lock"));
}

TEST_F(FormKeyboardTest, AModalDialogLeavesItsOwnerUnusableWhileEveryTimerTicks) {
  forms::FormSpec dialogSpec{.Name = "frmSettings", .Caption = "Options"};
  dialogSpec.Controls = {{.Name = "cmdOK", .Kind = ControlKind::CommandButton, .Default = true}};
  forms::Form dialog{ui, dialogSpec};
  dialog.Load();
  dialog["cmdOK"].Click.Handle([&] { dialog.Hide(); });
  form.Show();
  int ticks = 0;
  form["tmrTick"].Timer.Handle([&] { ++ticks; });
  int ownerClicks = 0;
  form["cmdOK"].Click.Handle([&] { ++ownerClicks; });

  ui.OnModal([&](forms::Form& shown) {
    EXPECT_EQ(&shown, &dialog);
    EXPECT_TRUE(ui.Disabled(form));
    EXPECT_EQ(desktop.GetWindow(dialog.hWnd(), platform::kGwOwner), form.hWnd());
    EXPECT_FALSE(ui.Click(form["cmdOK"]));
    EXPECT_FALSE(ui.PressEnter(form));
    desktop.AdvanceClock(350);
    EXPECT_TRUE(ui.PressEnter(dialog));
  });
  dialog.ShowModal(form);
  EXPECT_EQ(ticks, 3);
  EXPECT_EQ(ownerClicks, 0);
  EXPECT_FALSE(dialog.Visible());
  EXPECT_FALSE(ui.Disabled(form));
  EXPECT_EQ(desktop.GetWindow(dialog.hWnd(), platform::kGwOwner), 0);
  EXPECT_TRUE(ui.Click(form["cmdOK"]));

  // With no hook the user closes the dialog with its close box.
  ui.OnModal(nullptr);
  int unloads = 0;
  dialog.UnloadEvent.Handle([&](int&) { ++unloads; });
  dialog.ShowModal(form);
  EXPECT_FALSE(dialog.Loaded());
  EXPECT_EQ(unloads, 1);
}

}  // namespace
