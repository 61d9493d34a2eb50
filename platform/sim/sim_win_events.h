#pragma once
// Accessibility event hooks on the simulated desktop: the hooks set, and
// events raised to them as Windows raises them out of context.
#include <cstdint>
#include <map>

#include "platform/os_win_events.h"

namespace sim {

class SimWinEvents : public virtual platform::OsWinEvents {
 public:
  // ---- set-up and faults ----
  // No hook can be set, as on Windows 95 or NT 4 without Active
  // Accessibility.
  void RefuseWinEventHooks(bool refuse = true) { refuse_ = refuse; }
  // Calls every hook whose range holds the event, except those that skip
  // their own process when the window is the program's.
  void RaiseWinEvent(std::uint32_t event, platform::WindowHandle hwnd);

  // ---- observation ----
  std::size_t WinEventHooks() const { return hooks_.size(); }
  int WinEventHookCalls() const { return setCalls_; }
  // The flags of the hook set last.
  std::uint32_t WinEventHookFlags() const { return lastFlags_; }

  // ---- platform::OsWinEvents ----
  platform::WinEventHookHandle SetWinEventHook(std::uint32_t eventMin, std::uint32_t eventMax,
                                               platform::WinEventProc proc, std::uint32_t idProcess,
                                               std::uint32_t idThread, std::uint32_t flags) override;
  bool UnhookWinEvent(platform::WinEventHookHandle hook) override;

 protected:
  virtual std::uint32_t ProcessOfWindow(platform::WindowHandle hwnd) const = 0;
  // The process the program runs in.
  virtual std::uint32_t OwnProcess() const = 0;

 private:
  struct Hook {
    std::uint32_t eventMin;
    std::uint32_t eventMax;
    std::uint32_t flags;
    platform::WinEventProc proc;
  };
  std::map<platform::WinEventHookHandle, Hook> hooks_;
  platform::WinEventHookHandle nextHook_ = 0x9000;
  bool refuse_ = false;
  int setCalls_ = 0;
  std::uint32_t lastFlags_ = 0;
};

}  // namespace sim
