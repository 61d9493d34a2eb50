#pragma once
#include <cstdint>

#include "platform/os_keys.h"
#include "platform/os_system.h"
#include "store/options.h"

// Some of the three keys, as bits: Caps Lock 1, Num Lock 2, Scroll Lock 4.
using LockKeySet = std::uint8_t;
inline constexpr LockKeySet kCapsLockBit = 1;
inline constexpr LockKeySet kNumLockBit = 2;
inline constexpr LockKeySet kScrollLockBit = 4;

// Reads and sets Caps Lock, Num Lock and Scroll Lock. Every read and set goes
// through here; each operation services pending events, so handlers can run
// nested and a per-operation flag guards against re-entry.
class LockKeyController {
 public:
  // Whole attempts before a set gives up on a key that never shows the wanted
  // state. One attempt waits ten polls of Sleep(5); with Windows' default
  // 15.6 ms timer resolution a Sleep(5) really lasts up to ~16 ms, so an
  // attempt can take ~160 ms and three of them keep the user-interface thread
  // below about half a second.
  static constexpr int kAttemptLimit = 3;
  static constexpr int kPollsPerAttempt = 10;
  static constexpr unsigned kPollMilliseconds = 5;

  LockKeyController(platform::OsKeys& keys, platform::OsSystem& system, const bool& isNT,
                    const AppOptionsRecord& options);

  bool GetCapsLock() { return ReadKey(caps_); }
  bool GetNumLock() { return ReadKey(num_); }
  bool GetScrollLock() { return ReadKey(scroll_); }
  // True when this call changed the key.
  bool SetCapsLock(const bool& wanted) { return SetKey(caps_, wanted); }
  bool SetNumLock(const bool& wanted) { return SetKey(num_, wanted); }
  bool SetScrollLock(const bool& wanted) { return SetKey(scroll_, wanted); }
  // The keys that are on, read at once: no wait for a held key and no
  // events serviced. For showing, not for deciding.
  LockKeySet ToggledNow();

 private:
  struct Key {
    int vk;
    bool reading = false;
    bool setting = false;
  };

  bool ReadKey(Key& key);
  bool SetKey(Key& key, bool wanted);
  void SendKeystroke(const Key& key);
  void SetKeyboardLock(int vk, bool wanted);

  platform::OsKeys& keys_;
  platform::OsSystem& system_;
  const bool& isNT_;
  const AppOptionsRecord& options_;
  Key caps_{platform::kVkCapital};
  Key num_{platform::kVkNumLock};
  Key scroll_{platform::kVkScroll};
};
