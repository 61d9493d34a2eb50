// The text box of another program's window: settext, waittext, and rich
// text through the clipboard: pasterich, copyrich.
#include <algorithm>
#include <cctype>
#include <cstring>
#include <optional>
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

// WM_GETTEXT, which reaches another process's control (GetWindowText does
// not), without the line breaks that end a rich-text document.
std::string TextOf(HWND edit) {
  const auto length = ::SendMessageA(edit, WM_GETTEXTLENGTH, 0, 0);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const auto got = ::SendMessageA(edit, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(got));
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.pop_back();
  return text;
}

// The clipboard opened for the host's thread, closed again when it goes. A
// program under test may hold it for a moment, so opening is retried.
class OpenClipboard {
 public:
  OpenClipboard() {
    for (int i = 0; i < 50 && !open_; ++i) {
      open_ = ::OpenClipboard(nullptr) != FALSE;
      if (!open_) PumpFor(20);
    }
  }
  ~OpenClipboard() {
    if (open_) ::CloseClipboard();
  }
  OpenClipboard(const OpenClipboard&) = delete;
  OpenClipboard& operator=(const OpenClipboard&) = delete;
  bool Opened() const { return open_; }

 private:
  bool open_ = false;
};

UINT RichTextFormat() { return ::RegisterClipboardFormatA("Rich Text Format"); }

bool PutRichText(const std::string& rtf) {
  OpenClipboard clipboard;
  if (!clipboard.Opened()) return false;
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, rtf.size() + 1);
  if (memory == nullptr) return false;
  std::memcpy(::GlobalLock(memory), rtf.c_str(), rtf.size() + 1);
  ::GlobalUnlock(memory);
  ::EmptyClipboard();
  if (::SetClipboardData(RichTextFormat(), memory) != nullptr) return true;
  ::GlobalFree(memory);
  return false;
}

std::optional<std::string> RichTextOnClipboard() {
  OpenClipboard clipboard;
  if (!clipboard.Opened()) return std::nullopt;
  HANDLE data = ::GetClipboardData(RichTextFormat());
  if (data == nullptr) return std::nullopt;
  const auto* bytes = static_cast<const char*>(::GlobalLock(data));
  if (bytes == nullptr) return std::nullopt;
  std::string rtf(bytes, strnlen(bytes, ::GlobalSize(data)));
  ::GlobalUnlock(data);
  return rtf;
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
  // pasterich HWND RTF: the window's rich-text box holds the document RTF,
  // pasted from the clipboard as a user would, all of it selected.
  table["pasterich"] = [](HostState&, const Args& a) {
    HWND edit = EditOf(ParseHwnd(a[1]));
    if (edit == nullptr) return Fail("no text box");
    if (!PutRichText(a.Rest(2))) return Fail("clipboard");
    ::SendMessageA(edit, EM_SETSEL, 0, -1);
    ::SendMessageA(edit, WM_PASTE, 0, 0);
    ::SendMessageA(edit, EM_SETSEL, 0, -1);
    return Ok(TextOf(edit));
  };
  // copyrich HWND: the rich-text box's whole document as the rich text it
  // copies to the clipboard, on one line.
  table["copyrich"] = [](HostState&, const Args& a) {
    HWND edit = EditOf(ParseHwnd(a[1]));
    if (edit == nullptr) return Fail("no text box");
    ::SendMessageA(edit, EM_SETSEL, 0, -1);
    ::SendMessageA(edit, WM_COPY, 0, 0);
    std::optional<std::string> rtf = RichTextOnClipboard();
    if (!rtf) return Fail("no rich text on the clipboard");
    return Ok(*rtf);
  };
}

}  // namespace e2e
