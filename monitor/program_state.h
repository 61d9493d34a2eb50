#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "engine/lock_keys.h"
#include "engine/setup_panel.h"
#include "engine/winfo.h"
#include "platform/os.h"
#include "store/ini_document.h"
#include "store/options.h"
#include "store/settings.h"

// The facts of the last evaluated foreground window.
struct WindowFactsRecord {
  std::string Title;
  std::string OwnerTitle;
  std::string EXE;
};

// Everything the program shares for the whole run, under the names the rest
// of the code knows it by. The entry point makes one on the real platform;
// a test makes one on a simulated desktop.
class ProgramState {
 public:
  explicit ProgramState(platform::Os& os) : os(os), LockKeys(os, os, IsNT, AppOptions) {}
  ProgramState(const ProgramState&) = delete;
  ProgramState& operator=(const ProgramState&) = delete;

  platform::Os& os;

  clsSettings Settings;
  AppOptionsRecord AppOptions;
  bool IsNT = false;

  WindowFactsRecord WindowFacts;
  platform::WindowHandle LastActiveWindow = 0;
  bool MainWindowOpen = false;
  bool ScreenSaverSeen = false;
  // Refresh ticks without user input; the activity hook sets it back to 0.
  std::int32_t IdleTicks = 0;
  // A request to open the setup window, served by the next fast tick.
  bool bShowTarvolo = false;
  // The setup window's size mode, kept while the program runs (1 at start).
  std::int32_t SizeMode = 1;

  // Tarvolo.INI as LoadSettings read it; SaveSettings writes this same
  // document back. A file that was there but unreadable is never written.
  std::unique_ptr<IniDocument> SettingsDocument;
  // Plain words for the user when the settings file could not be read, to be
  // shown once at start-up; empty when all is well.
  std::string SettingsFileProblem;
  // A read-only settings file is told once a run, not at every save.
  bool ToldSettingsReadOnly = false;

  LockKeyController LockKeys;

  // The setup window's panel while it exists; the engine reports to it only
  // while MainWindowOpen is set.
  SetupWindowPanel* SetupPanel = nullptr;

  // Never absent: read while empty, it becomes a blank setting.
  clsSetting& CurrentSetting() {
    if (!currentSetting_) currentSetting_ = std::make_shared<clsSetting>();
    return *currentSetting_;
  }
  void SetCurrentSetting(clsSettings::Ref setting) { currentSetting_ = std::move(setting); }
  const clsSettings::Ref& CurrentSettingRef() {
    CurrentSetting();
    return currentSetting_;
  }

  // The probe is made on first use: making it examines the Windows version.
  clsWinfo& Probe() {
    if (!probe_) probe_.emplace(os, os, os);
    return *probe_;
  }

 private:
  clsSettings::Ref currentSetting_;
  std::optional<clsWinfo> probe_;
};
