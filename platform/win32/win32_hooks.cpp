#include "platform/win32/win32_hooks.h"

#include "platform/win32/win32_api.h"

namespace {

platform::HookProc& JournalProc() {
  static platform::HookProc proc;
  return proc;
}

// The record being handed to our procedure, and the native one it stands
// for, so that the call passed on gets the native record.
struct Passing {
  const platform::EventMsg* ours = nullptr;
  LPARAM native = 0;
};
Passing& Current() {
  static Passing passing;
  return passing;
}

LRESULT CALLBACK JournalRecordProc(int code, WPARAM wParam, LPARAM lParam) {
  const platform::HookProc& proc = JournalProc();
  if (!proc) return ::CallNextHookEx(nullptr, code, wParam, lParam);
  if (code == HC_ACTION && lParam != 0) {
    // The program sees the 20-byte record of a 32-bit Windows whatever this
    // build's pointer width.
    const auto* native = reinterpret_cast<const EVENTMSG*>(lParam);
    platform::EventMsg event{native->message, native->paramL, native->paramH, native->time,
                             static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(native->hwnd))};
    const Passing outer = Current();
    Current() = {&event, lParam};
    const LRESULT result = proc(code, wParam, reinterpret_cast<std::intptr_t>(&event));
    Current() = outer;
    return result;
  }
  return proc(code, wParam, lParam);
}

}  // namespace

platform::HookHandle Win32Hooks::SetWindowsHookEx(int idHook, platform::HookProc proc, std::uintptr_t module,
                                                   std::uint32_t threadId) {
  if (idHook != WH_JOURNALRECORD || JournalProc()) return 0;
  JournalProc() = std::move(proc);
  // A journal hook runs in our own thread and needs no module. Wine refuses
  // it without one (ERROR_HOOK_NEEDS_HMOD), which the program survives; given
  // one, Wine installs it but other programs' input under Wine then stalls.
  HHOOK hook = ::SetWindowsHookExA(idHook, &JournalRecordProc, reinterpret_cast<HINSTANCE>(module), threadId);
  if (hook == nullptr) JournalProc() = nullptr;
  return reinterpret_cast<platform::HookHandle>(hook);
}

bool Win32Hooks::UnhookWindowsHookEx(platform::HookHandle hook) {
  const bool done = ::UnhookWindowsHookEx(reinterpret_cast<HHOOK>(hook)) != FALSE;
  JournalProc() = nullptr;
  return done;
}

std::intptr_t Win32Hooks::CallNextHookEx(platform::HookHandle hook, int code, std::uintptr_t wParam,
                                         std::intptr_t lParam) {
  const Passing& passing = Current();
  if (passing.ours != nullptr && lParam == reinterpret_cast<std::intptr_t>(passing.ours)) lParam = passing.native;
  return ::CallNextHookEx(reinterpret_cast<HHOOK>(hook), code, wParam, lParam);
}
