#pragma once
// UTF-8, the program's one text form, and its neighbours UTF-16 (Windows'
// wide text) and the code points between them. Pure code: the Win32 layer,
// the simulated desktop and the settings file share it.
#include <cstddef>
#include <string>
#include <string_view>

namespace text {

// One character of a UTF-8 text. A byte that does not begin a well-formed
// sequence counts as a character of its own (valid false, cp the byte), so
// that text from elsewhere passes through untouched rather than replaced.
struct Utf8Char {
  char32_t cp = 0;
  std::size_t length = 0;
  bool valid = false;
};
Utf8Char DecodeUtf8(std::string_view text, std::size_t at);
// The character that ends at `end` (> 0), read backwards as DecodeUtf8 reads
// forwards: a well-formed sequence, else the last byte on its own.
Utf8Char DecodeUtf8Before(std::string_view text, std::size_t end);
void AppendUtf8(std::string& out, char32_t cp);
bool IsValidUtf8(std::string_view text);
bool IsAscii(std::string_view text);

// The longest start of text no longer than maxBytes that ends between two
// characters.
std::size_t Utf8PrefixLength(std::string_view text, std::size_t maxBytes);

// Unpaired surrogates and malformed bytes become U+FFFD.
std::string Utf16ToUtf8(std::u16string_view wide);
std::u16string Utf8ToUtf16(std::string_view utf8);

// Unicode's simple (one character to one) case mappings; characters without
// case, and those whose mapping is more than one character, stay as they are.
char32_t UpperOf(char32_t cp);
char32_t LowerOf(char32_t cp);
// The whole text mapped; malformed bytes are kept as they are.
std::string UpperUtf8(std::string_view text);
std::string LowerUtf8(std::string_view text);

}  // namespace text
