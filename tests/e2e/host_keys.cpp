#include "tests/e2e/host_keys.h"

#include "tests/e2e/host_support.h"

namespace e2e {
namespace {

constexpr int kLockKeys[] = {VK_CAPITAL, VK_NUMLOCK, VK_SCROLL};

}  // namespace

std::string ReadLockKeys() {
  Pump();
  std::string state;
  for (int vk : kLockKeys) state += (::GetKeyState(vk) & 1) ? '1' : '0';
  return state;
}

bool IsKeyPattern(const std::string& pattern) {
  return pattern.size() == 3 && pattern.find_first_not_of("01x") == std::string::npos;
}

bool KeysMatch(const std::string& state, const std::string& pattern) {
  if (state.size() != pattern.size()) return false;
  for (std::size_t i = 0; i < state.size(); ++i)
    if (pattern[i] != 'x' && pattern[i] != state[i]) return false;
  return true;
}

bool PressLockKey(const std::string& name) {
  BYTE vk = 0;
  DWORD extended = 0;
  if (name == "caps") {
    vk = VK_CAPITAL;
  } else if (name == "num") {
    vk = VK_NUMLOCK;
    extended = KEYEVENTF_EXTENDEDKEY;  // as a keyboard sends it
  } else if (name == "scroll") {
    vk = VK_SCROLL;
  } else {
    return false;
  }
  const BYTE scan = static_cast<BYTE>(::MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
  ::keybd_event(vk, scan, extended, 0);
  ::keybd_event(vk, scan, extended | KEYEVENTF_KEYUP, 0);
  return true;
}

void PressTowards(const std::string& pattern) {
  static const char* const kNames[] = {"caps", "num", "scroll"};
  const std::string state = ReadLockKeys();
  for (std::size_t i = 0; i < 3 && i < pattern.size(); ++i)
    if (pattern[i] != 'x' && pattern[i] != state[i]) PressLockKey(kNames[i]);
}

}  // namespace e2e
