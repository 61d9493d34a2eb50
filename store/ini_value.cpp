#include "store/ini_value.h"

#include <charconv>

#include "store/text.h"

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A sign and one or more digits, nothing else.
bool IsDecimal(std::string_view text) {
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) text.remove_prefix(1);
  if (text.empty()) return false;
  for (char c : text)
    if (!IsDigit(c)) return false;
  return true;
}
}  // namespace

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::optional<std::int32_t> IniValue::AsInt32() const {
  std::string_view text = TrimBlanks(text_);
  if (!IsDecimal(text)) return std::nullopt;
  if (text.front() == '+') text.remove_prefix(1);  // from_chars takes no plus sign
  std::int32_t number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return number;
}

std::optional<bool> IniValue::AsBool() const {
  const std::string_view text = TrimBlanks(text_);
  if (EqualsIgnoringCase(text, "True")) return true;
  if (EqualsIgnoringCase(text, "False")) return false;
  // Any number, however long: only whether it is zero matters.
  if (!IsDecimal(text)) return std::nullopt;
  return text.find_first_of("123456789") != std::string_view::npos;
}

std::string WritableValue(std::string_view value) {
  std::string out(value);
  for (char& c : out)
    if (c == '\r' || c == '\n' || c == '\0') c = ' ';
  return out;
}

std::string ValueToFileText(std::string_view value) {
  std::string text = WritableValue(value);
  const bool quoted = text.size() >= 2 && text.front() == '"' && text.back() == '"';
  if (!text.empty() && (IsBlank(text.front()) || IsBlank(text.back()) || quoted)) return '"' + text + '"';
  return text;
}

std::string ValueFromFileText(std::string_view text) {
  text = TrimBlanks(text);
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"') text = text.substr(1, text.size() - 2);
  return std::string(text);
}
