#pragma once
// The keystrokes of one Ctrl+key sent into whatever the user is doing with
// the keyboard. Pure code: the Win32 layer sends them as one batch, the
// simulated desktop plays them on its keyboard.
#include <cstdint>
#include <vector>

#include "platform/os_types.h"

namespace platform {

struct KeyStroke {
  std::uint8_t vk = 0;
  bool up = false;
};

// Ctrl goes down first, so that letting go of a held Alt or Windows key opens
// neither the menu bar nor the Start menu; the modifiers the user holds (any
// of kVkShift, kVkControl, kVkMenu, kVkLWin, kVkRWin) go up; the key is
// pressed and let go; the held ones go down again before Ctrl goes up, and
// Ctrl stays down when the user holds it. The target so sees exactly Ctrl+key
// and the keyboard is left as the user's hands have it.
std::vector<KeyStroke> CtrlKeyBatch(std::uint8_t vk, const std::vector<std::uint8_t>& heldModifiers);

// The modifiers that CtrlKeyBatch takes care of.
inline constexpr int kBatchModifiers[] = {kVkShift, kVkMenu, kVkLWin, kVkRWin, kVkControl};

}  // namespace platform
