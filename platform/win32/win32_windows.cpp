#include "platform/win32/win32_windows.h"

#include "platform/win32/win32_handles.h"

using platform::win32::FromHwnd;
using platform::win32::ToHwnd;

platform::WindowHandle Win32Windows::GetForegroundWindow() { return FromHwnd(::GetForegroundWindow()); }

platform::WindowHandle Win32Windows::GetWindow(platform::WindowHandle hwnd, std::uint32_t cmd) {
  return FromHwnd(::GetWindow(ToHwnd(hwnd), cmd));
}

int Win32Windows::GetWindowTextA(platform::WindowHandle hwnd, char* buffer, int maxCount) {
  // Windows answers 0 for a handle that is no window. Wine (8.0) instead
  // converts a buffer it never filled and returns that text's length, so a
  // window without an owner would get a random owner title.
  if (!::IsWindow(ToHwnd(hwnd))) {
    if (buffer != nullptr && maxCount > 0) buffer[0] = '\0';
    return 0;
  }
  return ::GetWindowTextA(ToHwnd(hwnd), buffer, maxCount);
}

int Win32Windows::GetClassNameA(platform::WindowHandle hwnd, char* buffer, int maxCount) {
  return ::GetClassNameA(ToHwnd(hwnd), buffer, maxCount);
}

std::uint32_t Win32Windows::GetWindowThreadProcessId(platform::WindowHandle hwnd, std::uint32_t* processId) {
  DWORD pid = 0;
  const DWORD thread = ::GetWindowThreadProcessId(ToHwnd(hwnd), &pid);
  if (processId != nullptr) *processId = pid;
  return thread;
}


platform::WindowHandle Win32Windows::GetFocus() { return FromHwnd(::GetFocus()); }
