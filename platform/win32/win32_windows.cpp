#include "platform/win32/win32_windows.h"

#include <algorithm>
#include <cstring>

#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_text.h"

using platform::win32::FromHwnd;
using platform::win32::ToHwnd;

platform::WindowHandle Win32Windows::GetForegroundWindow() { return FromHwnd(::GetForegroundWindow()); }

platform::WindowHandle Win32Windows::GetWindow(platform::WindowHandle hwnd, std::uint32_t cmd) {
  return FromHwnd(::GetWindow(ToHwnd(hwnd), cmd));
}

namespace {

// At most maxChars of what `read` copies into a buffer of that many
// characters and a NUL, as UTF-8.
template <typename Read>
std::string ReadText(platform::WindowHandle hwnd, int maxChars, Read read) {
  // Windows answers 0 for a handle that is no window. Wine (8.0) instead
  // converts a buffer it never filled and returns that text's length, so a
  // window without an owner would get a random owner title.
  if (maxChars <= 0 || !::IsWindow(ToHwnd(hwnd))) return std::string();
  if (platform::win32::IsNt()) {
    std::wstring text(static_cast<std::size_t>(maxChars) + 1, L'\0');
    int n = std::clamp(read(ToHwnd(hwnd), text.data(), maxChars + 1), 0, maxChars);
    // Half a surrogate pair at the cut is no character.
    if (n == maxChars && n > 0 && text[n - 1] >= 0xD800 && text[n - 1] <= 0xDBFF) --n;
    text.resize(static_cast<std::size_t>(n));
    return platform::win32::Narrow(text);
  }
  std::string text(static_cast<std::size_t>(maxChars) + 1, '\0');
  const int n = std::clamp(read(ToHwnd(hwnd), text.data(), maxChars + 1), 0, maxChars);
  text.resize(std::min<std::size_t>(static_cast<std::size_t>(n), std::strlen(text.c_str())));
  return platform::win32::FromAnsi(text);
}

struct TextCall {
  int operator()(HWND h, wchar_t* b, int n) const { return wide(h, b, n); }
  int operator()(HWND h, char* b, int n) const { return ansi(h, b, n); }
  int(WINAPI* wide)(HWND, LPWSTR, int);
  int(WINAPI* ansi)(HWND, LPSTR, int);
};

}  // namespace

std::string Win32Windows::GetWindowText(platform::WindowHandle hwnd, int maxChars) {
  return ReadText(hwnd, maxChars, TextCall{::GetWindowTextW, ::GetWindowTextA});
}

std::string Win32Windows::GetClassName(platform::WindowHandle hwnd, int maxChars) {
  return ReadText(hwnd, maxChars, TextCall{::GetClassNameW, ::GetClassNameA});
}

std::uint32_t Win32Windows::GetWindowThreadProcessId(platform::WindowHandle hwnd, std::uint32_t* processId) {
  DWORD pid = 0;
  const DWORD thread = ::GetWindowThreadProcessId(ToHwnd(hwnd), &pid);
  if (processId != nullptr) *processId = pid;
  return thread;
}


platform::WindowHandle Win32Windows::GetFocus() { return FromHwnd(::GetFocus()); }
