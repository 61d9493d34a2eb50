#include "tests/e2e/host_support.h"

#include <cstdio>
#include <cstdlib>

namespace e2e {

void Pump() {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
}

void PumpFor(int ms) {
  const Stopwatch clock;
  for (;;) {
    Pump();
    const double left = ms - clock.Ms();
    if (left <= 0) return;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left) + 1, QS_ALLINPUT);
  }
}

std::string Hex(HWND hwnd) {
  char text[32];
  std::snprintf(text, sizeof text, "%llx",
                static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(hwnd)));
  return text;
}

HWND ParseHwnd(const std::string& text) {
  return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(std::strtoull(text.c_str(), nullptr, 16)));
}

}  // namespace e2e
