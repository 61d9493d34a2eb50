#pragma once
#include "platform/os_windows.h"

// The window queries, forwarded to user32.
class Win32Windows : public virtual platform::OsWindows {
 public:
  platform::WindowHandle GetForegroundWindow() override;
  platform::WindowHandle GetWindow(platform::WindowHandle hwnd, std::uint32_t cmd) override;
  int GetWindowTextA(platform::WindowHandle hwnd, char* buffer, int maxCount) override;
  int GetClassNameA(platform::WindowHandle hwnd, char* buffer, int maxCount) override;
  std::uint32_t GetWindowThreadProcessId(platform::WindowHandle hwnd, std::uint32_t* processId) override;
  platform::WindowHandle GetFocus() override;
};
