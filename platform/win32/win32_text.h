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

// The ANSI calls left in the layer carry no text (window longs, messages
// with numbers or handles): they act alike on either kind of window.
//
// Windows of our own: on the NT family the classes are registered and the
// windows made through the wide calls, so that they are Unicode windows and
// every character typed into them or shown by them stays whole. Class names
// are ASCII.
ATOM RegisterClassUtf8(const WNDCLASSEXA& windowClass);
HWND CreateWindowUtf8(DWORD exStyle, const char* className, std::string_view text, DWORD style, int x, int y,
                      int width, int height, HWND parent, HMENU menu, HINSTANCE instance, void* param);
// The default handling in the window's own form: a Unicode window's
// messages carry wide text.
LRESULT DefWindowProcOf(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// A message whose lParam is a text (CB_ADDSTRING, WM_SETTEXT, ...); the
// system converts it for a window of the other kind.
LRESULT SendTextMessage(HWND hwnd, UINT msg, WPARAM wParam, std::string_view text);
bool AppendMenuUtf8(HMENU menu, UINT flags, UINT_PTR id, std::string_view text);
int MessageBoxUtf8(HWND owner, std::string_view text, std::string_view caption, UINT type);
// The message loop's calls, of the family's form: a Unicode window's
// WM_CHAR taken with GetMessageA would lose what the code page lacks.
BOOL GetMessageUtf8(MSG& msg);
bool IsDialogMessageUtf8(HWND dialog, MSG& msg);
void DispatchMessageUtf8(const MSG& msg);

}  // namespace platform::win32

class Win32Text : public virtual platform::OsText {
 public:
  std::string CharUpper(std::string_view text) override;
  std::string CharLower(std::string_view text) override;
  std::string FromAnsiCodePage(std::string_view bytes) override;
  std::optional<std::string> ToAnsiCodePage(std::string_view text) override;
};
