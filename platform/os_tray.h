#pragma once
#include <cstdint>
#include <string>

#include "platform/os_types.h"

namespace platform {

using IconHandle = std::uintptr_t;

// Mirrors NOTIFYICONDATA in its first form (Windows 95 and NT 4): the
// members every shell understands. The real call is given the native size of
// that form, wide on the NT family and ANSI on the 9x family. With cbSize
// kNotifyIconDataV2Size it is the second form (shell 5: Windows 2000 and Me),
// which adds the balloon; a shell without it is not called.
struct NotifyIconData {
  std::uint32_t cbSize = 0;
  WindowHandle hWnd = 0;
  std::uint32_t uID = 0;
  std::uint32_t uFlags = 0;
  std::uint32_t uCallbackMessage = 0;
  IconHandle hIcon = 0;
  std::string szTip;  // cut to what the system keeps, between characters
  // The second form's balloon.
  std::string szInfo;  // up to 255 characters
  std::uint32_t uTimeout = 0;
  std::string szInfoTitle;  // up to 63 characters
  std::uint32_t dwInfoFlags = 0;
};

inline constexpr std::uint32_t kNotifyIconDataSize = 88;
inline constexpr std::uint32_t kNotifyIconDataV2Size = 488;
inline constexpr std::uint32_t kNimAdd = 0;
inline constexpr std::uint32_t kNimModify = 1;
inline constexpr std::uint32_t kNimDelete = 2;
inline constexpr std::uint32_t kNifMessage = 1;
inline constexpr std::uint32_t kNifIcon = 2;
inline constexpr std::uint32_t kNifTip = 4;
inline constexpr std::uint32_t kNifInfo = 0x10;
inline constexpr std::uint32_t kNiifNone = 0;
inline constexpr std::uint32_t kNiifNoSound = 0x10;  // Windows XP on; earlier shells ignore it

inline constexpr std::uint32_t kWmMouseMove = 0x0200;
inline constexpr std::uint32_t kWmLButtonDown = 0x0201;
inline constexpr std::uint32_t kWmLButtonUp = 0x0202;
inline constexpr std::uint32_t kWmLButtonDblClk = 0x0203;
inline constexpr std::uint32_t kWmRButtonDown = 0x0204;
inline constexpr std::uint32_t kWmRButtonUp = 0x0205;
inline constexpr std::uint32_t kWmRButtonDblClk = 0x0206;

// The notification area (shell32), and bringing one of our windows to the
// foreground so that a pop-up menu of the tray icon closes when the user
// clicks elsewhere (user32).
class OsTray {
 public:
  virtual ~OsTray() = default;
  virtual bool Shell_NotifyIcon(std::uint32_t message, const NotifyIconData& data) = 0;
  virtual bool SetForegroundWindow(WindowHandle hwnd) = 0;
};

}  // namespace platform
