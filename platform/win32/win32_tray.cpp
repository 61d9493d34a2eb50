#include "platform/win32/win32_tray.h"

#include "platform/win32/win32_api.h"
#include <shellapi.h>
#undef Shell_NotifyIcon

#include <algorithm>
#include <string>

#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_text.h"

namespace {

// The first form of the record, wide or ANSI; its native size depends on the
// pointer width. The tip is cut to what the field holds, between characters.
template <typename Record, typename Char>
Record RealRecord(const platform::NotifyIconData& data, DWORD v1Size, const std::basic_string<Char>& tip) {
  Record real{};
  real.cbSize = data.cbSize == platform::kNotifyIconDataSize ? v1Size : data.cbSize;
  real.hWnd = platform::win32::ToHwnd(data.hWnd);
  real.uID = data.uID;
  real.uFlags = data.uFlags;
  real.uCallbackMessage = data.uCallbackMessage;
  real.hIcon = reinterpret_cast<HICON>(data.hIcon);
  // The first form's field holds 63 characters and a NUL.
  std::size_t n = std::min<std::size_t>(tip.size(), 63);
  if constexpr (sizeof(Char) == 2) {
    if (n > 0 && n < tip.size() && tip[n - 1] >= 0xD800 && tip[n - 1] <= 0xDBFF) --n;
  } else {
    if (n < tip.size()) n = ::CharPrevExA(CP_ACP, tip.c_str(), tip.c_str() + n + 1, 0) - tip.c_str();
  }
  std::copy_n(tip.begin(), n, real.szTip);
  real.szTip[n] = 0;
  return real;
}

}  // namespace

bool Win32Tray::Shell_NotifyIcon(std::uint32_t message, const platform::NotifyIconData& data) {
  if (platform::win32::IsNt()) {
    NOTIFYICONDATAW real =
        RealRecord<NOTIFYICONDATAW>(data, NOTIFYICONDATAW_V1_SIZE, platform::win32::Widen(data.szTip));
    return ::Shell_NotifyIconW(message, &real) != FALSE;
  }
  NOTIFYICONDATAA real = RealRecord<NOTIFYICONDATAA>(data, NOTIFYICONDATAA_V1_SIZE, platform::win32::ToAnsi(data.szTip));
  return ::Shell_NotifyIconA(message, &real) != FALSE;
}

bool Win32Tray::SetForegroundWindow(platform::WindowHandle hwnd) {
  return ::SetForegroundWindow(platform::win32::ToHwnd(hwnd)) != FALSE;
}
