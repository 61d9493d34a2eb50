#pragma once
// Helpers shared by the Windows tests: owned handles, a window of our own,
// and waiting while messages are serviced.
#include "platform/win32/win32_api.h"

#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_text.h"

#include <chrono>
#include <string>

namespace wintest {

using OwnedHandle = platform::win32::OwnedHandle;

// In the family's form, as the program's own loop takes them: the forms'
// windows are Unicode windows on the NT family.
inline void PumpMessages() {
  MSG msg;
  const bool wide = platform::win32::IsNt();
  while (wide ? ::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE) : ::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    platform::win32::DispatchMessageUtf8(msg);
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

// A top-level window of this process, destroyed with the object. Hidden ones
// cost less: Wine's X11 driver waits up to 2 s for the absent window manager
// whenever a shown window goes.
class TestWindow {
 public:
  // A Unicode window, as other programs' windows are today; the title is
  // UTF-8.
  explicit TestWindow(const char* title, bool show = false) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TarvoloTestWindow";
    ::RegisterClassW(&wc);  // fails harmlessly when already registered
    hwnd_ = ::CreateWindowExW(0, wc.lpszClassName, platform::win32::Widen(title).c_str(), WS_OVERLAPPEDWINDOW, 50, 50,
                              320, 200, nullptr, nullptr, wc.hInstance, nullptr);
    if (hwnd_ != nullptr && show) ::ShowWindow(hwnd_, SW_SHOWNORMAL);
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

// The folder of this executable, with a trailing backslash.
inline std::string ExeDirectory() {
  char path[MAX_PATH] = {};
  std::string dir(path, ::GetModuleFileNameA(nullptr, path, MAX_PATH));
  return dir.substr(0, dir.find_last_of("\\/") + 1);
}

}  // namespace wintest
