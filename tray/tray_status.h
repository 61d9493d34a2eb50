#pragma once
#include <string>
#include <string_view>

#include "engine/engine_state.h"
#include "platform/forms/control.h"
#include "store/options.h"
#include "tray/activity_hook.h"
#include "tray/sys_tray.h"

// "Tarvolo: " + the setting in force + the lock keys that are on, within
// the 63 characters the shell keeps: a long name gives way, the keys never.
std::string TrayTip(std::string_view setting, LockKeySet on);
// A balloon's text for the keys a setting changed: "Caps Lock on (Notes)".
std::string LockKeyNotice(std::string_view setting, LockKeySet keys, LockKeySet on);

// What the tray shows of the state after each fast tick: the tip, the
// lock-key picture where the user asked for it, and a balloon when a setting
// changed a lock key, once per activation and not while the user types.
class TrayStatus {
 public:
  TrayStatus(EngineState& engine, const AppOptionsRecord& options, const modKeyHook& hook, const bool& isNT)
      : engine_(engine), options_(options), hook_(hook), isNT_(isNT) {}

  // After a fast tick, and with refreshTick after a refresh tick. pictures:
  // the image list, the plain icon first, then one per combination of the
  // keys (by their bits). A tick where nothing changed compares the keys, a
  // name and two options, and builds no text.
  void Update(clsSysTray& tray, forms::Control& pictures, bool refreshTick = false);

 private:
  void Notice(clsSysTray& tray, LockKeySet on);
  bool UserQuiet();

  EngineState& engine_;
  const AppOptionsRecord& options_;
  const modKeyHook& hook_;
  const bool& isNT_;
  // The keys as last read, and as shown now.
  LockKeySet keys_ = 0;
  bool tipShown_ = false;
  LockKeySet shownKeys_ = 0;
  std::string shownName_;
  int shownPicture_ = 0;
  // The activation (foreground window) the notice belongs to, the changes
  // waiting to be told, and whether it was told.
  platform::WindowHandle activation_ = 0;
  LockKeyChanges waiting_;
  std::string waitingSetting_;
  bool told_ = false;
};
