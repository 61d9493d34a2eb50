#pragma once
// Helpers shared by the Windows tests: owned handles, a window of our own,
// waiting while messages are serviced, and the version that Wine reports.
#include <windows.h>

#include "platform/win32/win32_handles.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdlib>
#include <string>
#include <utility>


namespace wintest {

using OwnedHandle = platform::win32::OwnedHandle;

inline void PumpMessages() {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
}

// Services this thread's messages until the condition holds or the time is up.
template <class Condition>
bool WaitUntil(Condition condition, std::chrono::milliseconds limit = std::chrono::seconds(10)) {
  const auto end = std::chrono::steady_clock::now() + limit;
  for (;;) {
    PumpMessages();
    if (condition()) return true;
    if (std::chrono::steady_clock::now() >= end) return false;
    ::Sleep(20);
  }
}

// A top-level window of this process, destroyed with the object. Shown, it
// is brought to the front; hidden, it costs less: Wine's X11 driver waits up
// to 2 s for the absent window manager whenever a shown window goes.
class TestWindow {
 public:
  static constexpr const char* kClassName = "TarvoloTestWindow";
  enum class Show { Yes, No };

  explicit TestWindow(const char* title, Show show = Show::Yes) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = kClassName;
    wc.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    ::RegisterClassA(&wc);  // fails harmlessly when already registered
    hwnd_ = ::CreateWindowExA(0, kClassName, title, WS_OVERLAPPEDWINDOW, 50, 50, 320, 200, nullptr, nullptr,
                              wc.hInstance, nullptr);
    if (hwnd_ == nullptr || show == Show::No) return;
    ::ShowWindow(hwnd_, SW_SHOWNORMAL);
    ::UpdateWindow(hwnd_);
    Activate();
  }
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;
  ~TestWindow() {
    if (hwnd_ != nullptr) ::DestroyWindow(hwnd_);
    PumpMessages();
  }

  HWND get() const { return hwnd_; }

  // Foreground and keyboard focus, which injected keys need to reach this
  // thread's key state. True once both hold.
  bool Activate() {
    ::SetForegroundWindow(hwnd_);
    ::SetActiveWindow(hwnd_);
    ::SetFocus(hwnd_);
    return WaitUntil([this] { return ::GetForegroundWindow() == hwnd_ && ::GetFocus() == hwnd_; },
                     std::chrono::seconds(5));
  }

 private:
  HWND hwnd_ = nullptr;
};

// What GetVersionExA reports, asked without going through the program's code.
inline OSVERSIONINFOA ReportedVersion() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  ::GetVersionExA(&info);
#pragma GCC diagnostic pop
  return info;
}

inline bool ReportsNT4() {
  const OSVERSIONINFOA v = ReportedVersion();
  return v.dwPlatformId == VER_PLATFORM_WIN32_NT && v.dwMajorVersion == 4;
}

inline bool Reports9x() { return ReportedVersion().dwPlatformId == VER_PLATFORM_WIN32_WINDOWS; }

// The Wine version the runner switched to ("win98", "nt40", "win10"), or empty
// when the tests run outside the runner.
inline std::string ExpectedVersion() {
  const char* v = std::getenv("TARVOLO_EXPECT_VERSION");
  return v == nullptr ? std::string() : std::string(v);
}

// The folder of this executable, with a trailing backslash.
inline std::string ExeDirectory() {
  char path[MAX_PATH] = {};
  const DWORD n = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string dir(path, n);
  const auto at = dir.find_last_of("\\/");
  return at == std::string::npos ? std::string() : dir.substr(0, at + 1);
}

inline bool EqualsIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
         });
}

}  // namespace wintest
