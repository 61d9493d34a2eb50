#pragma once
#include "platform/os_desktop.h"

// Window placement and the help viewer, forwarded to user32.
class Win32Desktop : public virtual platform::OsDesktop {
 public:
  bool SetWindowPos(platform::WindowHandle hwnd, platform::WindowHandle insertAfter, int x, int y, int cx, int cy,
                    std::uint32_t flags) override;
  bool WinHelp(platform::WindowHandle hwnd, const std::string& helpFile, std::uint32_t command,
                std::uintptr_t data) override;
  bool OpenHtmlPage(platform::WindowHandle hwnd, const std::string& path, const std::string& anchor) override;
};
