#include "platform/win32/win32_keys.h"

#include "platform/win32/win32_api.h"

std::int16_t Win32Keys::GetAsyncKeyState(int vk) { return ::GetAsyncKeyState(vk); }

std::int16_t Win32Keys::GetKeyState(int vk) { return ::GetKeyState(vk); }

void Win32Keys::keybd_event(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags, std::uintptr_t extraInfo) {
  ::keybd_event(vk, scan, flags, extraInfo);
}

std::uint32_t Win32Keys::MapVirtualKey(std::uint32_t code, std::uint32_t mapType) {
  return ::MapVirtualKeyA(code, mapType);
}

bool Win32Keys::GetKeyboardState(platform::KeyboardTable& table) { return ::GetKeyboardState(table.data()) != FALSE; }

// Windows 2000 and later: looked up, so that the program still starts on
// NT 4 and the 9x family.
bool Win32Keys::GetLastInputInfo(std::uint32_t& dwTime) {
  using LastInputCall = BOOL(WINAPI*)(PLASTINPUTINFO);
  static const LastInputCall call = [] {
    HMODULE user32 = ::GetModuleHandleA("user32.dll");
    return user32 ? reinterpret_cast<LastInputCall>(
                        reinterpret_cast<void (*)()>(::GetProcAddress(user32, "GetLastInputInfo")))
                  : nullptr;
  }();
  LASTINPUTINFO info{};
  info.cbSize = sizeof info;
  if (call == nullptr || !call(&info)) return false;
  dwTime = info.dwTime;
  return true;
}

bool Win32Keys::SetKeyboardState(const platform::KeyboardTable& table) {
  // SetKeyboardState only reads the table; its prototype merely lacks the const.
  platform::KeyboardTable copy = table;
  return ::SetKeyboardState(copy.data()) != FALSE;
}

