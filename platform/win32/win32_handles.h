#pragma once
// Conversions between the interface's handle values and Win32's. Only for the
// files of platform/win32 and the Windows test programs: it needs <windows.h>.
#include <windows.h>

#include <cstdint>

#include "platform/os_types.h"

namespace platform::win32 {

// Window handles are 32-bit values that Windows sign-extends into an HWND.
inline HWND ToHwnd(WindowHandle h) { return reinterpret_cast<HWND>(static_cast<std::intptr_t>(h)); }
inline WindowHandle FromHwnd(HWND h) { return static_cast<WindowHandle>(reinterpret_cast<std::intptr_t>(h)); }

inline HANDLE ToHandle(OsHandle h) { return reinterpret_cast<HANDLE>(h); }
inline OsHandle FromHandle(HANDLE h) { return reinterpret_cast<OsHandle>(h); }

}  // namespace platform::win32
