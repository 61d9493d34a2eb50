#include "tray/activity_hook.h"

void modKeyHook::InstallActivityHook() {
  if (hook_ != 0) RemoveActivityHook();
  hook_ = os_.SetWindowsHookEx(
      platform::kWhJournalRecord,
      [this](int code, std::uintptr_t wParam, std::intptr_t lParam) { return ActivityHookProc(code, wParam, lParam); },
      0, 0);
}

void modKeyHook::RemoveActivityHook() {
  if (hook_ != 0) os_.UnhookWindowsHookEx(hook_);
  hook_ = 0;
}

std::intptr_t modKeyHook::ActivityHookProc(int code, std::uintptr_t wParam, std::intptr_t lParam) {
  switch (code) {
    case platform::kHcAction:
      if (!hookSuspended_) {
        if (lParam != 0) lastEvent_ = *reinterpret_cast<const platform::EventMsg*>(lParam);
        IdleTicks = 0;
        ScreenSaverSeen_ = false;
      }
      break;
    case platform::kHcSysModalOn:
      hookSuspended_ = true;
      break;
    case platform::kHcSysModalOff:
      hookSuspended_ = false;
      break;
    default:
      break;
  }
  os_.CallNextHookEx(hook_, code, wParam, lParam);
  return 0;
}
