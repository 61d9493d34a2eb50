#pragma once
#include <string>
#include <string_view>

// Letter-case helpers shared by the store and the engine. Comparisons that
// ignore case upper-case both sides and compare exactly, without trimming.
std::string UpperCase(std::string_view text);
bool EqualsIgnoringCase(std::string_view a, std::string_view b);
