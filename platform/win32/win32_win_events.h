#pragma once
#include "platform/os_win_events.h"

// Accessibility event hooks, looked up in user32 when first asked for: a
// program that imported them would not start on Windows 95 or NT 4.
class Win32WinEvents : public virtual platform::OsWinEvents {
 public:
  platform::WinEventHookHandle SetWinEventHook(std::uint32_t eventMin, std::uint32_t eventMax,
                                               platform::WinEventProc proc, std::uint32_t idProcess,
                                               std::uint32_t idThread, std::uint32_t flags) override;
  bool UnhookWinEvent(platform::WinEventHookHandle hook) override;
};
