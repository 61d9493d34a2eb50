#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Letter-case helpers shared by the store, the engine and the windows.
// Comparisons that ignore case upper-case both sides, character by character
// with Unicode's simple mappings (the same answer on every machine, so the
// collection's keys, the matcher and the file agree), and compare exactly,
// without trimming.
std::string UpperCase(std::string_view text);
bool EqualsIgnoringCase(std::string_view a, std::string_view b);
// The number of bytes at the start of text that equal prefix ignoring case;
// nothing when they do not. Upper and lower case of a letter may differ in
// length, so the answer need not be prefix.size().
std::optional<std::size_t> StartsWithIgnoringCase(std::string_view text, std::string_view prefix);
// Where the end of text that equals suffix ignoring case begins.
std::optional<std::size_t> EndsWithIgnoringCase(std::string_view text, std::string_view suffix);
