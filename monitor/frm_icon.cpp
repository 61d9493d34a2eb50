#include "monitor/frm_icon.h"

#include "monitor/frm_icon_form.h"
#include "platform/forms/binding.h"
#include "monitor/settings_save.h"
#include "store/desktop.h"
#include "store/platform_check.h"
#include "store/settings_file.h"

frmIcon::frmIcon(SettingsStore& store, EngineState& engine, forms::Ui& ui, SetupWindow& frmMain, modHotkey& hotkeys,
                 modFunctions& functions, modKeyHook& hook)
    : store_(store),
      engine_(engine),
      ui_(ui),
      frmMain_(frmMain),
      hotkeys_(hotkeys),
      functions_(functions),
      hook_(hook),
      form_(ui, frmIconForm()),
      foregroundHook_(engine.os, [this] { ServeSoon(); }),
      tmrFast(form_["tmrFast"]),
      tmrRefresh(form_["tmrRefresh"]),
      ilsIcons(form_["ilsIcons"]),
      mPopup(form_["mPopup"]),
      mnuPopup(forms::BindArray<4>(form_, "mnuPopup")) {
  form_.LoadEvent.Handle([this] { Form_Load(); });
  form_.Resize.Handle([this] { Form_Resize(); });
  form_.QueryUnload.Handle([this](int& cancel, forms::UnloadMode mode) { Form_QueryUnload(cancel, mode); });
  form_.QueryEndSession.Handle([this] { Form_QueryEndSession(); });
  form_.Posted.Handle([this] { Form_Posted(); });
  // The hot-key's request is flagged by now; it is served at once rather
  // than at the next tick.
  form_.Hotkey.Handle([this] { ServeSoon(); });
  tmrFast.Timer.Handle([this] { tmrFast_Timer(); });
  tmrRefresh.Timer.Handle([this] { tmrRefresh_Timer(); });
  for (std::int16_t i = 0; i < 4; ++i) mnuPopup[i]->Click.Handle([this, i] { mnuPopup_Click(i); });
}

void frmIcon::Form_Load() {
  PrevInstanceFound = false;
  HookTicks = 0;
  CaptionScroll = 0;
  CaptionName.clear();
  bShowTarvolo = false;
  servedLater_ = false;

  if (ui_.PrevInstance()) {
    PrevInstanceFound = true;
    form_.Unload();
    return;
  }

  gSysTray = std::make_unique<clsSysTray>(engine_.os, ui_);
  gSysTray->SetSourceWindow(form_);
  gSysTray->ChangeIcon(ilsIcons.ListImage(0));
  gSysTray->SetToolTip("Tarvolo");
  gSysTray->DefaultDblClk = false;
  gSysTray->RButtonUp.Handle([this] { gSysTray_RButtonUP(); });
  gSysTray->LButtonDblClk.Handle([this] { gSysTray_LButtonDblClk(); });
  trayStatus_.emplace(engine_, store_.AppOptions, hook_, store_.IsNT);

  store_.IsNT = IsNTPlatform(engine_.os);

  form_.SetWindowState(forms::WindowState::Minimized);

  engine_.MainWindowOpen = false;
  frmMain_.SizeMode = 1;

  if (!store_.IsNT) hook_.InstallActivityHook();

  LoadSettings(store_);
  if (!store_.SettingsFileNotice.empty())
    ui_.MsgBox(store_.SettingsFileNotice, forms::kMbInformation, ui_.AppTitle());
  if (!store_.SettingsFileProblem.empty())
    ui_.MsgBox(store_.SettingsFileProblem, forms::kMbExclamation, ui_.AppTitle());

  ui_.SetHelpFile(AddBackslash(ui_.AppPath()) + "Tarvolo.hlp");

  hotkeys_.RegisterHotkeys();

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
  tmrFast.SetEnabled(false);
  tmrRefresh.SetEnabled(false);
  foregroundHook_.Remove();
  if (gSysTray) {
    gSysTray->RemoveFromSysTray();
    releasedSysTray_ = std::move(gSysTray);
  }
  hotkeys_.UnregisterHotkeys();
  if (!store_.IsNT) hook_.RemoveActivityHook();
  // No message while Windows is ending the session: nobody may be there to
  // read it, and it would hold up the log-off.
  if (mode == forms::UnloadMode::AppWindows)
    SaveSettings(store_);
  else
    SaveSettingsTellingUser(store_, ui_, SaveOccasion::ProgramEnds);
}

// Windows may end the process soon after it has asked; the settings are
// written now, and once more when the session really ends and the form
// unloads.
void frmIcon::Form_QueryEndSession() {
  if (!PrevInstanceFound) SaveSettings(store_);
}
