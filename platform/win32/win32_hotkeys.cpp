#include "platform/win32/win32_hotkeys.h"

#include "platform/win32/win32_api.h"

#include <memory>

#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_text.h"

namespace {

constexpr const char* kProcProperty = "Tarvolo.WindowProc";
constexpr const char* kPreviousProperty = "Tarvolo.PreviousProc";

platform::WindowProc* ProcOf(HWND hwnd) { return static_cast<platform::WindowProc*>(::GetPropA(hwnd, kProcProperty)); }

void Forget(HWND hwnd) {
  delete ProcOf(hwnd);
  ::RemovePropA(hwnd, kProcProperty);
  ::RemovePropA(hwnd, kPreviousProperty);
}

// A Unicode window keeps Unicode procedures, or Windows would translate its
// text messages through the ANSI code page on the way.
LONG_PTR SetProc(HWND hwnd, LONG_PTR proc) {
  return ::IsWindowUnicode(hwnd) ? ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, proc)
                                 : ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, proc);
}

LRESULT CallPrevious(WNDPROC previous, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  const bool wide = ::IsWindowUnicode(hwnd) != FALSE;
  if (previous == nullptr)
    return wide ? ::DefWindowProcW(hwnd, msg, wParam, lParam) : ::DefWindowProcA(hwnd, msg, wParam, lParam);
  return wide ? ::CallWindowProcW(previous, hwnd, msg, wParam, lParam)
              : ::CallWindowProcA(previous, hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  platform::WindowProc* proc = ProcOf(hwnd);
  const auto previous = reinterpret_cast<WNDPROC>(::GetPropA(hwnd, kPreviousProperty));
  if (proc == nullptr) {
    return CallPrevious(previous, hwnd, msg, wParam, lParam);
  }
  // The procedure may remove the subclass while it runs: keep it alive.
  const platform::WindowProc keep = *proc;
  const LRESULT result = keep(platform::win32::FromHwnd(hwnd), msg, wParam, lParam);
  if (msg == WM_NCDESTROY && ProcOf(hwnd) != nullptr) {
    // The window is gone: give it back its procedure and free ours.
    SetProc(hwnd, reinterpret_cast<LONG_PTR>(previous));
    Forget(hwnd);
  }
  return result;
}

}  // namespace

platform::Atom Win32Hotkeys::GlobalAddAtom(const std::string& name) {
  if (platform::win32::IsNt()) return ::GlobalAddAtomW(platform::win32::Widen(name).c_str());
  return ::GlobalAddAtomA(platform::win32::ToAnsi(name).c_str());
}

platform::Atom Win32Hotkeys::GlobalDeleteAtom(platform::Atom atom) { return ::GlobalDeleteAtom(atom); }

bool Win32Hotkeys::RegisterHotKey(platform::WindowHandle hwnd, int id, std::uint32_t modifiers, std::uint32_t vk) {
  return ::RegisterHotKey(platform::win32::ToHwnd(hwnd), id, modifiers, vk) != FALSE;
}

bool Win32Hotkeys::UnregisterHotKey(platform::WindowHandle hwnd, int id) {
  return ::UnregisterHotKey(platform::win32::ToHwnd(hwnd), id) != FALSE;
}

platform::WindowProcRef Win32Hotkeys::SubclassWindow(platform::WindowHandle hwnd, platform::WindowProc proc) {
  const HWND window = platform::win32::ToHwnd(hwnd);
  if (!::IsWindow(window) || ProcOf(window) != nullptr) return 0;
  auto owned = std::make_unique<platform::WindowProc>(std::move(proc));
  if (!::SetPropA(window, kProcProperty, owned.get())) return 0;
  owned.release();
  const LONG_PTR previous = SetProc(window, reinterpret_cast<LONG_PTR>(&SubclassProc));
  if (previous == 0) {
    Forget(window);
    return 0;
  }
  ::SetPropA(window, kPreviousProperty, reinterpret_cast<HANDLE>(previous));
  return static_cast<platform::WindowProcRef>(previous);
}

void Win32Hotkeys::RestoreWindowProc(platform::WindowHandle hwnd, platform::WindowProcRef previous) {
  const HWND window = platform::win32::ToHwnd(hwnd);
  if (!::IsWindow(window) || previous == 0) return;
  SetProc(window, static_cast<LONG_PTR>(previous));
  Forget(window);
}

std::intptr_t Win32Hotkeys::CallWindowProc(platform::WindowProcRef previous, platform::WindowHandle hwnd,
                                            std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) {
  return CallPrevious(reinterpret_cast<WNDPROC>(previous), platform::win32::ToHwnd(hwnd), msg, wParam, lParam);
}
