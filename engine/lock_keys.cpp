#include "engine/lock_keys.h"

#include <cassert>

LockKeyController::LockKeyController(platform::OsKeys& keys, platform::OsSystem& system, const bool& isNT,
                                     const AppOptionsRecord& options)
    : keys_(keys), system_(system), isNT_(isNT), options_(options) {}

bool LockKeyController::ReadKey(Key& key) {
  // A read of the same key is waiting further up the call chain.
  if (key.reading) return false;
  key.reading = true;
  // The state is only final once the user lets go of the key.
  while (keys_.GetAsyncKeyState(key.vk) < 0) system_.DoEvents();
  const bool on = (keys_.GetKeyState(key.vk) & 1) != 0;
  key.reading = false;
  return on;
}

bool LockKeyController::SetKey(Key& key, bool wanted) {
  bool sent = false;
  for (int attempt = 0; attempt < kAttemptLimit; ++attempt) {
    // A set of the same key is under way further up; it does the work.
    if (key.setting) return false;
    key.setting = true;
    system_.DoEvents();
    if (ReadKey(key) == wanted) {
      key.setting = false;
      return sent;
    }
    sent = true;
    if (isNT_ || options_.KeystrokeSimulation) {
      SendKeystroke(key);
    } else {
      SetKeyboardLock(key.vk, wanted);
      system_.DoEvents();
    }
    for (int poll = 0; poll < kPollsPerAttempt; ++poll) {
      system_.Sleep(kPollMilliseconds);
      if (ReadKey(key) == wanted) break;
    }
    key.setting = false;
    if (ReadKey(key) == wanted) return true;
  }
  return false;
}

// GetKeyState, not the one call for the whole table: only GetKeyState brings
// a thread that gets no keyboard input up to date with the keyboard.
LockKeySet LockKeyController::ToggledNow() {
  return static_cast<LockKeySet>(((keys_.GetKeyState(platform::kVkCapital) & 1) ? kCapsLockBit : 0) |
                                 ((keys_.GetKeyState(platform::kVkNumLock) & 1) ? kNumLockBit : 0) |
                                 ((keys_.GetKeyState(platform::kVkScroll) & 1) ? kScrollLockBit : 0));
}

void LockKeyController::SendKeystroke(const Key& key) {
  const auto vk = static_cast<std::uint32_t>(key.vk);
  const std::uint32_t flags =
      keys_.MapVirtualKey(vk, platform::kMapVkToChar) == 0 ? platform::kKeyEventExtendedKey : 0;
  const auto scan = static_cast<std::uint8_t>(keys_.MapVirtualKey(vk, platform::kMapVkToScan));
  const bool isCaps = key.vk == platform::kVkCapital;
  if (isCaps) system_.DoEvents();
  keys_.keybd_event(static_cast<std::uint8_t>(vk), scan, flags, 0);
  system_.DoEvents();
  keys_.keybd_event(static_cast<std::uint8_t>(vk), scan, flags | platform::kKeyEventKeyUp, 0);
  if (!isCaps) system_.DoEvents();
}

void LockKeyController::SetKeyboardLock(int vk, bool wanted) {
  assert(vk >= 0 && vk <= 255 && "the keyboard-state table has 256 entries");
  system_.DoEvents();
  platform::KeyboardTable table{};
  keys_.GetKeyboardState(table);
  // The whole byte is replaced, key-down bit included.
  table[static_cast<std::size_t>(vk & 0xFF)] = wanted ? 1 : 0;
  system_.DoEvents();
  keys_.SetKeyboardState(table);
}
