#include "tests/e2e/host_support.h"

#include <cstdint>
#include <cstdio>

namespace e2e {

void Pump() {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
}

void PumpFor(int ms) { WaitUntil([] { return false; }, ms, 10); }

std::string Hex(HWND hwnd) {
  char text[32];
  std::snprintf(text, sizeof text, "%llx", static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(hwnd)));
  return text;
}

HWND ParseHwnd(const std::string& text) {
  return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(std::strtoull(text.c_str(), nullptr, 16)));
}

std::string Ms(double ms) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", ms);
  return text;
}

}  // namespace e2e
