#pragma once
#include "platform/os_hotkeys.h"

// Atoms, hot-keys and window subclassing, forwarded to Windows. The procedure
// of ours lives in a window property, and one static procedure forwards to it.
class Win32Hotkeys : public virtual platform::OsHotkeys {
 public:
  platform::Atom GlobalAddAtom(const std::string& name) override;
  platform::Atom GlobalDeleteAtom(platform::Atom atom) override;
  bool RegisterHotKey(platform::WindowHandle hwnd, int id, std::uint32_t modifiers, std::uint32_t vk) override;
  bool UnregisterHotKey(platform::WindowHandle hwnd, int id) override;
  platform::WindowProcRef SubclassWindow(platform::WindowHandle hwnd, platform::WindowProc proc) override;
  void RestoreWindowProc(platform::WindowHandle hwnd, platform::WindowProcRef previous) override;
  std::intptr_t CallWindowProc(platform::WindowProcRef previous, platform::WindowHandle hwnd, std::uint32_t msg,
                                std::uintptr_t wParam, std::intptr_t lParam) override;
};
