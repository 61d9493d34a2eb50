#pragma once
#include <cstdint>

#include "platform/os_types.h"

namespace platform {

// Window queries, one to one with user32.
class OsWindows {
 public:
  virtual ~OsWindows() = default;
  virtual WindowHandle GetForegroundWindow() = 0;
  virtual WindowHandle GetWindow(WindowHandle hwnd, std::uint32_t cmd) = 0;
  // Copies at most maxCount-1 characters and a NUL; returns the count copied.
  virtual int GetWindowTextA(WindowHandle hwnd, char* buffer, int maxCount) = 0;
  virtual int GetClassNameA(WindowHandle hwnd, char* buffer, int maxCount) = 0;
  // Returns the thread id (0 for an invalid window); stores the process id
  // when processId is not null.
  virtual std::uint32_t GetWindowThreadProcessId(WindowHandle hwnd, std::uint32_t* processId) = 0;
  // The window of this thread that has the keyboard focus (0: none).
  virtual WindowHandle GetFocus() = 0;
};

}  // namespace platform
