#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

// Converts letters in place without changing the length: the system's
// upper-casing, for 7-bit rich text.
using CaseConverter = std::function<void(char* text, std::size_t length)>;

// Swaps A-Z and a-z; every other character, accented letters included, stays.
// Any length.
std::string ReverseCase(std::string_view text);

// Upper-cases (toUpper) or case-swaps the readable runs of a rich-text
// document from its first "\fs" on, leaving control words and the header
// alone. A run starts at a space and ends at the last backslash of the next
// run of backslashes. A document without "\fs" gives an empty text.
std::string TransformRichText(std::string_view text, bool toUpper, const CaseConverter& upper);
