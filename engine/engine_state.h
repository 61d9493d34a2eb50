#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "engine/active_window_view.h"
#include "engine/lock_keys.h"
#include "engine/winfo.h"
#include "platform/os.h"
#include "store/options.h"
#include "store/settings.h"

// The facts of the last evaluated foreground window.
struct WindowFactsRecord {
  std::string Title;
  std::string OwnerTitle;
  std::string EXE;
};

// Lock keys changed by a setting's actions (not by the user), and the state
// each was given.
struct LockKeyChanges {
  LockKeySet keys = 0;
  LockKeySet on = 0;
};

// What the matcher and the action engine keep between evaluations, and what
// they work with: the settings they choose from, the lock keys, the probe.
class EngineState {
 public:
  EngineState(platform::Os& os, const clsSettings& settings, const bool& isNT, const AppOptionsRecord& options)
      : os(os), Settings(settings), LockKeys(os, os, isNT, options) {}
  EngineState(const EngineState&) = delete;
  EngineState& operator=(const EngineState&) = delete;

  platform::Os& os;
  const clsSettings& Settings;

  WindowFactsRecord WindowFacts;
  platform::WindowHandle LastActiveWindow = 0;
  // The setup window is open: the evaluation reports to View.
  bool MainWindowOpen = false;
  bool ScreenSaverSeen = false;
  LockKeyController LockKeys;
  // Gathered by the action engine until the tray takes them.
  LockKeyChanges KeysSetBySetting;
  // The live view of the setup window while it exists.
  ActiveWindowView* View = nullptr;

  // The setting in force; none before the first evaluation, or while no
  // setting matches and there is no "Default".
  clsSetting* CurrentSetting() const { return currentSetting_.get(); }
  const clsSettings::Ref& CurrentSettingRef() const { return currentSetting_; }
  void SetCurrentSetting(clsSettings::Ref setting) { currentSetting_ = std::move(setting); }

  // The probe is made on first use: making it examines the Windows version.
  clsWinfo& Probe() {
    if (!probe_) probe_.emplace(os, os, os);
    return *probe_;
  }

 private:
  clsSettings::Ref currentSetting_;
  std::optional<clsWinfo> probe_;
};
