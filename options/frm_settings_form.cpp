#include "options/frm_settings_form.h"

namespace {
using forms::ControlKind;
using forms::ControlSpec;

constexpr const char* kHotkeyTip = "Press key combination to set hotkey";
// The height of the start-up and tray section: the rows below it move down by it.
constexpr int kDown = 1300;
}  // namespace

forms::FormSpec frmSettingsForm() {
  forms::FormSpec form{.Name = "frmSettings",
                       .Caption = "Options",
                       .Rect = {0, 0, 5900, 5500 + kDown},
                       .Border = forms::BorderStyle::FixedDialog,
                       .ShowInTaskbar = false};
  std::vector<ControlSpec>& c = form.Controls;
  const auto heading = [&](const char* name, const char* caption, int top) {
    c.push_back({.Name = name, .Kind = ControlKind::Label, .Caption = caption, .Rect = {120, top, 5300, 240},
                 .FontBold = true});
  };
  heading("lblTarvoloWindow", "Tarvolo Window", 120);
  c.push_back({.Name = "chkAlwaysOnTop", .Kind = ControlKind::CheckBox, .Caption = "Always On Top",
               .Rect = {240, 400, 3000, 300}});
  heading("lblStartAndTray", "Start-up and Tray Icon", 820);
  const struct {
    const char* name;
    const char* caption;
    const char* tip;
  } boxes[] = {
      {"chkStartWithWindows", "&Start Tarvolo with Windows", "Start Tarvolo when you log on to Windows"},
      {"chkShowLockKeysInTray", "Show the &lock keys in the tray icon",
       "The icon in the notification area shows which of Caps, Num and Scroll Lock are on"},
      {"chkTellLockKeyChanges", "&Tell me when a setting changes a lock key",
       "A notice in the notification area says which lock key a setting switched, and why"},
  };
  int top = 1100;
  for (const auto& b : boxes) {
    c.push_back({.Name = b.name, .Kind = ControlKind::CheckBox, .Caption = b.caption, .ToolTip = b.tip,
                 .Rect = {240, top, 5200, 300}});
    top += 300;
  }
  heading("lblKeyMode", "Key Mode", 820 + kDown);
  c.push_back({.Name = "optKeyMode", .Kind = ControlKind::OptionButton, .Index = 0,
               .Caption = "Keystroke Simulation", .Rect = {240, 1100 + kDown, 5200, 300}});
  c.push_back({.Name = "optKeyMode", .Kind = ControlKind::OptionButton, .Index = 1,
               .Caption = "Windows Messaging  (N/A for Windows NT)", .Rect = {240, 1400 + kDown, 5200, 300}});
  heading("lblHotKey", "Hot-Keys", 1820 + kDown);
  const struct {
    const char* label;
    const char* caption;
    const char* box;
    int top;
  } rows[] = {{"lblShow_HotKey", "Show Tarvolo", "txtShow_HotKey", 2100 + kDown},
              {"lblCapitalize_Hotkey", "Capitalize Highlighted Text", "txtCapitalize_Hotkey", 2460 + kDown},
              {"lblReverse_HotKey", "Reverse Highlighted Text", "txtReverse_HotKey", 2820 + kDown},
              {"lblLowercase_HotKey", "Make Highlighted Text Lower-Case", "txtLowercase_HotKey", 3180 + kDown}};
  for (const auto& r : rows) {
    c.push_back({.Name = r.label, .Kind = ControlKind::Label, .Caption = r.caption, .Rect = {240, r.top + 30, 3200, 255}});
    c.push_back({.Name = r.box, .Kind = ControlKind::TextBox, .ToolTip = kHotkeyTip, .Rect = {3480, r.top, 2240, 315},
                 .CapturesKeys = true});
  }
  c.push_back({.Name = "lblAdminPassword", .Kind = ControlKind::Label, .Caption = "Administration Password",
               .Rect = {120, 3690 + kDown, 3300, 255}, .FontBold = true});
  c.push_back({.Name = "txtPassword", .Kind = ControlKind::TextBox, .Rect = {3480, 3660 + kDown, 2240, 315}});
  c.push_back({.Name = "lblNote", .Kind = ControlKind::Label, .Caption = "(Blank = No password necessary)",
               .Rect = {2400, 4020 + kDown, 3320, 255}, .Align = forms::Alignment::Right});
  c.push_back({.Name = "cmdOK", .Kind = ControlKind::CommandButton, .Caption = "OK",
               .Rect = {3200, 4500 + kDown, 1200, 375}, .Default = true});
  c.push_back({.Name = "cmdCancel", .Kind = ControlKind::CommandButton, .Caption = "Cancel",
               .Rect = {4520, 4500 + kDown, 1200, 375}, .Cancel = true});
  c.push_back({.Name = "tmrHotKey", .Kind = ControlKind::Timer, .Interval = 250});
  return form;
}
