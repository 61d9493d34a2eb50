#pragma once
#include "monitor/tarvolo_program.h"
#include "tray/activity_hook.h"
#include "tray/hotkeys.h"
#include "tray/text_commands.h"

// The resident program with its global hot-keys, highlighted-text commands
// and activity hook joined to frmIcon's start-up, ticks and shut-down.
class TarvoloResident {
 public:
  TarvoloResident(platform::Os& os, forms::Ui& ui)
      : program_(os, ui, Links()),
        hotkeys_(os, program_.State().AppOptions, [this] { return program_.Icon().Form().hWnd(); }),
        functions_(os, os),
        hook_(os, program_.State().IdleTicks, program_.State().ScreenSaverSeen) {}

  void Start() { program_.Start(); }
  bool Running() { return program_.Running(); }
  TarvoloProgram& Program() { return program_; }
  modHotkey& Hotkeys() { return hotkeys_; }
  modFunctions& Functions() { return functions_; }
  modKeyHook& Hook() { return hook_; }

 private:
  // Called only once the program has started, when every member exists.
  MonitorLinks Links() {
    return {[this] { hook_.InstallActivityHook(); }, [this] { hook_.RemoveActivityHook(); },
            [this] { hotkeys_.RegisterHotkeys(); }, [this] { hotkeys_.UnregisterHotkeys(); },
            [this] { functions_.RunPendingHotkeys(program_.State().AppOptions, program_.State().bShowTarvolo); }};
  }

  TarvoloProgram program_;
  modHotkey hotkeys_;
  modFunctions functions_;
  modKeyHook hook_;
};
