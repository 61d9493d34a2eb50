#pragma once
// Conversions between the interface's handle values and Win32's. Only for the
// files of platform/win32 and the Windows test programs: it needs <windows.h>.
#include "platform/win32/win32_api.h"

#include <cstdint>
#include <utility>

#include "platform/os_types.h"

namespace platform::win32 {

// Window handles are 32-bit values that Windows sign-extends into an HWND.
inline HWND ToHwnd(WindowHandle h) { return reinterpret_cast<HWND>(static_cast<std::intptr_t>(h)); }
inline WindowHandle FromHwnd(HWND h) { return static_cast<WindowHandle>(reinterpret_cast<std::intptr_t>(h)); }

inline HANDLE ToHandle(OsHandle h) { return reinterpret_cast<HANDLE>(h); }
inline OsHandle FromHandle(HANDLE h) { return reinterpret_cast<OsHandle>(h); }

// A kernel handle closed when it goes out of scope.
class OwnedHandle {
 public:
  OwnedHandle() = default;
  explicit OwnedHandle(HANDLE h) : h_(h) {}
  OwnedHandle(const OwnedHandle&) = delete;
  OwnedHandle& operator=(const OwnedHandle&) = delete;
  OwnedHandle(OwnedHandle&& other) noexcept : h_(std::exchange(other.h_, nullptr)) {}
  OwnedHandle& operator=(OwnedHandle&& other) noexcept {
    if (this != &other) {
      reset();
      h_ = std::exchange(other.h_, nullptr);
    }
    return *this;
  }
  ~OwnedHandle() { reset(); }
  HANDLE get() const { return h_; }
  bool valid() const { return h_ != nullptr && h_ != INVALID_HANDLE_VALUE; }
  void reset() {
    if (valid()) ::CloseHandle(h_);
    h_ = nullptr;
  }

 private:
  HANDLE h_ = nullptr;
};

}  // namespace platform::win32
