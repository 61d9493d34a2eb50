#pragma once
#include <cstdint>
#include <string>

#include "platform/os_types.h"

namespace platform {

// Window queries, one to one with user32.
class OsWindows {
 public:
  virtual ~OsWindows() = default;
  virtual WindowHandle GetForegroundWindow() = 0;
  virtual WindowHandle GetWindow(WindowHandle hwnd, std::uint32_t cmd) = 0;
  // The window's text, at most maxChars characters (as the system counts
  // them: UTF-16 units on the NT family, bytes on the 9x family), never cut
  // inside a character. Empty for a handle that is no window.
  virtual std::string GetWindowText(WindowHandle hwnd, int maxChars) = 0;
  virtual std::string GetClassName(WindowHandle hwnd, int maxChars) = 0;
  // Returns the thread id (0 for an invalid window); stores the process id
  // when processId is not null.
  virtual std::uint32_t GetWindowThreadProcessId(WindowHandle hwnd, std::uint32_t* processId) = 0;
  // The window of this thread that has the keyboard focus (0: none).
  virtual WindowHandle GetFocus() = 0;
};

}  // namespace platform
