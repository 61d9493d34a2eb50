#pragma once
#include "platform/os_windows.h"

// The window queries, forwarded to user32.
class Win32Windows : public virtual platform::OsWindows {
 public:
  platform::WindowHandle GetForegroundWindow() override;
  platform::WindowHandle GetWindow(platform::WindowHandle hwnd, std::uint32_t cmd) override;
  std::string GetWindowText(platform::WindowHandle hwnd, int maxChars) override;
  std::string GetClassName(platform::WindowHandle hwnd, int maxChars) override;
  std::uint32_t GetWindowThreadProcessId(platform::WindowHandle hwnd, std::uint32_t* processId) override;
  platform::WindowHandle GetFocus() override;
};
