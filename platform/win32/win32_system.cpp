#include "platform/win32/win32_system.h"

#include "platform/win32/win32_api.h"

#include <cstring>

#include "platform/win32/win32_text.h"

bool Win32System::GetVersionEx(platform::OsVersionInfo& info) {
  OSVERSIONINFOA real{};
  real.dwOSVersionInfoSize = sizeof real;
  // The real call on purpose: the family it reports (9x, NT 4, later) is what
  // the program adapts to, and what Wine lets a test choose.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  const BOOL ok = ::GetVersionExA(&real);
#pragma GCC diagnostic pop
  if (!ok) return false;
  info.dwMajorVersion = real.dwMajorVersion;
  info.dwMinorVersion = real.dwMinorVersion;
  info.dwBuildNumber = real.dwBuildNumber;
  info.dwPlatformId = real.dwPlatformId;
  static_assert(sizeof real.szCSDVersion == std::tuple_size_v<decltype(info.szCSDVersion)>);
  std::memcpy(info.szCSDVersion.data(), real.szCSDVersion, info.szCSDVersion.size());
  return true;
}

void Win32System::Sleep(std::uint32_t milliseconds) { ::Sleep(milliseconds); }

std::uint32_t Win32System::GetTickCount() { return ::GetTickCount(); }

void Win32System::DoEvents() {
  MSG msg;
  const bool wide = platform::win32::IsNt();
  while (wide ? ::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE) : ::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      // The quit request belongs to the main message loop: put it back and
      // stop, or the loop here would take it again for ever.
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    ::TranslateMessage(&msg);
    wide ? ::DispatchMessageW(&msg) : ::DispatchMessageA(&msg);
  }
}


int Win32System::GetSystemMetrics(int index) { return ::GetSystemMetrics(index); }

bool Win32System::MessageBeep(std::uint32_t type) { return ::MessageBeep(type) != FALSE; }
