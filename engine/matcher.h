#pragma once
#include <cstdint>
#include <string_view>

class EngineState;

// Picks the setting for a newly active foreground window and applies its
// "Toggle" and "Remember" actions; "Maintain" actions every time.
void EvaluateActiveWindow(EngineState& state);

// Keeps "Maintain" keys in their state and records "Remember" keys' states.
void EnforceActions(EngineState& state);

// After the setting collection was replaced (the file was read again): the
// setting in force becomes the new one of its name, keeping the key states
// remembered so far, and the foreground window is evaluated afresh.
void SettingsReplaced(EngineState& state);

// Whether text begins with, ends with or equals filter, ignoring letter case.
bool MatchFilter(std::string_view text, std::string_view filter, std::int32_t matchType);

void ApplyActions(EngineState& state, const bool& changed);
