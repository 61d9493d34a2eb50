#pragma once
#include "monitor/frm_icon.h"
#include "monitor/monitor_links.h"
#include "monitor/program_state.h"
#include "monitor/setup_stand_in.h"
#include "platform/forms/ui.h"
#include "platform/os.h"

// The resident program on one platform: its state, its forms, and the start
// that loads the hidden startup form. The entry point builds one on the real
// OS and runs the message loop while Running(); a test builds one on the
// simulated desktop and the headless forms.
class TarvoloProgram {
 public:
  TarvoloProgram(platform::Os& os, forms::Ui& ui, MonitorLinks links = {});

  void Start() { icon_.Load(); }
  // The program ends when frmIcon is gone and no other form is loaded.
  bool Running() { return icon_.Form().Loaded() || setup_.Form().Loaded(); }

  ProgramState& State() { return state_; }
  frmIcon& Icon() { return icon_; }
  frmMainStandIn& SetupWindow() { return setup_; }

 private:
  ProgramState state_;
  frmMainStandIn setup_;
  frmIcon icon_;
};
