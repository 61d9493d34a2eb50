#pragma once
// Small pieces every part of the end-to-end host uses: an owned kernel
// handle, a monotonic stopwatch, and servicing this thread's messages while
// waiting, so the host's own windows stay responsive and its view of the
// keyboard stays current.
#include <windows.h>

#include "platform/win32/win32_handles.h"

#include <cstdint>
#include <string>
#include <utility>

namespace e2e {

using OwnedHandle = platform::win32::OwnedHandle;

// Elapsed time from QueryPerformanceCounter, in milliseconds.
class Stopwatch {
 public:
  Stopwatch() {
    ::QueryPerformanceFrequency(&frequency_);
    ::QueryPerformanceCounter(&start_);
  }
  double Ms() const {
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart - start_.QuadPart) * 1000.0 / static_cast<double>(frequency_.QuadPart);
  }

 private:
  LARGE_INTEGER frequency_{};
  LARGE_INTEGER start_{};
};

// Dispatches every message waiting for this thread.
void Pump();

// Services messages for the given time.
void PumpFor(int ms);

// Services messages until the condition holds (true) or the time is up
// (false). The condition is tested at least once, then every pollMs: 1 ms
// where a wait is measured, more where the test itself is costly (a process
// snapshot, a walk of all windows) and would only take the machine from the
// program under test.
template <class Condition>
bool WaitUntil(Condition condition, int timeoutMs, int pollMs = 1) {
  const Stopwatch clock;
  for (;;) {
    Pump();
    if (condition()) return true;
    if (clock.Ms() >= timeoutMs) return false;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(pollMs), QS_ALLINPUT);
  }
}

// The poll interval for costly conditions.
inline constexpr int kSlowPollMs = 20;

std::string Hex(HWND hwnd);
HWND ParseHwnd(const std::string& text);

}  // namespace e2e
