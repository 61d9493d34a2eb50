#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

class EngineState;

// Picks the setting for a newly active foreground window and applies its
// "Toggle" and "Remember" actions; "Maintain" actions every time.
void EvaluateActiveWindow(EngineState& state);

// Shows the last evaluated window and the setting in force on the setup
// window's Monitor page, when that window is open.
void ShowWindowFacts(EngineState& state);

// Keeps "Maintain" keys in their state and records "Remember" keys' states.
void EnforceActions(EngineState& state);

// After the setting collection was replaced (the file was read again): the
// setting in force becomes the new one of its name, keeping the key states
// remembered so far, and the foreground window is evaluated afresh.
void SettingsReplaced(EngineState& state);

// The part of text that filter matched (begins with, ends with or equals,
// ignoring letter case): its byte offset and length. Nothing for an empty
// filter or no match. A match code out of range matches the whole text
// unless the filter is the longer.
struct MatchedPart {
  std::size_t offset = 0;
  std::size_t length = 0;
};
std::optional<MatchedPart> MatchFilterPart(std::string_view text, std::string_view filter, std::int32_t matchType);
bool MatchFilter(std::string_view text, std::string_view filter, std::int32_t matchType);

void ApplyActions(EngineState& state, const bool& changed);
