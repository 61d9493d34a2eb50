#pragma once
#include <cstdint>
#include <string>

// One global hot-key. sDescription, sHotkey, lModifier and lVKey come from and
// go to the settings file; the rest live in memory only.
struct clsHotkey {
  std::string sDescription;
  std::string sHotkey;
  std::int32_t lModifier = 0;  // MOD_ALT 1, MOD_CONTROL 2, MOD_SHIFT 4, MOD_WIN 8, summed
  std::int32_t lVKey = 0;
  bool bActivated = false;
  std::string sScratch;
  bool bHKTriggered = false;
};

// Copies what the hot-key is: sDescription, sHotkey, lModifier, lVKey and
// bActivated; not the capture's sScratch nor a press waiting in bHKTriggered.
inline void CopyHotkey(const clsHotkey& source, clsHotkey& target) {
  target.sDescription = source.sDescription;
  target.sHotkey = source.sHotkey;
  target.lModifier = source.lModifier;
  target.lVKey = source.lVKey;
  target.bActivated = source.bActivated;
}

// The application-wide options. Until the settings file is loaded: "Windows
// Messaging", no password, not on top, four empty hot-keys, the plain icon
// and no notices.
struct AppOptionsRecord {
  bool AlwaysOnTop = false;
  bool KeystrokeSimulation = false;  // the key mode: false = "Windows Messaging"
  std::string AdminPassword;
  // Beyond the classic options; both off by default and in older files.
  bool ShowLockKeysInTray = false;  // the tray icon pictures Caps, Num and Scroll Lock
  bool TellLockKeyChanges = false;  // a tray balloon when a setting changes a lock key
  clsHotkey HotkeyShow;
  clsHotkey HotkeyCapitalize;
  clsHotkey HotkeyReverse;
  clsHotkey HotkeyLower;
};
