#include "monitor/foreground_hook.h"

bool clsForegroundHook::Install() {
  Remove();
  // The program's own windows never change the setting in force: the
  // system need not even tell us about them.
  const platform::WinEventHookHandle hook = os_.SetWinEventHook(
      platform::kEventSystemForeground, platform::kEventSystemForeground,
      [this](std::uint32_t event, platform::WindowHandle hwnd, std::int32_t, std::int32_t) {
        ForegroundProc(event, hwnd);
      },
      0, 0, platform::kWinEventOutOfContext | platform::kWinEventSkipOwnProcess);
  hook_ = platform::UniqueWinEventHook(os_, hook);
  return Installed();
}

void clsForegroundHook::ForegroundProc(std::uint32_t event, platform::WindowHandle hwnd) {
  // No window in front, for a moment while switching: nothing to evaluate.
  if (event != platform::kEventSystemForeground || hwnd == 0) return;
  if (evaluateSoon_) evaluateSoon_();
}
