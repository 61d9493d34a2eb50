#pragma once
// The four hot-keys as the program knows them, in the order the Options
// dialog shows them and the settings file stores them: each one's record in
// AppOptions, the prefix of its keys in the file, and its description, which
// also names the atom it is registered under. Everything that goes over the
// four hot-keys goes over this table.
#include <array>
#include <cstddef>
#include <string_view>

#include "store/options.h"

enum class HotkeyId : std::size_t { Show, Capitalize, Reverse, Lower };

struct HotkeyEntry {
  HotkeyId id;
  clsHotkey AppOptionsRecord::*record;
  std::string_view filePrefix;
  std::string_view description;
};

inline constexpr std::array<HotkeyEntry, 4> kHotkeys = {{
    {HotkeyId::Show, &AppOptionsRecord::HotkeyShow, "Show", "Show Tarvolo Window"},
    {HotkeyId::Capitalize, &AppOptionsRecord::HotkeyCapitalize, "Capitalize", "Capitalize highlighted text"},
    {HotkeyId::Reverse, &AppOptionsRecord::HotkeyReverse, "Reverse", "Reverse case of highlighted text"},
    {HotkeyId::Lower, &AppOptionsRecord::HotkeyLower, "Lower", "Make highlighted text lowercase"},
}};

constexpr const HotkeyEntry& HotkeyOf(HotkeyId id) { return kHotkeys[static_cast<std::size_t>(id)]; }

static_assert([] {
  for (std::size_t i = 0; i < kHotkeys.size(); ++i)
    if (static_cast<std::size_t>(kHotkeys[i].id) != i) return false;
  return true;
}(), "HotkeyOf finds each hot-key at its place in the table");

// Show, Reverse, Capitalize, Lower: the order the hot-keys are registered in,
// so that of two with the same combination the earlier gets it, and the order
// requests that arrived together are served in.
inline constexpr std::array<HotkeyId, 4> kHotkeyPrecedence = {HotkeyId::Show, HotkeyId::Reverse,
                                                              HotkeyId::Capitalize, HotkeyId::Lower};
