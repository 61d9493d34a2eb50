#include "platform/text/utf8.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace text {

namespace {

struct CaseRange {
  char32_t first;
  char32_t last;
  std::int32_t delta;
  std::uint32_t step;
};

#include "platform/text/case_table.inc"

template <std::size_t N>
char32_t Map(const CaseRange (&table)[N], char32_t cp) {
  const auto* it = std::upper_bound(std::begin(table), std::end(table), cp,
                                    [](char32_t c, const CaseRange& r) { return c < r.first; });
  if (it == std::begin(table)) return cp;
  const CaseRange& r = *(it - 1);
  if (cp > r.last || (cp - r.first) % r.step != 0) return cp;
  return static_cast<char32_t>(static_cast<std::int64_t>(cp) + r.delta);
}

template <typename Fn>
std::string MapUtf8(std::string_view text, Fn map) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const Utf8Char c = DecodeUtf8(text, at);
    if (c.valid)
      AppendUtf8(out, map(c.cp));
    else
      out.append(text.substr(at, c.length));
    at += c.length;
  }
  return out;
}

constexpr char32_t kReplacement = 0xFFFD;

}  // namespace

Utf8Char DecodeUtf8(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char b0 = byte(at);
  if (b0 < 0x80) return {b0, 1, true};
  std::size_t length = 0;
  char32_t cp = 0;
  char32_t min = 0;
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    length = 2, cp = b0 & 0x1F, min = 0x80;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    length = 3, cp = b0 & 0x0F, min = 0x800;
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    length = 4, cp = b0 & 0x07, min = 0x10000;
  } else {
    return {b0, 1, false};
  }
  if (at + length > text.size()) return {b0, 1, false};
  for (std::size_t i = 1; i < length; ++i) {
    const unsigned char b = byte(at + i);
    if ((b & 0xC0) != 0x80) return {b0, 1, false};
    cp = (cp << 6) | (b & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return {b0, 1, false};
  return {cp, length, true};
}

Utf8Char DecodeUtf8Before(std::string_view text, std::size_t end) {
  for (std::size_t back = 2; back <= 4 && back <= end; ++back) {
    const Utf8Char c = DecodeUtf8(text, end - back);
    if (c.valid && c.length == back) return c;
  }
  return DecodeUtf8(text, end - 1);
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = kReplacement;
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

bool IsValidUtf8(std::string_view text) {
  for (std::size_t at = 0; at < text.size();) {
    const Utf8Char c = DecodeUtf8(text, at);
    if (!c.valid) return false;
    at += c.length;
  }
  return true;
}

bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::size_t Utf8PrefixLength(std::string_view text, std::size_t maxBytes) {
  if (maxBytes >= text.size()) return text.size();
  std::size_t at = 0;
  while (at < maxBytes) {
    const std::size_t next = at + DecodeUtf8(text, at).length;
    if (next > maxBytes) break;
    at = next;
  }
  return at;
}

std::string Utf16ToUtf8(std::u16string_view wide) {
  std::string out;
  out.reserve(wide.size());
  for (std::size_t i = 0; i < wide.size(); ++i) {
    char32_t cp = wide[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 && wide[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (wide[i + 1] - 0xDC00);
      ++i;
    }
    AppendUtf8(out, cp);  // a lone surrogate becomes U+FFFD there
  }
  return out;
}

std::u16string Utf8ToUtf16(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  for (std::size_t at = 0; at < utf8.size();) {
    const Utf8Char c = DecodeUtf8(utf8, at);
    const char32_t cp = c.valid ? c.cp : kReplacement;
    if (cp >= 0x10000) {
      out += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
      out += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
    } else {
      out += static_cast<char16_t>(cp);
    }
    at += c.length;
  }
  return out;
}

// ASCII, nearly every character of titles and file names, without the search.
char32_t UpperOf(char32_t cp) {
  if (cp < 0x80) return cp >= 'a' && cp <= 'z' ? cp - 32 : cp;
  return Map(kUpper, cp);
}
char32_t LowerOf(char32_t cp) {
  if (cp < 0x80) return cp >= 'A' && cp <= 'Z' ? cp + 32 : cp;
  return Map(kLower, cp);
}

std::string UpperUtf8(std::string_view text) { return MapUtf8(text, UpperOf); }
std::string LowerUtf8(std::string_view text) { return MapUtf8(text, LowerOf); }

}  // namespace text
