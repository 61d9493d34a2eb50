#include "platform/win32/win32_hotkeys.h"

#include <windows.h>

#include <memory>

#include "platform/win32/win32_handles.h"

namespace {

constexpr const char* kProcProperty = "Tarvolo.WindowProc";
constexpr const char* kPreviousProperty = "Tarvolo.PreviousProc";

platform::WindowProc* ProcOf(HWND hwnd) { return static_cast<platform::WindowProc*>(::GetPropA(hwnd, kProcProperty)); }

void Forget(HWND hwnd) {
  delete ProcOf(hwnd);
  ::RemovePropA(hwnd, kProcProperty);
  ::RemovePropA(hwnd, kPreviousProperty);
}

LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  platform::WindowProc* proc = ProcOf(hwnd);
  const auto previous = reinterpret_cast<WNDPROC>(::GetPropA(hwnd, kPreviousProperty));
  if (proc == nullptr) {
    return previous != nullptr ? ::CallWindowProcA(previous, hwnd, msg, wParam, lParam)
                               : ::DefWindowProcA(hwnd, msg, wParam, lParam);
  }
  // The procedure may remove the subclass while it runs: keep it alive.
  const platform::WindowProc keep = *proc;
  const LRESULT result = keep(platform::win32::FromHwnd(hwnd), msg, wParam, lParam);
  if (msg == WM_NCDESTROY && ProcOf(hwnd) != nullptr) {
    // The window is gone: give it back its procedure and free ours.
    ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    Forget(hwnd);
  }
  return result;
}

}  // namespace

platform::Atom Win32Hotkeys::GlobalAddAtomA(const char* name) { return ::GlobalAddAtomA(name); }

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
  const LONG_PTR previous = ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassProc));
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
  ::SetWindowLongPtrA(window, GWLP_WNDPROC, static_cast<LONG_PTR>(previous));
  Forget(window);
}

std::intptr_t Win32Hotkeys::CallWindowProcA(platform::WindowProcRef previous, platform::WindowHandle hwnd,
                                            std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) {
  if (previous == 0) return ::DefWindowProcA(platform::win32::ToHwnd(hwnd), msg, wParam, lParam);
  return ::CallWindowProcA(reinterpret_cast<WNDPROC>(previous), platform::win32::ToHwnd(hwnd), msg, wParam, lParam);
}
