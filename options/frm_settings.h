#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "monitor/setup_window.h"
#include "platform/forms/form.h"
#include "platform/forms/ui.h"
#include "platform/os.h"
#include "store/settings_store.h"
#include "tray/hotkeys.h"

// The Options dialog: "Always On Top", starting with Windows, the tray
// icon's lock keys and notices, the key mode, the four hot-keys and the
// password. It works on copies of the hot-keys and writes everything to
// AppOptions only at OK; the program's hot-keys are unregistered while it is
// open and registered again however it closes. The file is written later,
// with the setup window's next save; the Run entry that starts the program
// with Windows lives in the registry and is written at OK.
class frmSettings final : public OptionsDialogForm {
 public:
  frmSettings(SettingsStore& store, platform::Os& os, forms::Ui& ui, modHotkey& hotkeys);
  frmSettings(const frmSettings&) = delete;
  frmSettings& operator=(const frmSettings&) = delete;

  void ShowModal(forms::Form& owner) override;
  void Unload() override { form_.Unload(); }
  forms::Form& Form() { return form_; }

  // The capture's tick (hotkey_capture.cpp), every 250 ms while open.
  void tmrHotKey_Timer();
  bool HotkeyInUse(std::int32_t lModifier, std::int32_t lVKey, const clsHotkey& copy) const;
  bool DisplayUsedElsewhere(const std::string& text, const forms::Control& box) const;

  // The dialog's working copies while it is open, in the order of kHotkeys.
  std::array<clsHotkey, 4> Copies;
  // The first character typed into the password box is warned about once a run.
  bool PasswordWarned = false;

 private:
  void Form_Load();
  void Form_Unload();
  void cmdOK_Click();
  void txtPassword_KeyPress(int& ascii);
  std::array<clsHotkey*, 4> Globals();

  SettingsStore& store_;
  platform::Os& os_;
  forms::Ui& ui_;
  modHotkey& hotkeys_;
  forms::Form* owner_ = nullptr;
  forms::Form form_;

 public:
  forms::Control& chkAlwaysOnTop;
  forms::Control& chkStartWithWindows;
  forms::Control& chkShowLockKeysInTray;
  forms::Control& chkTellLockKeyChanges;
  std::array<forms::Control*, 2> optKeyMode;
  std::array<forms::Control*, 4> hotkeyBoxes;  // txtShow_HotKey, ... in the order of kHotkeys
  forms::Control& txtPassword;
  forms::Control& cmdOK;
  forms::Control& cmdCancel;
  forms::Control& tmrHotKey;
};

// True when the hot-key's combination is exactly this one.
bool SameCombination(std::int32_t lModifier, std::int32_t lVKey, const clsHotkey& hotkey);
