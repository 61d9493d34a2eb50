#pragma once
#include <array>
#include <cstdint>
#include <functional>

#include "platform/os_hotkeys.h"
#include "store/options.h"

// The four global hot-keys, registered for frmIcon's window. A hot-key
// message only raises the hot-key's bHKTriggered; the fast tick does the work.
class modHotkey {
 public:
  using WindowOf = std::function<platform::WindowHandle()>;
  modHotkey(platform::OsHotkeys& os, AppOptionsRecord& options, WindowOf frmIconWindow);
  modHotkey(const modHotkey&) = delete;
  modHotkey& operator=(const modHotkey&) = delete;
  ~modHotkey();

  void RegisterHotkeys();
  void UnregisterHotkeys();
  bool IsHotkeyFree(std::int32_t& lModifier, std::int32_t& lVKey);
  std::intptr_t HotkeyWindowProc(platform::WindowHandle hwnd, std::uint32_t msg, std::uintptr_t wParam,
                                 std::intptr_t lParam);

  bool Subclassed() const { return previousProc_ != 0; }

 private:
  // The records in the order of registration and dispatch.
  std::array<clsHotkey*, 4> Ordered();
  void ReleaseRegistrations();

  platform::OsHotkeys& os_;
  AppOptionsRecord& options_;
  WindowOf window_;
  std::array<platform::Atom, 4> atoms_{};
  platform::WindowHandle subclassedWindow_ = 0;
  platform::WindowProcRef previousProc_ = 0;
};
