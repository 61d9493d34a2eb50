#pragma once
#include <cstdint>

#include "platform/os_hooks.h"

// The journal-record hook that tells the refresh cycle the user is active
// (Windows 9x only). It only watches: every event is passed on unchanged.
class modKeyHook {
 public:
  modKeyHook(platform::OsHooks& os, bool& ScreenSaverSeen) : os_(os), ScreenSaverSeen_(ScreenSaverSeen) {}
  modKeyHook(const modKeyHook&) = delete;
  modKeyHook& operator=(const modKeyHook&) = delete;
  ~modKeyHook() { RemoveActivityHook(); }

  void InstallActivityHook();
  void RemoveActivityHook();
  std::intptr_t ActivityHookProc(int code, std::uintptr_t wParam, std::intptr_t lParam);

  bool Installed() const { return hook_ != 0; }
  bool HookSuspended() const { return hookSuspended_; }
  const platform::EventMsg& LastEvent() const { return lastEvent_; }

  // Refresh ticks without user input: the refresh cycle counts them, the
  // hook sets them back to 0.
  std::int32_t IdleTicks = 0;

 private:
  platform::OsHooks& os_;
  bool& ScreenSaverSeen_;
  platform::HookHandle hook_ = 0;
  bool hookSuspended_ = false;
  platform::EventMsg lastEvent_{};
};
