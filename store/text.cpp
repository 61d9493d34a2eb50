#include "store/text.h"

#include "platform/text/utf8.h"

namespace {

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }
bool IsAscii(char c) { return static_cast<unsigned char>(c) < 0x80; }

bool SameIgnoringCase(const text::Utf8Char& a, const text::Utf8Char& b) {
  if (a.valid != b.valid) return false;
  return a.valid ? text::UpperOf(a.cp) == text::UpperOf(b.cp) : a.cp == b.cp;
}

}  // namespace

std::string UpperCase(std::string_view text) { return text::UpperUtf8(text); }

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  // Letters of different lengths in bytes are rare; ASCII ones never are.
  if (a.size() != b.size() && text::IsAscii(a) && text::IsAscii(b)) return false;
  const std::optional<std::size_t> n = StartsWithIgnoringCase(a, b);
  return n && *n == a.size();
}

std::optional<std::size_t> StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  std::size_t at = 0;
  for (std::size_t p = 0; p < prefix.size();) {
    if (at >= text.size()) return std::nullopt;
    // Titles and file names are mostly ASCII: those compare without decoding.
    if (IsAscii(prefix[p]) && IsAscii(text[at])) {
      if (AsciiUpper(prefix[p++]) != AsciiUpper(text[at++])) return std::nullopt;
      continue;
    }
    const text::Utf8Char want = text::DecodeUtf8(prefix, p);
    const text::Utf8Char have = text::DecodeUtf8(text, at);
    if (!SameIgnoringCase(want, have)) return std::nullopt;
    p += want.length;
    at += have.length;
  }
  return at;
}

std::optional<std::size_t> EndsWithIgnoringCase(std::string_view text, std::string_view suffix) {
  std::size_t at = text.size();
  for (std::size_t s = suffix.size(); s > 0;) {
    if (at == 0) return std::nullopt;
    if (IsAscii(suffix[s - 1]) && IsAscii(text[at - 1])) {
      if (AsciiUpper(suffix[--s]) != AsciiUpper(text[--at])) return std::nullopt;
      continue;
    }
    const text::Utf8Char want = text::DecodeUtf8Before(suffix, s);
    const text::Utf8Char have = text::DecodeUtf8Before(text, at);
    if (!SameIgnoringCase(want, have)) return std::nullopt;
    s -= want.length;
    at -= have.length;
  }
  return at;
}
