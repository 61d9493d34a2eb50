#pragma once
#include "platform/os_keys.h"

// The keyboard calls, forwarded to user32.
class Win32Keys : public virtual platform::OsKeys {
 public:
  std::int16_t GetAsyncKeyState(int vk) override;
  std::int16_t GetKeyState(int vk) override;
  void keybd_event(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags, std::uintptr_t extraInfo) override;
  std::uint32_t MapVirtualKey(std::uint32_t code, std::uint32_t mapType) override;
  bool GetKeyboardState(platform::KeyboardTable& table) override;
  bool SetKeyboardState(const platform::KeyboardTable& table) override;
  bool GetLastInputInfo(std::uint32_t& dwTime) override;
};
