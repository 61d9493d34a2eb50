#pragma once
#include <cstdint>
#include <string_view>

class ProgramState;

// Picks the setting for a newly active foreground window and applies its
// "Toggle" and "Remember" actions; "Maintain" actions every time.
void EvaluateActiveWindow(ProgramState& state);

// Keeps "Maintain" keys in their state and records "Remember" keys' states.
void EnforceActions(ProgramState& state);

// Whether text begins with, ends with or equals filter, ignoring letter case.
bool MatchFilter(std::string_view text, std::string_view filter, std::int32_t matchType);

void ApplyActions(ProgramState& state, const bool& changed);
