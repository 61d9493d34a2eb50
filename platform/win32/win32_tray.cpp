#include "platform/win32/win32_tray.h"

#include "platform/win32/win32_api.h"
#include <shellapi.h>
#include <shlwapi.h>
#undef Shell_NotifyIcon

#include <algorithm>
#include <iterator>
#include <string>

#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_text.h"

namespace {

// Copies text into a field of that many characters with its NUL, cut
// between characters.
template <typename Char>
void CopyCut(Char* field, std::size_t capacity, const std::basic_string<Char>& text) {
  std::size_t n = std::min<std::size_t>(text.size(), capacity - 1);
  if constexpr (sizeof(Char) == 2) {
    if (n > 0 && n < text.size() && text[n - 1] >= 0xD800 && text[n - 1] <= 0xDBFF) --n;
  } else {
    if (n < text.size()) n = ::CharPrevExA(CP_ACP, text.c_str(), text.c_str() + n + 1, 0) - text.c_str();
  }
  std::copy_n(text.begin(), n, field);
  field[n] = 0;
}

// The first or second form of the record, wide or ANSI, in its native size.
// The first form's tip holds 63 characters whichever form goes out.
template <typename Record, typename Convert>
Record RealRecord(const platform::NotifyIconData& data, DWORD v1Size, DWORD v2Size, Convert convert) {
  Record real{};
  const bool second = data.cbSize == platform::kNotifyIconDataV2Size;
  real.cbSize = second ? v2Size : data.cbSize == platform::kNotifyIconDataSize ? v1Size : data.cbSize;
  real.hWnd = platform::win32::ToHwnd(data.hWnd);
  real.uID = data.uID;
  real.uFlags = data.uFlags;
  real.uCallbackMessage = data.uCallbackMessage;
  real.hIcon = reinterpret_cast<HICON>(data.hIcon);
  CopyCut(real.szTip, 64, convert(data.szTip));
  if (second) {
    CopyCut(real.szInfo, std::size(real.szInfo), convert(data.szInfo));
    real.uTimeout = data.uTimeout;
    CopyCut(real.szInfoTitle, std::size(real.szInfoTitle), convert(data.szInfoTitle));
    real.dwInfoFlags = data.dwInfoFlags;
  }
  return real;
}

// Shell 5 (Windows 2000 and Me) and later show balloons; earlier shells know
// no second form of the record.
bool ShellHasBalloons() {
  static const bool has = [] {
    using GetVersionCall = HRESULT(CALLBACK*)(DLLVERSIONINFO*);
    HMODULE shell = ::GetModuleHandleA("shell32.dll");
    const auto get = shell ? reinterpret_cast<GetVersionCall>(
                                 reinterpret_cast<void (*)()>(::GetProcAddress(shell, "DllGetVersion")))
                           : nullptr;
    DLLVERSIONINFO info{};
    info.cbSize = sizeof info;
    return get != nullptr && SUCCEEDED(get(&info)) && info.dwMajorVersion >= 5;
  }();
  return has;
}

}  // namespace

bool Win32Tray::Shell_NotifyIcon(std::uint32_t message, const platform::NotifyIconData& data) {
  if (data.cbSize == platform::kNotifyIconDataV2Size && !ShellHasBalloons()) return false;
  if (platform::win32::IsNt()) {
    NOTIFYICONDATAW real = RealRecord<NOTIFYICONDATAW>(data, NOTIFYICONDATAW_V1_SIZE, NOTIFYICONDATAW_V2_SIZE,
                                                       [](const std::string& s) { return platform::win32::Widen(s); });
    return ::Shell_NotifyIconW(message, &real) != FALSE;
  }
  NOTIFYICONDATAA real = RealRecord<NOTIFYICONDATAA>(data, NOTIFYICONDATAA_V1_SIZE, NOTIFYICONDATAA_V2_SIZE,
                                                     [](const std::string& s) { return platform::win32::ToAnsi(s); });
  return ::Shell_NotifyIconA(message, &real) != FALSE;
}

bool Win32Tray::SetForegroundWindow(platform::WindowHandle hwnd) {
  return ::SetForegroundWindow(platform::win32::ToHwnd(hwnd)) != FALSE;
}
