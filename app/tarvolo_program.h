#pragma once
#include "app/program_state.h"
#include "monitor/frm_icon.h"
#include "options/frm_settings.h"
#include "setup/frm_main.h"
#include "platform/forms/ui.h"
#include "platform/os.h"
#include "tray/activity_hook.h"
#include "tray/hotkeys.h"
#include "tray/text_commands.h"

// The whole program on one platform: it owns the shared state and every
// part, and hands each part plain references to what it uses. The entry
// point builds one on the real OS and runs the message loop while Running();
// a test builds one on the simulated desktop and the headless forms.
class TarvoloProgram {
 public:
  TarvoloProgram(platform::Os& os, forms::Ui& ui);
  TarvoloProgram(const TarvoloProgram&) = delete;
  TarvoloProgram& operator=(const TarvoloProgram&) = delete;

  // Loads the hidden startup form, which brings everything up.
  void Start() { icon_.Load(); }
  // The program ends when frmIcon is gone and no other form is loaded.
  bool Running() { return icon_.Form().Loaded() || setup_.Form().Loaded() || options_.Form().Loaded(); }

  ProgramState& State() { return state_; }
  frmIcon& Icon() { return icon_; }
  frmMain& SetupWindow() { return setup_; }
  frmSettings& OptionsDialog() { return options_; }
  modHotkey& Hotkeys() { return hotkeys_; }
  modFunctions& Functions() { return functions_; }
  modKeyHook& Hook() { return hook_; }

 private:
  // In the order they depend on one another; frmIcon, which drives the
  // others, last.
  ProgramState state_;
  modHotkey hotkeys_;
  modFunctions functions_;
  modKeyHook hook_;
  frmSettings options_;
  frmMain setup_;
  frmIcon icon_;
};
