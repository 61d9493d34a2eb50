// The text box of another program's window: settext, waittext.
#include <algorithm>
#include <cctype>
#include <string>

#include "tests/e2e/host_commands.h"
#include "tests/e2e/host_support.h"

namespace e2e {
namespace {

// The first edit or rich-edit control inside the window.
HWND EditOf(HWND top) {
  HWND found = nullptr;
  ::EnumChildWindows(
      top,
      [](HWND child, LPARAM result) -> BOOL {
        char name[64] = {};
        ::GetClassNameA(child, name, sizeof name);
        std::string lower(name);
        std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
        if (lower.find("edit") == std::string::npos) return TRUE;
        *reinterpret_cast<HWND*>(result) = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

// WM_GETTEXT, which reaches another process's control (GetWindowText does not).
std::string TextOf(HWND edit) {
  const auto length = ::SendMessageA(edit, WM_GETTEXTLENGTH, 0, 0);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const auto got = ::SendMessageA(edit, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(got));
  return text;
}

}  // namespace

void AddEditCommands(CommandTable& table) {
  // settext HWND TEXT: the window's text box holds TEXT, all of it selected.
  table["settext"] = [](HostState&, const Args& a) {
    HWND edit = EditOf(ParseHwnd(a[1]));
    if (edit == nullptr) return Fail("no text box");
    ::SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(a.Rest(2).c_str()));
    ::SendMessageA(edit, EM_SETSEL, 0, -1);
    return Ok(Hex(edit));
  };
  // waittext HWND MS TEXT: whether the text box comes to hold TEXT in time.
  table["waittext"] = [](HostState&, const Args& a) {
    HWND edit = EditOf(ParseHwnd(a[1]));
    if (edit == nullptr) return Fail("no text box");
    const std::string wanted = a.Rest(3);
    std::string text;
    const bool done = WaitUntil(
        [&] {
          text = TextOf(edit);
          return text == wanted;
        },
        a.Int(2), kSlowPollMs);
    return done ? Ok(text) : Fail(text);
  };
}

}  // namespace e2e
