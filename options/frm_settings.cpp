#include "options/frm_settings.h"

#include "options/frm_settings_form.h"
#include "options/start_with_windows.h"
#include "platform/forms/binding.h"
#include "platform/forms/fit_captions.h"
#include "store/desktop.h"
#include "store/hotkey_table.h"

namespace {
// Spaces only, as the password box's text is taken.
std::string TrimSpaces(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

const char* BoxName(HotkeyId id) {
  switch (id) {
    case HotkeyId::Show:
      return "txtShow_HotKey";
    case HotkeyId::Capitalize:
      return "txtCapitalize_Hotkey";
    case HotkeyId::Reverse:
      return "txtReverse_HotKey";
    case HotkeyId::Lower:
      break;
  }
  return "txtLowercase_HotKey";
}

std::array<forms::Control*, 4> HotkeyBoxes(forms::Form& form) {
  std::array<forms::Control*, 4> boxes{};
  for (std::size_t i = 0; i < boxes.size(); ++i) boxes[i] = &form[BoxName(kHotkeys[i].id)];
  return boxes;
}
}  // namespace

frmSettings::frmSettings(SettingsStore& store, platform::Os& os, forms::Ui& ui, modHotkey& hotkeys)
    : store_(store),
      os_(os),
      ui_(ui),
      hotkeys_(hotkeys),
      form_(ui, frmSettingsForm()),
      chkAlwaysOnTop(form_["chkAlwaysOnTop"]),
      chkStartWithWindows(form_["chkStartWithWindows"]),
      chkShowLockKeysInTray(form_["chkShowLockKeysInTray"]),
      chkTellLockKeyChanges(form_["chkTellLockKeyChanges"]),
      optKeyMode(forms::BindArray<2>(form_, "optKeyMode")),
      hotkeyBoxes(HotkeyBoxes(form_)),
      txtPassword(form_["txtPassword"]),
      cmdOK(form_["cmdOK"]),
      cmdCancel(form_["cmdCancel"]),
      tmrHotKey(form_["tmrHotKey"]) {
  form_.LoadEvent.Handle([this] { Form_Load(); });
  form_.UnloadEvent.Handle([this](int&) { Form_Unload(); });
  cmdOK.Click.Handle([this] { cmdOK_Click(); });
  cmdCancel.Click.Handle([this] { form_.Unload(); });
  txtPassword.KeyPress.Handle([this](int& ascii) { txtPassword_KeyPress(ascii); });
  // Combinations are held, not typed: the boxes change only by the capture.
  for (forms::Control* box : hotkeyBoxes) box->KeyPress.Handle([](int& ascii) { ascii = 0; });
  tmrHotKey.Timer.Handle([this] { tmrHotKey_Timer(); });
}

std::array<clsHotkey*, 4> frmSettings::Globals() {
  std::array<clsHotkey*, 4> globals{};
  for (std::size_t i = 0; i < globals.size(); ++i) globals[i] = &(store_.AppOptions.*kHotkeys[i].record);
  return globals;
}

void frmSettings::ShowModal(forms::Form& owner) {
  owner_ = &owner;
  form_.ShowModal(owner);
}

void frmSettings::Form_Load() {
  const AppOptionsRecord& o = store_.AppOptions;
  chkAlwaysOnTop.SetValue(o.AlwaysOnTop ? 1 : 0);
  if (o.AlwaysOnTop) SetTopmost(os_, form_.hWnd(), true);
  // What the registry says now: the user may have changed it elsewhere.
  chkStartWithWindows.SetValue(StartsWithWindows(os_, os_.ProgramFile()) ? 1 : 0);
  chkShowLockKeysInTray.SetValue(o.ShowLockKeysInTray ? 1 : 0);
  chkTellLockKeyChanges.SetValue(o.TellLockKeyChanges ? 1 : 0);
  txtPassword.SetText(o.AdminPassword);
  if (store_.IsNT) {
    optKeyMode[0]->SetValue(1);
    for (forms::Control* opt : optKeyMode) opt->SetEnabled(false);
  } else {
    for (forms::Control* opt : optKeyMode) opt->SetEnabled(true);
    optKeyMode[o.KeystrokeSimulation ? 0 : 1]->SetValue(1);
  }
  const auto globals = Globals();
  for (std::size_t i = 0; i < Copies.size(); ++i) {
    Copies[i] = clsHotkey{};
    CopyHotkey(*globals[i], Copies[i]);
    hotkeyBoxes[i]->SetText(globals[i]->sHotkey);
    hotkeyBoxes[i]->SetForeColor(forms::kColorWindowText);
  }
  hotkeys_.UnregisterHotkeys();
  forms::FitCaptions(form_, ui_.TwipsPerPixelX());
}

void frmSettings::cmdOK_Click() {
  AppOptionsRecord& o = store_.AppOptions;
  o.AlwaysOnTop = chkAlwaysOnTop.Value() == 1;
  if (owner_ != nullptr) SetTopmost(os_, owner_->hWnd(), o.AlwaysOnTop);
  const auto globals = Globals();
  for (std::size_t i = 0; i < Copies.size(); ++i) CopyHotkey(Copies[i], *globals[i]);
  o.AdminPassword = TrimSpaces(txtPassword.Text());
  if (!store_.IsNT) o.KeystrokeSimulation = optKeyMode[0]->Value() == 1;
  o.ShowLockKeysInTray = chkShowLockKeysInTray.Value() == 1;
  o.TellLockKeyChanges = chkTellLockKeyChanges.Value() == 1;
  const bool start = chkStartWithWindows.Value() == 1;
  if (!SetStartWithWindows(os_, os_.ProgramFile(), start))
    ui_.MsgBox(std::string(start ? "Tarvolo could not set itself to start with Windows"
                                 : "Tarvolo could not stop starting with Windows") +
                   ": Windows did not let it change the entry \"" + kRunValue + "\" in\r\n\r\nHKEY_CURRENT_USER\\" +
                   kRunKey + "\r\n\r\nThe other options are kept.",
               forms::kMbExclamation, ui_.AppTitle());
  // The program may have ended while the message was up.
  if (form_.Loaded()) form_.Unload();  // which registers the hot-keys as they now are
}

// After OK, Cancel, the close box, "Exit" or the end of the session alike.
void frmSettings::Form_Unload() {
  Copies = {};
  hotkeys_.RegisterHotkeys();
}

void frmSettings::txtPassword_KeyPress(int& ascii) {
  if (PasswordWarned) return;
  PasswordWarned = true;
  const int answer = ui_.MsgBox(
      "An Admin. Password is used to control access to the Tarvolo\r\n"
      "setup windows.  If you create a password and forget it, you\r\n"
      "will not be able to change Tarvolo settings.",
      forms::kMbOkCancel | forms::kMbExclamation, ui_.AppTitle());
  // Closed meanwhile (the program's Exit): the character has nowhere to go.
  if (answer == forms::kMbAnswerCancel || !form_.Loaded()) ascii = 0;
}

bool SameCombination(std::int32_t lModifier, std::int32_t lVKey, const clsHotkey& hotkey) {
  return hotkey.lModifier == lModifier && hotkey.lVKey == lVKey;
}
