#pragma once
#include <cstdint>
#include <string>
#include <functional>

#include "platform/os_types.h"

namespace platform {

using Atom = std::uint16_t;
// A window procedure as the OS holds it; only ever handed back to the OS.
using WindowProcRef = std::uintptr_t;
using WindowProc = std::function<std::intptr_t(WindowHandle hwnd, std::uint32_t msg, std::uintptr_t wParam,
                                               std::intptr_t lParam)>;

inline constexpr std::uint32_t kWmHotkey = 0x0312;
inline constexpr std::uint32_t kModAlt = 1;
inline constexpr std::uint32_t kModControl = 2;
inline constexpr std::uint32_t kModShift = 4;
inline constexpr std::uint32_t kModWin = 8;

// The global atom table, system-wide hot-keys, and replacing a window's
// procedure (user32, kernel32).
class OsHotkeys {
 public:
  virtual ~OsHotkeys() = default;
  virtual Atom GlobalAddAtom(const std::string& name) = 0;
  virtual Atom GlobalDeleteAtom(Atom atom) = 0;
  virtual bool RegisterHotKey(WindowHandle hwnd, int id, std::uint32_t modifiers, std::uint32_t vk) = 0;
  virtual bool UnregisterHotKey(WindowHandle hwnd, int id) = 0;
  // SetWindowLongA(GWL_WNDPROC) with a procedure of ours; returns the one it
  // replaced, 0 on failure.
  virtual WindowProcRef SubclassWindow(WindowHandle hwnd, WindowProc proc) = 0;
  // SetWindowLongA(GWL_WNDPROC) putting back what SubclassWindow returned.
  virtual void RestoreWindowProc(WindowHandle hwnd, WindowProcRef previous) = 0;
  virtual std::intptr_t CallWindowProc(WindowProcRef previous, WindowHandle hwnd, std::uint32_t msg,
                                        std::uintptr_t wParam, std::intptr_t lParam) = 0;
};

}  // namespace platform
