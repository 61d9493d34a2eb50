#include "platform/win32/win32_desktop.h"

#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_text.h"

using platform::win32::ToHwnd;

bool Win32Desktop::SetWindowPos(platform::WindowHandle hwnd, platform::WindowHandle insertAfter, int x, int y,
                                int cx, int cy, std::uint32_t flags) {
  // HWND_TOPMOST and HWND_NOTOPMOST are -1 and -2, which ToHwnd sign-extends.
  return ::SetWindowPos(ToHwnd(hwnd), ToHwnd(insertAfter), x, y, cx, cy, flags) != 0;
}

bool Win32Desktop::WinHelp(platform::WindowHandle hwnd, const std::string& helpFile, std::uint32_t command,
                           std::uintptr_t data) {
  if (platform::win32::IsNt())
    return ::WinHelpW(ToHwnd(hwnd), platform::win32::Widen(helpFile).c_str(), command, data) != 0;
  return ::WinHelpA(ToHwnd(hwnd), platform::win32::ToAnsi(helpFile).c_str(), command, data) != 0;
}
