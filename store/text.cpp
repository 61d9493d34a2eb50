#include "store/text.h"

#include "platform/text/utf8.h"

namespace {

bool SameIgnoringCase(const text::Utf8Char& a, const text::Utf8Char& b) {
  if (a.valid != b.valid) return false;
  return a.valid ? text::UpperOf(a.cp) == text::UpperOf(b.cp) : a.cp == b.cp;
}

}  // namespace

std::string UpperCase(std::string_view text) { return text::UpperUtf8(text); }

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  const std::optional<std::size_t> n = StartsWithIgnoringCase(a, b);
  return n && *n == a.size();
}

std::optional<std::size_t> StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  std::size_t at = 0;
  for (std::size_t p = 0; p < prefix.size();) {
    if (at >= text.size()) return std::nullopt;
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
    const text::Utf8Char want = text::DecodeUtf8Before(suffix, s);
    const text::Utf8Char have = text::DecodeUtf8Before(text, at);
    if (!SameIgnoringCase(want, have)) return std::nullopt;
    s -= want.length;
    at -= have.length;
  }
  return at;
}
