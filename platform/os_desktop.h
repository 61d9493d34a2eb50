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

// Window placement and the help viewers: WinHelp one to one with user32, and
// the user's web browser for the HTML help.
class OsDesktop {
 public:
  virtual ~OsDesktop() = default;
  virtual bool SetWindowPos(WindowHandle hwnd, WindowHandle insertAfter, int x, int y, int cx, int cy,
                            std::uint32_t flags) = 0;
  virtual bool WinHelp(WindowHandle hwnd, const std::string& helpFile, std::uint32_t command, std::uintptr_t data) = 0;
  // Opens the local HTML page in the browser that opens .html files, at the
  // anchor (none when empty). False when no browser could be started.
  virtual bool OpenHtmlPage(WindowHandle hwnd, const std::string& path, const std::string& anchor) = 0;
};

}  // namespace platform
