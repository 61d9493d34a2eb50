#include "setup/frm_main.h"


#include "engine/matcher.h"
#include "monitor/frm_icon.h"
#include "monitor/frm_icon_form.h"
#include "monitor/settings_save.h"
#include "platform/forms/binding.h"
#include "platform/forms/fit_captions.h"
#include "setup/frm_main_form.h"
#include "store/desktop.h"

frmMain::frmMain(SettingsStore& store, EngineState& engine, platform::Os& os, forms::Ui& ui, modFunctions& functions)
    : store_(store),
      engine_(engine),
      os_(os),
      ui_(ui),
      functions_(functions),
      form_(ui, frmMainForm()),
      mstPage(form_["mstPage"]),
      lblSettingMatch(form_["lblSettingMatch"]),
      lblAWTitle(forms::BindArray<3>(form_, "lblAWTitle")),
      lblAWOwnerTitle(forms::BindArray<3>(form_, "lblAWOwnerTitle")),
      lblAWOwnerEXE(forms::BindArray<3>(form_, "lblAWOwnerEXE")),
      cmdEdit(form_["cmdEdit"]),
      cmdNewSnapshot(form_["cmdNewSnapshot"]),
      fraCapsLock(form_["fraCapsLock"]),
      fraNumLock(form_["fraNumLock"]),
      fraScrollLock(form_["fraScrollLock"]),
      shpCapsLockStat(form_["shpCapsLockStat"]),
      shpNumLockStat(form_["shpNumLockStat"]),
      shpScrollLockStat(form_["shpScrollLockStat"]),
      lblCapsLockStat(form_["lblCapsLockStat"]),
      lblNumLockStat(form_["lblNumLockStat"]),
      lblScrollLockStat(form_["lblScrollLockStat"]),
      cboSetting(form_["cboSetting"]),
      cmdNew(form_["cmdNew"]),
      cmdRename(form_["cmdRename"]),
      cmdDelete(form_["cmdDelete"]),
      chkTitle(form_["chkTitle"]),
      chkOwnerTitle(form_["chkOwnerTitle"]),
      chkOwnerEXE(form_["chkOwnerEXE"]),
      txtFilter_Title(form_["txtFilter_Title"]),
      txtFilter_Owner(form_["txtFilter_Owner"]),
      txtFilter_EXE(form_["txtFilter_EXE"]),
      cboMatch_Title(form_["cboMatch_Title"]),
      cboMatch_Owner(form_["cboMatch_Owner"]),
      cboMatch_EXE(form_["cboMatch_EXE"]),
      cboAction_CapsLock(form_["cboAction_CapsLock"]),
      cboAction_NumLock(form_["cboAction_NumLock"]),
      cboAction_ScrollLock(form_["cboAction_ScrollLock"]),
      mHide(form_["mHide"]),
      mExit(form_["mExit"]),
      mReverse(form_["mReverse"]),
      mCapitalize(form_["mCapitalize"]),
      mLower(form_["mLower"]),
      mOptions(form_["mOptions"]),
      mShrink(form_["mShrink"]),
      mContents(form_["mContents"]),
      mPopup(form_["mPopup"]),
      mnuPopup(forms::BindArray<4>(form_, "mnuPopup")) {
  form_.LoadEvent.Handle([this] { Form_Load(); });
  form_.Activate.Handle([this] { Form_Activate(); });
  form_.UnloadEvent.Handle([this](int&) { Form_Unload(); });
  // F1: the topic of the control asked about, or the contents.
  form_.HelpRequested.Handle([this](std::int32_t topic) {
    if (topic > 0)
      Help(platform::kHelpContext, static_cast<std::uintptr_t>(topic));
    else
      Help(platform::kHelpContents, 0);
  });
  mstPage.TabClick.Handle([this](int previous) { mstPage_Click(previous); });
  mHide.Click.Handle([this] {
    if (Icon) Icon->mnuPopup_Click(kMenuHide);
  });
  mExit.Click.Handle([this] { mExit_Click(); });
  mReverse.Click.Handle([this] { functions_.ReverseClipboardText(); });
  mCapitalize.Click.Handle([this] { functions_.CapitalizeClipboardText(); });
  mLower.Click.Handle([this] { functions_.LowerClipboardText(); });
  mOptions.Click.Handle([this] {
    if (frmSettings) frmSettings->ShowModal(form_);
  });
  mShrink.Click.Handle([this] {
    if (SizeMode != 0)
      SetSizeMode(0);
    else
      SetSizeMode(mstPage.Tab() != kMonitorPage ? 2 : 1);
  });
  mContents.Click.Handle([this] { Help(platform::kHelpContents, 0); });
  HandleSettingsPage();
  HandleMonitorPage();
  engine_.View = this;
}

frmMain::~frmMain() {
  if (engine_.View == this) engine_.View = nullptr;
}

void frmMain::Help(std::uint32_t command, std::uintptr_t data) {
  const std::string problem = ShowHelp(os_, ui_.HelpFile(), form_.hWnd(), command, data);
  if (!problem.empty()) ui_.MsgBox(problem, forms::kMbExclamation, ui_.AppTitle());
}

void frmMain::EnsureLoaded() {
  // As the window's controls are used, the window loads, as it always has.
  if (!form_.Loaded() && !form_.Loading()) form_.Load();
}

void frmMain::MeasureSystemMetrics() {
  TwipsPerPixelX = ui_.TwipsPerPixelX();
  TwipsPerPixelY = ui_.TwipsPerPixelY();
  FrameWidth = os_.GetSystemMetrics(platform::kSmCxFrame) * TwipsPerPixelX;
  FrameHeight = os_.GetSystemMetrics(platform::kSmCyFrame) * TwipsPerPixelY;
  CaptionHeight = os_.GetSystemMetrics(platform::kSmCyCaption) * TwipsPerPixelY;
  MenuHeight = os_.GetSystemMetrics(platform::kSmCyMenu) * TwipsPerPixelY;
}

void frmMain::Form_Load() {
  // Open from its loading on, whether or not Windows ever activates it
  // (Wine without a window manager may not): the setup window's edits must
  // not meet a settings file reloaded under them.
  engine_.MainWindowOpen = true;
  MeasureSystemMetrics();
  forms::TwipsRect rect = form_.Rect();
  rect.Width = mstPage.Rect().Width + 2 * FrameWidth;
  form_.Move(rect);
  SetSizeMode(SizeMode);
  InitControls();
  // After the key states have their texts.
  forms::FitCaptions(form_, TwipsPerPixelX);
  // Opened from the tray menu, nothing evaluates the window the user was in
  // again while it stays in front: the page shows it from the start.
  ShowWindowFacts(engine_);
}

void frmMain::InitControls() {
  UpdateKeyStat();
  LayOutFields();
  FillSettingsPage();
}

void frmMain::SetSizeMode(std::int32_t mode) {
  const std::int32_t chrome = 2 * FrameHeight + CaptionHeight + MenuHeight;
  forms::TwipsRect page = mstPage.Rect();
  forms::TwipsRect window = form_.Rect();
  if (mode == 1 || mode == 2) {
    SizeMode = mode;
    mstPage.SetTab(mode == 1 ? kMonitorPage : kSettingsPage);
    const forms::Control& bottom = mode == 1 ? fraCapsLock : cboAction_ScrollLock;
    page.Height = bottom.Rect().Top + bottom.Rect().Height + 120;
    mstPage.Move(page);
    window.Height = page.Top + chrome + page.Height;
    mShrink.SetCaption("Shrink");
  } else {
    SizeMode = 0;
    window.Height = chrome;
    mShrink.SetCaption("Enlarge");
  }
  form_.Move(window);
}

void frmMain::mstPage_Click(int previous) {
  if (mstPage.Tab() == previous) return;
  SetSizeMode(mstPage.Tab() <= kMonitorPage ? 1 : 2);
}

void frmMain::Form_Activate() {
  engine_.MainWindowOpen = true;
  SetTopmost(os_, form_.hWnd(), store_.AppOptions.AlwaysOnTop);
}

void frmMain::Form_Unload() {
  engine_.MainWindowOpen = false;
  editedSetting_.reset();
  // After "Exit" the hidden form is gone already: this save is the last.
  const bool ending = Icon != nullptr && !Icon->Form().Loaded();
  SaveSettingsTellingUser(store_, ui_, ending ? SaveOccasion::ProgramEnds : SaveOccasion::ProgramGoesOn);
}

void frmMain::mExit_Click() {
  if (frmSettings) frmSettings->Unload();
  if (Icon) Icon->Form().Unload();
  form_.Unload();
}
