#include "platform/ctrl_key_batch.h"

#include <algorithm>

#include "platform/os_types.h"

namespace platform {

std::vector<KeyStroke> CtrlKeyBatch(std::uint8_t vk, const std::vector<std::uint8_t>& heldModifiers) {
  const auto held = [&](int key) {
    return std::find(heldModifiers.begin(), heldModifiers.end(), static_cast<std::uint8_t>(key)) !=
           heldModifiers.end();
  };
  const auto ctrl = static_cast<std::uint8_t>(kVkControl);
  std::vector<KeyStroke> batch{{ctrl, false}};
  for (const int key : {kVkShift, kVkMenu, kVkLWin, kVkRWin})
    if (held(key)) batch.push_back({static_cast<std::uint8_t>(key), true});
  batch.push_back({vk, false});
  batch.push_back({vk, true});
  for (const int key : {kVkShift, kVkMenu, kVkLWin, kVkRWin})
    if (held(key)) batch.push_back({static_cast<std::uint8_t>(key), false});
  if (!held(kVkControl)) batch.push_back({ctrl, true});
  return batch;
}

}  // namespace platform
