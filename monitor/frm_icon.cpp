#include "monitor/frm_icon.h"

#include "monitor/frm_icon_form.h"
#include "monitor/settings_save.h"
#include "store/desktop.h"
#include "store/platform_check.h"
#include "store/settings_file.h"

frmIcon::frmIcon(ProgramState& state, forms::Ui& ui, SetupWindow& frmMain, MonitorLinks links)
    : state_(state),
      ui_(ui),
      frmMain_(frmMain),
      links_(std::move(links)),
      form_(ui, frmIconForm()),
      foregroundHook_(state.os, [this] { ServeSoon(); }) {
  form_.LoadEvent.Handle([this] { Form_Load(); });
  form_.Resize.Handle([this] { Form_Resize(); });
  form_.QueryUnload.Handle([this](int& cancel, forms::UnloadMode mode) { Form_QueryUnload(cancel, mode); });
  form_.QueryEndSession.Handle([this] { Form_QueryEndSession(); });
  form_.Posted.Handle([this] { Form_Posted(); });
  // The hot-key's request is flagged by now; it is served at once rather
  // than at the next tick.
  form_.Hotkey.Handle([this] { ServeSoon(); });
  form_["tmrFast"].Timer.Handle([this] { tmrFast_Timer(); });
  form_["tmrRefresh"].Timer.Handle([this] { tmrRefresh_Timer(); });
  for (std::int16_t i = 0; i < 4; ++i) form_.Item("mnuPopup", i).Click.Handle([this, i] { mnuPopup_Click(i); });
}

void frmIcon::Form_Load() {
  PrevInstanceFound = false;
  HookTicks = 0;
  CaptionScroll = 0;
  CaptionName.clear();
  state_.bShowTarvolo = false;
  servedLater_ = false;

  if (ui_.PrevInstance()) {
    PrevInstanceFound = true;
    form_.Unload();
    return;
  }

  gSysTray = std::make_unique<clsSysTray>(state_.os, ui_);
  gSysTray->SetSourceWindow(form_);
  gSysTray->ChangeIcon(form_["ilsIcons"].ListImage(0));
  gSysTray->SetToolTip("Tarvolo");
  gSysTray->DefaultDblClk = false;
  gSysTray->RButtonUp.Handle([this] { gSysTray_RButtonUP(); });
  gSysTray->LButtonDblClk.Handle([this] { gSysTray_LButtonDblClk(); });

  state_.IsNT = IsNTPlatform(state_.os);

  form_.SetWindowState(forms::WindowState::Minimized);

  state_.MainWindowOpen = false;
  state_.SizeMode = 1;

  if (!state_.IsNT) Call(links_.InstallActivityHook);

  LoadSettings(state_);
  if (!state_.SettingsFileProblem.empty())
    ui_.MsgBox(state_.SettingsFileProblem, forms::kMbExclamation, ui_.AppTitle());

  ui_.SetHelpFile(AddBackslash(ui_.AppPath()) + "Tarvolo.hlp");

  Call(links_.RegisterHotkeys);

  // Without it the fast tick alone follows the foreground window.
  foregroundHook_.Install();
}

void frmIcon::Form_Resize() {
  if (form_.GetWindowState() == forms::WindowState::Minimized && gSysTray) gSysTray->MinToSysTray();
}

void frmIcon::Form_QueryUnload(int&, forms::UnloadMode mode) {
  // A second instance leaves the running one's icon, hot-keys, hook and
  // settings file alone.
  if (PrevInstanceFound) return;
  form_["tmrFast"].SetEnabled(false);
  form_["tmrRefresh"].SetEnabled(false);
  foregroundHook_.Remove();
  if (gSysTray) {
    gSysTray->RemoveFromSysTray();
    releasedSysTray_ = std::move(gSysTray);
  }
  Call(links_.UnregisterHotkeys);
  if (!state_.IsNT) Call(links_.RemoveActivityHook);
  // No message while Windows is ending the session: nobody may be there to
  // read it, and it would hold up the log-off.
  if (mode == forms::UnloadMode::AppWindows)
    SaveSettings(state_);
  else
    SaveSettingsTellingUser(state_, ui_);
}

// Windows may end the process soon after it has asked; the settings are
// written now, and once more when the session really ends and the form
// unloads.
void frmIcon::Form_QueryEndSession() {
  if (!PrevInstanceFound) SaveSettings(state_);
}
