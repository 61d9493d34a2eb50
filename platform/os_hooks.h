#pragma once
#include <cstdint>
#include <functional>

#include "platform/os_types.h"

namespace platform {

using HookHandle = std::uintptr_t;
using HookProc = std::function<std::intptr_t(int code, std::uintptr_t wParam, std::intptr_t lParam)>;

inline constexpr int kWhJournalRecord = 0;
inline constexpr int kHcAction = 0;
inline constexpr int kHcSysModalOn = 4;
inline constexpr int kHcSysModalOff = 5;

// EVENTMSG as a 32-bit Windows lays it out: 20 bytes.
struct EventMsg {
  std::uint32_t message;
  std::uint32_t paramL;
  std::uint32_t paramH;
  std::uint32_t time;
  std::uint32_t hwnd;
};
static_assert(sizeof(EventMsg) == 20);

// Windows hooks (user32). Module and thread 0: the whole desktop.
class OsHooks {
 public:
  virtual ~OsHooks() = default;
  virtual HookHandle SetWindowsHookEx(int idHook, HookProc proc, std::uintptr_t module, std::uint32_t threadId) = 0;
  virtual bool UnhookWindowsHookEx(HookHandle hook) = 0;
  virtual std::intptr_t CallNextHookEx(HookHandle hook, int code, std::uintptr_t wParam, std::intptr_t lParam) = 0;
};

}  // namespace platform
