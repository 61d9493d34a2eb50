#pragma once
// The three lock keys as the program knows them: each key's name, how the
// controller reads and sets it, and the fields of a setting that belong to
// it. Everything that goes over the three keys goes over this table.
#include <array>
#include <cstdint>

#include "engine/lock_keys.h"
#include "store/setting.h"

struct LockKeyEntry {
  const char* name;
  bool (LockKeyController::*get)();
  bool (LockKeyController::*set)(const bool&);
  std::int32_t clsSetting::*action;
  bool clsSetting::*remembered;
  LockKeySet bit;
};

inline constexpr std::array<LockKeyEntry, 3> kLockKeys = {{
    {"Caps Lock", &LockKeyController::GetCapsLock, &LockKeyController::SetCapsLock, &clsSetting::Action_CapsLock,
     &clsSetting::Remembered_CapsLock, kCapsLockBit},
    {"Num Lock", &LockKeyController::GetNumLock, &LockKeyController::SetNumLock, &clsSetting::Action_NumLock,
     &clsSetting::Remembered_NumLock, kNumLockBit},
    {"Scroll Lock", &LockKeyController::GetScrollLock, &LockKeyController::SetScrollLock,
     &clsSetting::Action_ScrollLock, &clsSetting::Remembered_ScrollLock, kScrollLockBit},
}};
