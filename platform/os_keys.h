#pragma once
#include <cstdint>

#include "platform/os_types.h"

namespace platform {

// Keyboard and input calls, one to one with user32.
class OsKeys {
 public:
  virtual ~OsKeys() = default;
  virtual std::int16_t GetAsyncKeyState(int vk) = 0;
  virtual std::int16_t GetKeyState(int vk) = 0;
  virtual void keybd_event(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags,
                           std::uintptr_t extraInfo) = 0;
  virtual std::uint32_t MapVirtualKey(std::uint32_t code, std::uint32_t mapType) = 0;
  virtual bool GetKeyboardState(KeyboardTable& table) = 0;
  virtual bool SetKeyboardState(const KeyboardTable& table) = 0;
  // The tick count of the last keyboard or mouse input; false where the
  // system has no such call (before Windows 2000).
  virtual bool GetLastInputInfo(std::uint32_t& dwTime) = 0;
};

}  // namespace platform
