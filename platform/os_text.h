#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The system's own text conversions, for UTF-8 text.
class OsText {
 public:
  virtual ~OsText() = default;
  // CharUpperBuff / CharLowerBuff: Unicode's letter case on the NT family,
  // the ANSI code page's on the 9x family. Bytes that are not UTF-8 (8-bit
  // rich text) stay as they are.
  virtual std::string CharUpper(std::string_view text) = 0;
  virtual std::string CharLower(std::string_view text) = 0;
  // MultiByteToWideChar from the ANSI code page, given as UTF-8.
  virtual std::string FromAnsiCodePage(std::string_view bytes) = 0;
  // WideCharToMultiByte to the ANSI code page; nothing when some character
  // has no form there (it would become a question mark).
  virtual std::optional<std::string> ToAnsiCodePage(std::string_view text) = 0;
};

}  // namespace platform
