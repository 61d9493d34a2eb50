#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// A key's value in Tarvolo.INI: text that converts to the three types the
// program stores. Booleans are written "True" and "False" and read from those
// words in any letter case or from a number (non-zero is true); integers are
// 32-bit decimal. The constructors are implicit so that a key can be given a
// string, a number or a Boolean directly.
class IniValue {
 public:
  IniValue() = default;
  IniValue(const char* text) : text_(text) {}
  IniValue(std::string_view text) : text_(text) {}
  IniValue(const std::string& text) : text_(text) {}
  IniValue(std::int32_t number) : text_(std::to_string(number)) {}
  IniValue(bool flag) : text_(flag ? "True" : "False") {}

  const std::string& AsString() const { return text_; }
  // Empty when the text is not a decimal number that fits in 32 bits.
  std::optional<std::int32_t> AsInt32() const;
  // Empty when the text is neither "True", "False" nor a decimal number.
  std::optional<bool> AsBool() const;

  bool operator==(const IniValue&) const = default;

 private:
  std::string text_;
};

// How a value's text stands in the file and back. The file has no escapes:
// a value with blanks at either end, or one that is itself wrapped in double
// quotes, is written inside a pair of double quotes, which reading takes off
// again. A value cannot hold a line break or a NUL; writing turns those into
// spaces so that the line stays one line.
std::string ValueToFileText(std::string_view value);
std::string ValueFromFileText(std::string_view text);
// What a value becomes once written: its line breaks and NULs made spaces.
std::string WritableValue(std::string_view value);

// Blanks as the file knows them: space and tab.
std::string_view TrimBlanks(std::string_view text);
