#include "platform/sim/sim_text.h"

#include <array>

#include "platform/text/utf8.h"

namespace sim {

namespace {

// 0x80 to 0x9F of Windows-1252; the five bytes it leaves undefined map to the
// C1 controls of the same number, as MultiByteToWideChar maps them.
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x8D,   0x017D, 0x8F,   0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};

}  // namespace

char32_t FromCp1252(unsigned char byte) { return byte >= 0x80 && byte < 0xA0 ? kHigh[byte - 0x80] : byte; }

std::optional<unsigned char> ToCp1252(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<unsigned char>(cp);
  for (std::size_t i = 0; i < kHigh.size(); ++i)
    if (kHigh[i] == cp) return static_cast<unsigned char>(0x80 + i);
  return std::nullopt;
}

std::string SimText::Convert(std::string_view text, char32_t (*map)(char32_t)) {
  ++caseConversions_;
  std::string out;
  out.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const text::Utf8Char c = text::DecodeUtf8(text, at);
    const char32_t to = map(c.cp);
    if (c.valid && (!AnsiOnly() || (ToCp1252(c.cp) && ToCp1252(to))))
      text::AppendUtf8(out, to);
    else
      out.append(text.substr(at, c.length));
    at += c.length;
  }
  return out;
}

std::string SimText::CharUpper(std::string_view text) { return Convert(text, text::UpperOf); }
std::string SimText::CharLower(std::string_view text) { return Convert(text, text::LowerOf); }

std::string SimText::FromAnsiCodePage(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (const char b : bytes) text::AppendUtf8(out, FromCp1252(static_cast<unsigned char>(b)));
  return out;
}

std::optional<std::string> SimText::ToAnsiCodePage(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const text::Utf8Char c = text::DecodeUtf8(text, at);
    const std::optional<unsigned char> b = c.valid ? ToCp1252(c.cp) : std::nullopt;
    if (!b) return std::nullopt;
    out += static_cast<char>(*b);
    at += c.length;
  }
  return out;
}

}  // namespace sim
