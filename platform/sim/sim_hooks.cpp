#include "platform/sim/sim_hooks.h"

#include <vector>

namespace sim {

platform::HookHandle SimHooks::SetWindowsHookEx(int idHook, platform::HookProc proc, std::uintptr_t, std::uint32_t) {
  ++installCalls_;
  if (refuse_ || !proc) return 0;
  const platform::HookHandle handle = nextHook_++;
  hooks_[handle] = {idHook, std::move(proc)};
  return handle;
}

bool SimHooks::UnhookWindowsHookEx(platform::HookHandle hook) { return hooks_.erase(hook) > 0; }

std::intptr_t SimHooks::CallNextHookEx(platform::HookHandle, int, std::uintptr_t, std::intptr_t) {
  ++nextHookCalls_;
  return 0;
}

void SimHooks::FeedHook(int idHook, int code, platform::EventMsg event) {
  std::vector<platform::HookProc> procs;
  for (const auto& [handle, hook] : hooks_)
    if (hook.idHook == idHook) procs.push_back(hook.proc);
  for (auto& proc : procs) proc(code, 0, reinterpret_cast<std::intptr_t>(&event));
}

}  // namespace sim
