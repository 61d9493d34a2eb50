#pragma once
// The form the Windows tests and the preview tool build: every kind of
// control the setup window and the Options dialog use.
#include "platform/forms/form_data.h"

namespace wintest {

// Two pages: key lamps in frames, a window field of three labels and a
// separator on the first; an underlined label, a text box and check box on
// the second. Buttons and a timer on the form.
inline forms::FormSpec LayoutForm() {
  using forms::ControlKind;
  forms::FormSpec spec{.Name = "frmLayout", .Caption = "Tarvolo form layer", .Rect = {0, 0, 6300, 5400},
                       .Border = forms::BorderStyle::FixedSingle};
  const auto page = [](forms::ControlSpec c, int tabPage) {
    c.Container = "mstPage";
    c.TabPage = tabPage;
    return c;
  };
  spec.Controls = {
      {.Name = "mstPage", .Kind = ControlKind::TabControl, .Rect = {60, 60, 6015, 4200}, .Items = {"Monitor", "Settings"}},
      page({.Name = "lblKeyState", .Kind = ControlKind::Label, .Caption = "Key State", .Rect = {120, 480, 1500, 255},
            .FontBold = true}, 0),
      page({.Name = "linTop", .Kind = ControlKind::Line, .Rect = {120, 840, 5700, 0}}, 0),
      page({.Name = "fraCapsLock", .Kind = ControlKind::Frame, .ToolTip = "Dbl-Click to toggle",
            .Rect = {120, 1000, 1695, 495}}, 0),
      {.Name = "shpCapsLockStat", .Kind = ControlKind::Shape, .Rect = {120, 150, 135, 135}, .Container = "fraCapsLock",
       .BackColor = forms::Rgb(0, 255, 0), .Shape = forms::ShapeKind::Square, .Fill = forms::FillStyle::Solid},
      {.Name = "lblCapsLockStat", .Kind = ControlKind::Label, .Caption = "Caps Lock ON", .Rect = {360, 120, 1095, 285},
       .Container = "fraCapsLock"},
      page({.Name = "fraNumLock", .Kind = ControlKind::Frame, .Rect = {2160, 1000, 1695, 495}}, 0),
      {.Name = "shpNumLockStat", .Kind = ControlKind::Shape, .Rect = {120, 150, 135, 135}, .Container = "fraNumLock",
       .BackColor = forms::kColorButtonFace, .Shape = forms::ShapeKind::Square, .Fill = forms::FillStyle::Solid},
      {.Name = "lblNumLockStat", .Kind = ControlKind::Label, .Caption = "Num Lock off", .Rect = {360, 120, 1095, 285},
       .Container = "fraNumLock"},
      page({.Name = "linMiddle", .Kind = ControlKind::Line, .Rect = {120, 1680, 5700, 0}}, 0),
      page({.Name = "lblAWTitle", .Kind = ControlKind::Label, .Index = 0, .Rect = {1305, 1905, 4485, 300},
            .BackColor = forms::kColorWindow, .Border = forms::BorderStyle::FixedSingle}, 0),
      page({.Name = "lblAWTitle", .Kind = ControlKind::Label, .Index = 1, .Caption = "Untitled - Notepad",
            .Rect = {1320, 1920, 4455, 270}, .BackColor = forms::Rgb(255, 255, 255)}, 0),
      page({.Name = "lblAWTitle", .Kind = ControlKind::Label, .Index = 2, .Caption = "Untitled",
            .Rect = {1320, 1920, 600, 270}, .BackColor = forms::Rgb(192, 255, 192)}, 0),
      page({.Name = "lblFilterText", .Kind = ControlKind::Label, .Caption = "&Filter Text", .Rect = {120, 480, 1500, 255},
            .FontUnderline = true}, 1),
      page({.Name = "txtFilter", .Kind = ControlKind::TextBox, .Rect = {120, 780, 3000, 315}}, 1),
      page({.Name = "chkTitle", .Kind = ControlKind::CheckBox, .Caption = "&Title", .Rect = {120, 1200, 1500, 300}}, 1),
      page({.Name = "optMode", .Kind = ControlKind::OptionButton, .Index = 0, .Caption = "One", .Rect = {120, 1560, 1500, 300}}, 1),
      page({.Name = "optMode", .Kind = ControlKind::OptionButton, .Index = 1, .Caption = "Two", .Rect = {1800, 1560, 1500, 300}}, 1),
      page({.Name = "cboAction", .Kind = ControlKind::ComboBox, .Rect = {120, 1980, 3000, 300},
            .Items = {"Ignore", "Toggle ON", "Toggle OFF"}}, 1),
      {.Name = "cmdOK", .Kind = ControlKind::CommandButton, .Caption = "OK", .Rect = {3600, 4440, 1200, 375}, .Default = true},
      {.Name = "cmdCancel", .Kind = ControlKind::CommandButton, .Caption = "Cancel", .Rect = {4920, 4440, 1200, 375},
       .Cancel = true},
      {.Name = "tmrTick", .Kind = ControlKind::Timer, .Interval = 20},
  };
  return spec;
}

}  // namespace wintest
