#pragma once
#include "platform/os_clipboard.h"

// The clipboard and Ctrl+key to the foreground window, forwarded to Windows.
class Win32Clipboard : public virtual platform::OsClipboard {
 public:
  bool OpenClipboard(platform::WindowHandle owner) override;
  bool CloseClipboard() override;
  bool EmptyClipboard() override;
  bool IsClipboardFormatAvailable(std::uint32_t format) override;
  std::optional<std::string> GetClipboardText(std::uint32_t format) override;
  bool SetClipboardText(std::uint32_t format, std::string_view text) override;
  std::uint32_t RegisterClipboardFormat(const std::string& name) override;
  std::optional<std::uint32_t> GetClipboardSequenceNumber() override;
  bool SendCtrlKeyAndWait(std::uint8_t vk) override;

  // How long the target may take to handle the keystroke.
  static constexpr unsigned kWaitMs = 1000;
};
