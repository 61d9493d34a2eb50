#pragma once
// Windows hooks on the simulated desktop: the installed procedures, and
// input events fed to them.
#include <cstdint>
#include <map>

#include "platform/os_hooks.h"

namespace sim {

class SimHooks : public virtual platform::OsHooks {
 public:
  // ---- set-up and faults ----
  // Journal hooks refused, as on a system that does not allow them.
  void RefuseHooks(bool refuse = true) { refuse_ = refuse; }
  // Calls every installed hook of the type with the code and the event.
  void FeedHook(int idHook, int code, platform::EventMsg event = {});

  // ---- observation ----
  std::size_t InstalledHooks() const { return hooks_.size(); }
  int InstallCalls() const { return installCalls_; }
  int NextHookCalls() const { return nextHookCalls_; }

  // ---- platform::OsHooks ----
  platform::HookHandle SetWindowsHookEx(int idHook, platform::HookProc proc, std::uintptr_t module,
                                         std::uint32_t threadId) override;
  bool UnhookWindowsHookEx(platform::HookHandle hook) override;
  std::intptr_t CallNextHookEx(platform::HookHandle hook, int code, std::uintptr_t wParam,
                               std::intptr_t lParam) override;

 private:
  struct Hook {
    int idHook;
    platform::HookProc proc;
  };
  std::map<platform::HookHandle, Hook> hooks_;
  platform::HookHandle nextHook_ = 0x7000;
  bool refuse_ = false;
  int installCalls_ = 0;
  int nextHookCalls_ = 0;
};

}  // namespace sim
