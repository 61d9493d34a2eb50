#include "platform/sim/sim_win_events.h"

#include <vector>

namespace sim {

platform::WinEventHookHandle SimWinEvents::SetWinEventHook(std::uint32_t eventMin, std::uint32_t eventMax,
                                                           platform::WinEventProc proc, std::uint32_t,
                                                           std::uint32_t, std::uint32_t flags) {
  ++setCalls_;
  lastFlags_ = flags;
  if (refuse_ || !proc || eventMin > eventMax) return 0;
  const platform::WinEventHookHandle handle = nextHook_++;
  hooks_[handle] = {eventMin, eventMax, flags, std::move(proc)};
  return handle;
}

bool SimWinEvents::UnhookWinEvent(platform::WinEventHookHandle hook) { return hooks_.erase(hook) > 0; }

void SimWinEvents::RaiseWinEvent(std::uint32_t event, platform::WindowHandle hwnd) {
  const bool own = hwnd != 0 && ProcessOfWindow(hwnd) == OwnProcess();
  std::vector<platform::WinEventProc> procs;
  for (const auto& [handle, hook] : hooks_) {
    if (event < hook.eventMin || event > hook.eventMax) continue;
    if (own && (hook.flags & platform::kWinEventSkipOwnProcess) != 0) continue;
    procs.push_back(hook.proc);
  }
  for (auto& proc : procs) proc(event, hwnd, 0, 0);
}

}  // namespace sim
