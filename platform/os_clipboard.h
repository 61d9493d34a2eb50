#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/os_types.h"

namespace platform {

inline constexpr std::uint32_t kCfText = 1;
inline constexpr std::uint32_t kCfUnicodeText = 13;
inline constexpr const char* kRichTextFormatName = "Rich Text Format";

// The clipboard and Ctrl+key sent to whatever window has the focus (user32).
// Text crosses as UTF-8: CF_UNICODETEXT and CF_TEXT (from and to the ANSI
// code page) are converted; any other format is its bytes as they are (rich
// text is 7-bit).
class OsClipboard {
 public:
  virtual ~OsClipboard() = default;
  virtual bool OpenClipboard(WindowHandle owner) = 0;
  virtual bool CloseClipboard() = 0;
  virtual bool EmptyClipboard() = 0;
  virtual bool IsClipboardFormatAvailable(std::uint32_t format) = 0;
  // GetClipboardData read as text: up to its first NUL, never past the end
  // of the block. Nothing when the format is not there.
  virtual std::optional<std::string> GetClipboardText(std::uint32_t format) = 0;
  // SetClipboardData with a NUL-terminated copy of the text.
  virtual bool SetClipboardText(std::uint32_t format, std::string_view text) = 0;
  virtual std::uint32_t RegisterClipboardFormat(const std::string& name) = 0;
  // Changes whenever the clipboard's content does; nothing on systems that
  // do not count (the 9x family and NT 4).
  virtual std::optional<std::uint32_t> GetClipboardSequenceNumber() = 0;
  // Ctrl+vk to the foreground window as one batch of input (CtrlKeyBatch:
  // the modifiers the user holds let go and pressed again around it, and no
  // key of the user's in between where the system allows); then waits, for a
  // bounded time, until the target has handled it. False when nothing could
  // be sent or the target did not answer in time.
  virtual bool SendCtrlKeyAndWait(std::uint8_t vk) = 0;
};

}  // namespace platform
