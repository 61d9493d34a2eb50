#pragma once
#include "platform/os_tray.h"

// The notification area and SetForegroundWindow, forwarded to Windows.
class Win32Tray : public virtual platform::OsTray {
 public:
  bool Shell_NotifyIcon(std::uint32_t message, const platform::NotifyIconData& data) override;
  bool SetForegroundWindow(platform::WindowHandle hwnd) override;
};
