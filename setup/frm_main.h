#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/active_window_view.h"
#include "engine/engine_state.h"
#include "monitor/setup_window.h"
#include "platform/forms/form.h"
#include "platform/forms/ui.h"
#include "platform/os.h"
#include "store/settings_store.h"
#include "tray/text_commands.h"

class frmIcon;

// The setup window: the "Monitor" page shows live what the program does,
// the "Settings" page edits the settings in place. Every edit goes straight
// into the clsSetting objects the matcher uses; the file is written when
// the window unloads, whatever closes it.
class frmMain final : public SetupWindow, public ActiveWindowView {
 public:
  frmMain(SettingsStore& store, EngineState& engine, platform::Os& os, forms::Ui& ui, modFunctions& functions);
  frmMain(const frmMain&) = delete;
  frmMain& operator=(const frmMain&) = delete;
  ~frmMain() override;

  // ---- SetupWindow ----
  void Show() override { form_.Show(); }
  void Unload() override { form_.Unload(); }
  void UpdateKeyStat() override;
  void SetCaption(const std::string& caption) override { form_.SetCaption(caption); }
  void SetFocus() override { form_.SetFocus(); }

  // ---- ActiveWindowView: the matcher's report while the window is open ----
  void ShowMatchedText(const std::string& text, const std::string& filter, std::int32_t matchType,
                       WindowFact fact) override;
  void UpdateMonitorButtons() override;

  forms::Form& Form() { return form_; }

  // Set by the composition root once both exist: "Hide Tarvolo" and "Exit"
  // go through the hidden form, "Options" opens the dialog.
  frmIcon* Icon = nullptr;
  OptionsDialogForm* frmSettings = nullptr;

  // Measured at every load (MeasureSystemMetrics), in twips.
  std::int32_t TwipsPerPixelX = 15;
  std::int32_t TwipsPerPixelY = 15;
  std::int32_t FrameWidth = 0;
  std::int32_t FrameHeight = 0;
  std::int32_t CaptionHeight = 0;
  std::int32_t MenuHeight = 0;

  // The setting shown on the "Settings" page, which its boxes edit; none
  // until the page shows one, and from a Delete until it shows the next.
  clsSetting* EditedSetting() const { return editedSetting_.get(); }
  bool ForceRefresh = false;
  // What "Copy" of the right-click menu puts on the clipboard.
  std::string PopupText;

 private:
  // The frame (frm_main.cpp).
  void Form_Load();
  void Form_Activate();
  void Form_Unload();
  void MeasureSystemMetrics();
  void SetSizeMode(std::int32_t mode);
  void InitControls();
  void mstPage_Click(int previous);
  void mExit_Click();
  void EnsureLoaded();
  // Shows the help, or tells the user why it cannot.
  void Help(std::uint32_t command, std::uintptr_t data);

  // The "Settings" page (settings_page.cpp).
  void FillSettingsPage();
  void cboSetting_Click();
  void cmdNew_Click();
  void cmdRename_Click();
  void cmdDelete_Click();
  // A name no setting has yet, asked for until one is given; empty: cancelled.
  std::string AskFreeName(const std::string& prompt);
  // Adds a new setting, lists it last and shows it.
  void AddEditedSetting(clsSettings::Ref setting);
  void HandleSettingsPage();
  std::vector<std::string> SettingNames() const;

  // The "Monitor" page (monitor_page.cpp).
  void LayOutFields();
  void cmdEdit_Click();
  void cmdNewSnapshot_Click();
  void ToggleKey(int key);
  void ShowPopup(const std::string& text);
  void mnuPopup_Click(int index);
  void HandleMonitorPage();
  std::array<forms::Control*, 3>& Field(WindowFact fact);

  SettingsStore& store_;
  EngineState& engine_;
  platform::Os& os_;
  forms::Ui& ui_;
  modFunctions& functions_;
  clsSettings::Ref editedSetting_;
  forms::Form form_;

 public:
  // The controls, bound by name as the form is made.
  forms::Control& mstPage;
  forms::Control& lblSettingMatch;
  std::array<forms::Control*, 3> lblAWTitle;
  std::array<forms::Control*, 3> lblAWOwnerTitle;
  std::array<forms::Control*, 3> lblAWOwnerEXE;
  forms::Control& cmdEdit;
  forms::Control& cmdNewSnapshot;
  forms::Control& fraCapsLock;
  forms::Control& fraNumLock;
  forms::Control& fraScrollLock;
  forms::Control& shpCapsLockStat;
  forms::Control& shpNumLockStat;
  forms::Control& shpScrollLockStat;
  forms::Control& lblCapsLockStat;
  forms::Control& lblNumLockStat;
  forms::Control& lblScrollLockStat;
  forms::Control& cboSetting;
  forms::Control& cmdNew;
  forms::Control& cmdRename;
  forms::Control& cmdDelete;
  forms::Control& chkTitle;
  forms::Control& chkOwnerTitle;
  forms::Control& chkOwnerEXE;
  forms::Control& txtFilter_Title;
  forms::Control& txtFilter_Owner;
  forms::Control& txtFilter_EXE;
  forms::Control& cboMatch_Title;
  forms::Control& cboMatch_Owner;
  forms::Control& cboMatch_EXE;
  forms::Control& cboAction_CapsLock;
  forms::Control& cboAction_NumLock;
  forms::Control& cboAction_ScrollLock;
  forms::Control& mHide;
  forms::Control& mExit;
  forms::Control& mReverse;
  forms::Control& mCapitalize;
  forms::Control& mLower;
  forms::Control& mOptions;
  forms::Control& mShrink;
  forms::Control& mContents;
  forms::Control& mPopup;
  std::array<forms::Control*, 4> mnuPopup;
};
