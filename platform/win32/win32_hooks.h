#pragma once
#include "platform/os_hooks.h"

// Windows hooks, forwarded to Windows. A journal hook has no per-hook data,
// so the procedure of ours is kept by one static and reached from one static
// procedure; the program installs at most one.
class Win32Hooks : public virtual platform::OsHooks {
 public:
  platform::HookHandle SetWindowsHookEx(int idHook, platform::HookProc proc, std::uintptr_t module,
                                         std::uint32_t threadId) override;
  bool UnhookWindowsHookEx(platform::HookHandle hook) override;
  std::intptr_t CallNextHookEx(platform::HookHandle hook, int code, std::uintptr_t wParam,
                               std::intptr_t lParam) override;
};
