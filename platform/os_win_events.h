#pragma once
#include <cstdint>
#include <functional>

#include "platform/os_types.h"

namespace platform {

using WinEventHookHandle = std::uintptr_t;
using WinEventProc = std::function<void(std::uint32_t event, WindowHandle hwnd, std::int32_t idObject,
                                        std::int32_t idChild)>;

inline constexpr std::uint32_t kEventSystemForeground = 0x0003;
inline constexpr std::uint32_t kWinEventOutOfContext = 0x0000;
inline constexpr std::uint32_t kWinEventSkipOwnProcess = 0x0002;

// Accessibility event hooks (user32). Windows 95 and NT 4 without Active
// Accessibility have no such call: there SetWinEventHook gives 0, as it does
// when the system refuses the hook. Out of context only, so no module.
class OsWinEvents {
 public:
  virtual ~OsWinEvents() = default;
  virtual WinEventHookHandle SetWinEventHook(std::uint32_t eventMin, std::uint32_t eventMax, WinEventProc proc,
                                             std::uint32_t idProcess, std::uint32_t idThread,
                                             std::uint32_t flags) = 0;
  virtual bool UnhookWinEvent(WinEventHookHandle hook) = 0;
};

// Unhooks through the interface when it goes out of scope.
class UniqueWinEventHook {
 public:
  UniqueWinEventHook() = default;
  UniqueWinEventHook(OsWinEvents& os, WinEventHookHandle hook) : os_(&os), hook_(hook) {}
  UniqueWinEventHook(const UniqueWinEventHook&) = delete;
  UniqueWinEventHook& operator=(const UniqueWinEventHook&) = delete;
  UniqueWinEventHook(UniqueWinEventHook&& other) noexcept : os_(other.os_), hook_(other.release()) {}
  UniqueWinEventHook& operator=(UniqueWinEventHook&& other) noexcept {
    if (this != &other) {
      reset();
      os_ = other.os_;
      hook_ = other.release();
    }
    return *this;
  }
  ~UniqueWinEventHook() { reset(); }

  bool valid() const { return hook_ != 0; }
  void reset() {
    if (hook_ != 0) os_->UnhookWinEvent(hook_);
    hook_ = 0;
  }

 private:
  WinEventHookHandle release() {
    const WinEventHookHandle hook = hook_;
    hook_ = 0;
    return hook;
  }

  OsWinEvents* os_ = nullptr;
  WinEventHookHandle hook_ = 0;
};

}  // namespace platform
