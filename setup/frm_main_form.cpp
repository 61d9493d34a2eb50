#include "setup/frm_main_form.h"

#include <string>
#include <vector>

namespace {

using forms::ControlKind;
using forms::ControlSpec;

// Right edge of the pages' contents, in twips from the tab control's left.
constexpr int kRight = 5775;

ControlSpec OnPage(ControlSpec spec, int page) {
  spec.Container = "mstPage";
  spec.TabPage = page;
  return spec;
}

ControlSpec Label(const char* name, const char* caption, forms::TwipsRect rect, int page) {
  return OnPage({.Name = name, .Kind = ControlKind::Label, .Caption = caption, .Rect = rect}, page);
}

// A section's bold heading, with a thin line from its end to the right edge
// (the line arrays linMonitor and linSettings, one element a section).
void Heading(std::vector<ControlSpec>& controls, const char* name, const char* caption, forms::TwipsRect rect,
             int page) {
  int line = 0;
  const char* lines = page == kMonitorPage ? "linMonitor" : "linSettings";
  for (const ControlSpec& c : controls) line += c.Name == lines ? 1 : 0;
  ControlSpec heading = Label(name, caption, rect, page);
  heading.FontBold = true;
  controls.push_back(heading);
  const int left = rect.Left + rect.Width + 60;
  controls.push_back(OnPage({.Name = lines,
                             .Kind = ControlKind::Line,
                             .Index = line,
                             .Rect = {left, rect.Top + rect.Height / 2, kRight - left, 0}},
                            page));
}

// A window field: box (window colour, border), text label (white) and the
// light-green highlight, laid on top of each other in that order.
void Field(std::vector<ControlSpec>& controls, const char* name, const char* text, forms::TwipsRect box, int help) {
  controls.push_back(OnPage({.Name = name,
                             .Kind = ControlKind::Label,
                             .Index = 0,
                             .HelpTopic = help,
                             .Rect = box,
                             .BackColor = forms::kColorWindow,
                             .Border = forms::BorderStyle::FixedSingle},
                            kMonitorPage));
  controls.push_back(OnPage({.Name = name,
                             .Kind = ControlKind::Label,
                             .Index = 1,
                             .Caption = text,
                             .HelpTopic = help,
                             .Rect = box,
                             .BackColor = forms::Rgb(255, 255, 255)},
                            kMonitorPage));
  controls.push_back(OnPage({.Name = name,
                             .Kind = ControlKind::Label,
                             .Index = 2,
                             .HelpTopic = help,
                             .Rect = box,
                             .Visible = false,
                             .BackColor = forms::Rgb(192, 255, 192)},
                            kMonitorPage));
}

// A key's frame with its square lamp and state label inside.
void KeyFrame(std::vector<ControlSpec>& controls, const std::string& key, int left) {
  const std::string frame = "fra" + key;
  controls.push_back(OnPage({.Name = frame,
                             .Kind = ControlKind::Frame,
                             .ToolTip = "Dbl-Click to toggle",
                             .HelpTopic = 105,
                             .Rect = {left, 3120, 1695, 495}},
                            kMonitorPage));
  controls.push_back({.Name = "shp" + key + "Stat",
                      .Kind = ControlKind::Shape,
                      .Rect = {120, 150, 135, 135},
                      .Container = frame,
                      .ForeColor = forms::kColorWindowText,
                      .FillColor = forms::kColorButtonFace,
                      .Shape = forms::ShapeKind::Square,
                      .Fill = forms::FillStyle::Solid});
  controls.push_back({.Name = "lbl" + key + "Stat",
                      .Kind = ControlKind::Label,
                      .ToolTip = "Dbl-Click to toggle",
                      .HelpTopic = 105,
                      .Rect = {360, 120, 1095, 285},
                      .Container = frame});
}

ControlSpec List(const char* name, forms::TwipsRect rect, int help) {
  return OnPage({.Name = name, .Kind = ControlKind::ComboBox, .HelpTopic = help, .Rect = rect}, kSettingsPage);
}

void MonitorPage(std::vector<ControlSpec>& c) {
  Heading(c, "lbMatch", "Setting for Active Window", {120, 480, 2235, 195}, kMonitorPage);
  c.push_back(Label("lblName", "Name", {120, 720, 1095, 270}, kMonitorPage));
  c.push_back(OnPage({.Name = "lblSettingMatch",
                      .Kind = ControlKind::Label,
                      .Caption = "Setting Name",
                      .ToolTip = "Name of the currently activated setting.",
                      .HelpTopic = 75,
                      .Rect = {1320, 720, 4455, 270},
                      .BackColor = forms::kColorWindow,
                      .Border = forms::BorderStyle::FixedSingle},
                     kMonitorPage));
  Heading(c, "lblActiveWindow", "Active Window", {120, 1200, 1290, 195}, kMonitorPage);
  c.push_back(Label("lblTitle", "Title", {120, 1440, 1095, 270}, kMonitorPage));
  Field(c, "lblAWTitle", "Window Title", {1320, 1440, 4455, 270}, 80);
  c.push_back(Label("lblOwnerTitle", "Owner Title", {120, 1800, 1095, 270}, kMonitorPage));
  Field(c, "lblAWOwnerTitle", "", {1320, 1800, 4455, 270}, 85);
  c.push_back(Label("lblOwnerEXE", "Owner EXE", {120, 2160, 1095, 270}, kMonitorPage));
  Field(c, "lblAWOwnerEXE", "Name of Executable", {1320, 2160, 4455, 270}, 90);
  c.push_back(OnPage({.Name = "cmdEdit",
                      .Kind = ControlKind::CommandButton,
                      .Caption = "Edit",
                      .ToolTip = "Edit the active setting.",
                      .HelpTopic = 95,
                      .Rect = {1320, 2520, 1332, 280}},
                     kMonitorPage));
  c.push_back(OnPage({.Name = "cmdNewSnapshot",
                      .Kind = ControlKind::CommandButton,
                      .Caption = "New Setting",
                      .ToolTip = "Capture current window as new setting.",
                      .HelpTopic = 100,
                      .Rect = {4440, 2520, 1332, 280}},
                     kMonitorPage));
  Heading(c, "lblKeyState", "Key State", {120, 2880, 840, 195}, kMonitorPage);
  KeyFrame(c, "CapsLock", 120);
  KeyFrame(c, "NumLock", 2160);
  KeyFrame(c, "ScrollLock", 4080);
}

void SettingsPage(std::vector<ControlSpec>& c) {
  Heading(c, "lblSetting", "Choose / Edit Setting Name", {120, 480, 2385, 195}, kSettingsPage);
  c.push_back(List("cboSetting", {240, 720, 2895, 288}, 110));
  const auto button = [&](const char* name, const char* caption, const char* tip, forms::TwipsRect rect) {
    c.push_back(OnPage({.Name = name,
                        .Kind = ControlKind::CommandButton,
                        .Caption = caption,
                        .ToolTip = tip,
                        .HelpTopic = 110,
                        .Rect = rect},
                       kSettingsPage));
  };
  button("cmdNew", "New", "Add a new setting", {3240, 720, 735, 372});
  button("cmdRename", "Rename", "Rename the currently chosen setting.", {4080, 720, 855, 375});
  button("cmdDelete", "Delete", "Delete the currently chosen setting.", {5040, 720, 735, 372});

  Heading(c, "lblMatch", "Match Window by:", {120, 1320, 1815, 270}, kSettingsPage);
  ControlSpec filterText = Label("lblFilterText", "Filter Text", {1440, 1560, 690, 195}, kSettingsPage);
  filterText.FontUnderline = true;
  c.push_back(filterText);
  ControlSpec matchType = Label("lblMatchType", "Match type", {4560, 1560, 795, 195}, kSettingsPage);
  matchType.FontUnderline = true;
  c.push_back(matchType);
  const struct {
    const char* check;
    const char* caption;
    const char* text;
    const char* tip;
    int textHelp;
    const char* match;
    int top;
  } filters[] = {
      {"chkTitle", "Title", "txtFilter_Title", "... compared to Title-bar text of a Window", 120, "cboMatch_Title", 1800},
      {"chkOwnerTitle", "Owner Title", "txtFilter_Owner",
       "... compared to Title-bar text of a child window's Owner window", 125, "cboMatch_Owner", 2160},
      {"chkOwnerEXE", "EXE Name", "txtFilter_EXE", "... compared to Executable Name that created a window", 130,
       "cboMatch_EXE", 2520},
  };
  for (const auto& f : filters) {
    c.push_back(OnPage({.Name = f.check,
                        .Kind = ControlKind::CheckBox,
                        .Caption = f.caption,
                        .HelpTopic = 115,
                        .Rect = {240, f.top, 1092, 372}},
                       kSettingsPage));
    c.push_back(OnPage({.Name = f.text,
                        .Kind = ControlKind::TextBox,
                        .ToolTip = f.tip,
                        .HelpTopic = f.textHelp,
                        .Rect = {1440, f.top, 3012, 315}},
                       kSettingsPage));
    c.push_back(List(f.match, {4560, f.top, 1215, 288}, 135));
  }

  Heading(c, "lblAction", "Action for this Setting", {120, 3120, 1860, 195}, kSettingsPage);
  const struct {
    const char* label;
    const char* caption;
    const char* list;
    int top;
  } actions[] = {{"lblCapsLock", "Caps Lock", "cboAction_CapsLock", 3480},
                 {"lblNumLock", "Num Lock", "cboAction_NumLock", 3840},
                 {"lblScrollLock", "Scroll Lock", "cboAction_ScrollLock", 4200}};
  for (const auto& a : actions) {
    c.push_back(Label(a.label, a.caption, {120, a.top, 1092, 276}, kSettingsPage));
    c.push_back(List(a.list, {1320, a.top, 3372, 288}, 140));
  }
}

void Menus(std::vector<ControlSpec>& c) {
  const auto menu = [&](const char* name, const char* caption, bool visible = true) {
    c.push_back({.Name = name, .Kind = ControlKind::Menu, .Caption = caption, .Visible = visible});
  };
  const auto item = [&](const char* name, const char* caption, const char* container, int index = -1,
                        bool enabled = true) {
    c.push_back({.Name = name,
                 .Kind = ControlKind::MenuItem,
                 .Index = index,
                 .Caption = caption,
                 .Container = container,
                 .Enabled = enabled});
  };
  menu("mFile", "&File");
  item("mHide", "Hide Tarvolo", "mFile");
  item("mFileSep", "-", "mFile");
  item("mExit", "E&xit Program", "mFile");
  menu("mEdit", "&Edit");
  item("mReverse", "Reverse Clipboard Text", "mEdit");
  item("mCapitalize", "Capitalize Clipboard Text", "mEdit");
  item("mLower", "Lower Case Clipboard Text", "mEdit");
  item("mEditSep", "-", "mEdit");
  item("mOptions", "Options", "mEdit");
  menu("mShrink", "&Shrink");
  menu("mHelp", "&Help");
  item("mContents", "Contents", "mHelp");
  menu("mPopup", "Popup", false);
  item("mnuPopup", "Cut", "mPopup", kPopupCut, false);
  item("mnuPopup", "Copy", "mPopup", kPopupCopy);
  item("mnuPopup", "Paste", "mPopup", kPopupPaste, false);
  item("mnuPopup", "Delete", "mPopup", kPopupDelete, false);
}

}  // namespace

forms::FormSpec frmMainForm() {
  forms::FormSpec form{.Name = "frmMain",
                       .Caption = "Tarvolo",
                       .Rect = {0, 0, 6135, 4800},
                       .Border = forms::BorderStyle::FixedSingle,
                       .ShowInTaskbar = true};
  std::vector<ControlSpec>& c = form.Controls;
  c.push_back({.Name = "mstPage",
               .Kind = ControlKind::TabControl,
               .Rect = {0, 120, 6015, 3735},
               .Items = {"Monitor", "Settings"}});
  MonitorPage(c);
  SettingsPage(c);
  Menus(c);
  return form;
}
