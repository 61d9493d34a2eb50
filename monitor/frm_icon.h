#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "engine/engine_state.h"
#include "monitor/foreground_hook.h"
#include "monitor/setup_window.h"
#include "platform/forms/form.h"
#include "platform/forms/ui.h"
#include "store/settings_store.h"
#include "tray/activity_hook.h"
#include "tray/hotkeys.h"
#include "tray/sys_tray.h"
#include "tray/text_commands.h"
#include "tray/tray_status.h"

// The hidden startup form: it brings the resident program up and down, runs
// the two timers that do its work, and answers the tray icon.
class frmIcon {
 public:
  frmIcon(SettingsStore& store, EngineState& engine, forms::Ui& ui, SetupWindow& frmMain, modHotkey& hotkeys,
          modFunctions& functions, modKeyHook& hook);
  frmIcon(const frmIcon&) = delete;
  frmIcon& operator=(const frmIcon&) = delete;

  forms::Form& Form() { return form_; }
  // Runs the start-up; the program is resident while the form stays loaded.
  void Load() { form_.Load(); }

  std::unique_ptr<clsSysTray> gSysTray;
  bool PrevInstanceFound = false;
  std::int32_t HookTicks = 0;
  std::int16_t CaptionScroll = 0;
  std::string CaptionName;
  // A request to open the setup window, served by the next fast tick.
  bool bShowTarvolo = false;
  // The Options dialog, once the program has one.
  OptionsDialogForm* frmSettings = nullptr;

  // The two ticks (refresh_cycle.cpp).
  void tmrFast_Timer();
  void tmrRefresh_Timer();
  void AdoptSettingsChangedOnDisk();
  // A fast tick as soon as the message loop allows, for a hot-key request or
  // a new foreground window that should not wait for the timer.
  void ServeSoon() { form_.Post(); }
  clsForegroundHook& ForegroundHook() { return foregroundHook_; }

  // The tray menu and the guarded opening of the setup window (tray_menu.cpp).
  void mnuPopup_Click(std::int16_t index);
  void gSysTray_RButtonUP();
  void gSysTray_LButtonDblClk();
  bool CheckPassword();
  void ShowSetupWindow();

 private:
  void Form_Load();
  void Form_Resize();
  void Form_QueryUnload(int& cancel, forms::UnloadMode mode);
  void Form_QueryEndSession();
  void Form_Posted();

  SettingsStore& store_;
  EngineState& engine_;
  forms::Ui& ui_;
  // The released tray component: kept until the form goes, because "Exit"
  // releases it from inside one of its own events.
  std::unique_ptr<clsSysTray> releasedSysTray_;
  SetupWindow& frmMain_;
  modHotkey& hotkeys_;
  modFunctions& functions_;
  modKeyHook& hook_;
  // Made after the members above, which its controls' handlers use.
  forms::Form form_;
  // A request that came while the fast tick could not run; served when it can.
  bool servedLater_ = false;
  // What the tray tells of the state; made with the icon.
  std::optional<TrayStatus> trayStatus_;
  // Declared after the form: unhooked before the form goes.
  clsForegroundHook foregroundHook_;

 public:
  // The form's controls, bound by name as it is made.
  forms::Control& tmrFast;
  forms::Control& tmrRefresh;
  forms::Control& ilsIcons;
  forms::Control& mPopup;
  std::array<forms::Control*, 4> mnuPopup;
};
