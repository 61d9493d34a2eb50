#pragma once
#include <cstdint>
#include <string>

#include "platform/os_types.h"

namespace platform {

inline constexpr WindowHandle kHwndTopmost = -1;
inline constexpr WindowHandle kHwndNoTopmost = -2;
inline constexpr std::uint32_t kSwpNoSize = 1;
inline constexpr std::uint32_t kSwpNoMove = 2;
inline constexpr std::uint32_t kHelpContext = 1;
inline constexpr std::uint32_t kHelpContents = 3;

// Window placement and the help viewer, one to one with user32.
class OsDesktop {
 public:
  virtual ~OsDesktop() = default;
  virtual bool SetWindowPos(WindowHandle hwnd, WindowHandle insertAfter, int x, int y, int cx, int cy,
                            std::uint32_t flags) = 0;
  virtual bool WinHelp(WindowHandle hwnd, const std::string& helpFile, std::uint32_t command, std::uintptr_t data) = 0;
};

}  // namespace platform
