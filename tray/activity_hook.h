#pragma once
#include <cstdint>

#include "platform/os_hooks.h"

// The journal-record hook that tells the refresh cycle the user is active
// (Windows 9x only). It only watches: every event is passed on unchanged.
class modKeyHook {
 public:
  modKeyHook(platform::OsHooks& os, std::int32_t& IdleTicks, bool& ScreenSaverSeen)
      : os_(os), IdleTicks_(IdleTicks), ScreenSaverSeen_(ScreenSaverSeen) {}
  modKeyHook(const modKeyHook&) = delete;
  modKeyHook& operator=(const modKeyHook&) = delete;
  ~modKeyHook() { RemoveActivityHook(); }

  void InstallActivityHook();
  void RemoveActivityHook();
  std::intptr_t ActivityHookProc(int code, std::uintptr_t wParam, std::intptr_t lParam);

  bool Installed() const { return hook_ != 0; }
  bool HookSuspended() const { return hookSuspended_; }
  const platform::EventMsg& LastEvent() const { return lastEvent_; }

 private:
  platform::OsHooks& os_;
  std::int32_t& IdleTicks_;
  bool& ScreenSaverSeen_;
  platform::HookHandle hook_ = 0;
  bool hookSuspended_ = false;
  platform::EventMsg lastEvent_{};
};
