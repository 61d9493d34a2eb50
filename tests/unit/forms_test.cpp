// The form layer's controls: an event raised once whether code or the user
// makes a change. Timers, menus and unloading are driven by the resident
// program's own tests.
#include <gtest/gtest.h>

#include "platform/forms/binding.h"
#include "platform/forms/form.h"
#include "platform/forms/form_error.h"
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

}  // namespace
