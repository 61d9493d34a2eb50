#pragma once
// Text at the edge of the Win32 layer: the program's UTF-8 to and from
// Windows' wide text, and to and from the ANSI code page for the 9x family,
// which has no working wide calls. Only for platform/win32 and the Windows
// test programs.
#include "platform/win32/win32_api.h"

#include <optional>
#include <string>
#include <string_view>

#include "platform/os_text.h"

namespace platform::win32 {

// The NT family: the wide calls work. The 9x family: only the ANSI ones.
bool IsNt();

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view wide);
std::string Narrow(const wchar_t* wide);  // up to its NUL; empty for null
// The ANSI code page and UTF-8. ToAnsi puts a question mark for a character
// the code page lacks: only for calls on the 9x family, where no such
// character can have come from the system in the first place.
std::string FromAnsi(std::string_view ansi);
std::string ToAnsi(std::string_view utf8);

// Window text through the call the family has.
std::string WindowText(HWND hwnd);
bool SetWindowTextUtf8(HWND hwnd, std::string_view text);

}  // namespace platform::win32

class Win32Text : public virtual platform::OsText {
 public:
  std::string CharUpper(std::string_view text) override;
  std::string CharLower(std::string_view text) override;
  std::string FromAnsiCodePage(std::string_view bytes) override;
  std::optional<std::string> ToAnsiCodePage(std::string_view text) override;
};
