#include "platform/win32/win32_tray.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>

#include "platform/win32/win32_handles.h"

bool Win32Tray::Shell_NotifyIconA(std::uint32_t message, const platform::NotifyIconData& data) {
  NOTIFYICONDATAA real{};
  // The 88-byte record is the first form of NOTIFYICONDATA; its native size
  // depends on the pointer width.
  real.cbSize = data.cbSize == platform::kNotifyIconDataSize ? NOTIFYICONDATAA_V1_SIZE : data.cbSize;
  real.hWnd = platform::win32::ToHwnd(data.hWnd);
  real.uID = data.uID;
  real.uFlags = data.uFlags;
  real.uCallbackMessage = data.uCallbackMessage;
  real.hIcon = reinterpret_cast<HICON>(data.hIcon);
  static_assert(sizeof real.szTip >= std::tuple_size_v<decltype(data.szTip)>);
  std::copy(data.szTip.begin(), data.szTip.end(), real.szTip);
  // A tip of 64 characters fills the field without a NUL; the shell gets it
  // terminated, as the most it can show is 63 characters anyway.
  real.szTip[data.szTip.size() - 1] = '\0';
  return ::Shell_NotifyIconA(message, &real) != FALSE;
}

bool Win32Tray::SetForegroundWindow(platform::WindowHandle hwnd) {
  return ::SetForegroundWindow(platform::win32::ToHwnd(hwnd)) != FALSE;
}
