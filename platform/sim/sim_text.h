#pragma once
// The simulated system's text services: Unicode's case mappings on the NT
// family, and Windows-1252 as the ANSI code page (on the 9x family the case
// conversions stay within it, as CharUpperBuffA does).
#include <optional>
#include <string>
#include <string_view>

#include "platform/os_text.h"

namespace sim {

class SimText : public virtual platform::OsText {
 public:
  std::string CharUpper(std::string_view text) override;
  std::string CharLower(std::string_view text) override;
  std::string FromAnsiCodePage(std::string_view bytes) override;
  std::optional<std::string> ToAnsiCodePage(std::string_view text) override;

  // How many conversions were asked for, to see what a tick costs.
  int CaseConversions() const { return caseConversions_; }

 protected:
  virtual bool AnsiOnly() const = 0;

 private:
  std::string Convert(std::string_view text, char32_t (*map)(char32_t));
  int caseConversions_ = 0;
};

// Windows-1252 byte for a code point; nothing for one it lacks.
std::optional<unsigned char> ToCp1252(char32_t cp);
char32_t FromCp1252(unsigned char byte);

}  // namespace sim
