#include "platform/win32/win32_win_events.h"

#include "platform/win32/win32_api.h"

#include <map>

#include "platform/win32/win32_handles.h"

namespace {

using SetWinEventHookCall = HWINEVENTHOOK(WINAPI*)(DWORD, DWORD, HMODULE, WINEVENTPROC, DWORD, DWORD, DWORD);
using UnhookWinEventCall = BOOL(WINAPI*)(HWINEVENTHOOK);

struct Calls {
  SetWinEventHookCall set = nullptr;
  UnhookWinEventCall unhook = nullptr;
};

// FARPROC stands for any function; going through void (*)() says so to the
// compiler.
template <typename Call>
Call Lookup(HMODULE module, const char* name) {
  return reinterpret_cast<Call>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name)));
}

const Calls& User32() {
  static const Calls calls = [] {
    Calls found;
    if (HMODULE user32 = ::GetModuleHandleA("user32.dll")) {
      found.set = Lookup<SetWinEventHookCall>(user32, "SetWinEventHook");
      found.unhook = Lookup<UnhookWinEventCall>(user32, "UnhookWinEvent");
    }
    if (found.set == nullptr || found.unhook == nullptr) found = {};
    return found;
  }();
  return calls;
}

// The hook's procedure has no room for data of ours: ours are found by the
// hook's handle.
std::map<HWINEVENTHOOK, platform::WinEventProc>& Procs() {
  static std::map<HWINEVENTHOOK, platform::WinEventProc> procs;
  return procs;
}

void CALLBACK WinEventProc(HWINEVENTHOOK hook, DWORD event, HWND hwnd, LONG idObject, LONG idChild, DWORD, DWORD) {
  const auto it = Procs().find(hook);
  if (it == Procs().end()) return;
  // The procedure may unhook itself while it runs.
  const platform::WinEventProc proc = it->second;
  proc(event, platform::win32::FromHwnd(hwnd), idObject, idChild);
}

}  // namespace

platform::WinEventHookHandle Win32WinEvents::SetWinEventHook(std::uint32_t eventMin, std::uint32_t eventMax,
                                                             platform::WinEventProc proc, std::uint32_t idProcess,
                                                             std::uint32_t idThread, std::uint32_t flags) {
  const Calls& user32 = User32();
  if (user32.set == nullptr || !proc) return 0;
  // Out of context the events come through this thread's message queue,
  // never before the call has returned.
  HWINEVENTHOOK hook = user32.set(eventMin, eventMax, nullptr, &WinEventProc, idProcess, idThread, flags);
  if (hook == nullptr) return 0;
  Procs()[hook] = std::move(proc);
  return reinterpret_cast<platform::WinEventHookHandle>(hook);
}

bool Win32WinEvents::UnhookWinEvent(platform::WinEventHookHandle hook) {
  const Calls& user32 = User32();
  auto* native = reinterpret_cast<HWINEVENTHOOK>(hook);
  Procs().erase(native);
  return user32.unhook != nullptr && user32.unhook(native) != FALSE;
}
