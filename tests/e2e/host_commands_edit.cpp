// The text box of another program's window, and what the hot-key cases need
// around it: settext, text, waittext; rich text through the clipboard: pasterich,
// copyrich; hot-keys the host itself holds, as another program would:
// holdhotkey, freehotkeys; a file held open, as another program would:
// holdfile, freefiles; and waitatom, for the global atom a program names its
// hot-keys by.
#include <cstring>
#include <string>
#include <utility>

#include "tests/e2e/host_commands.h"

namespace e2e {
namespace {

// The first edit or rich-edit control inside the window.
HWND EditOf(const std::string& top) {
  for (HWND child : Children(ParseHwnd(top))) {
    std::string name = WindowClass(child);
    ::CharLowerA(name.data());
    if (name.find("edit") != std::string::npos) return child;
  }
  return nullptr;
}

// WM_GETTEXT, which reaches another process's control (GetWindowText does
// not), without the line breaks that end a rich-text document.
std::string TextOf(HWND edit) {
  std::wstring text(static_cast<std::size_t>(::SendMessageW(edit, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(::SendMessageW(edit, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
  while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n')) text.pop_back();
  return Narrow(text);
}

// The clipboard opened for the host's thread while this lives. A program
// under test may hold it for a moment, so opening is retried.
struct Clipboard {
  Clipboard() {
    for (int i = 0; i < 50 && !(open = ::OpenClipboard(nullptr) != FALSE); ++i) PumpFor(20);
  }
  ~Clipboard() {
    if (open) ::CloseClipboard();
  }
  Clipboard(const Clipboard&) = delete;
  Clipboard& operator=(const Clipboard&) = delete;
  bool open = false;
};

const UINT kRichText = ::RegisterClipboardFormatA("Rich Text Format");

bool PutRichText(const std::string& rtf) {
  Clipboard clipboard;
  HGLOBAL memory = clipboard.open ? ::GlobalAlloc(GMEM_MOVEABLE, rtf.size() + 1) : nullptr;
  if (memory == nullptr) return false;
  std::memcpy(::GlobalLock(memory), rtf.c_str(), rtf.size() + 1);
  ::GlobalUnlock(memory);
  ::EmptyClipboard();
  if (::SetClipboardData(kRichText, memory) != nullptr) return true;
  ::GlobalFree(memory);
  return false;
}

std::string RichTextOnClipboard() {
  Clipboard clipboard;
  HANDLE data = clipboard.open ? ::GetClipboardData(kRichText) : nullptr;
  const auto* bytes = data != nullptr ? static_cast<const char*>(::GlobalLock(data)) : nullptr;
  if (bytes == nullptr) return {};
  std::string rtf(bytes, strnlen(bytes, ::GlobalSize(data)));
  ::GlobalUnlock(data);
  return rtf;
}

// A command on the window's text box, which must be there.
Command OnEdit(std::function<std::string(HWND, const Args&)> body) {
  return [body](HostState&, const Args& a) {
    HWND edit = EditOf(a[1]);
    return edit != nullptr ? body(edit, a) : Fail("no text box");
  };
}

}  // namespace

void AddEditCommands(CommandTable& table) {
  // settext HWND TEXT: the window's text box holds TEXT, all of it selected.
  table["settext"] = OnEdit([](HWND edit, const Args& a) {
    ::SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Widen(a.Rest(2)).c_str()));
    ::SendMessageA(edit, EM_SETSEL, 0, -1);
    return Ok(Hex(edit));
  });
  // text HWND: what the window's text box holds now.
  table["text"] = OnEdit([](HWND edit, const Args&) { return Ok(TextOf(edit)); });
  // waittext HWND MS TEXT: whether the text box comes to hold TEXT in time.
  table["waittext"] = OnEdit([](HWND edit, const Args& a) {
    std::string text;
    const bool done = WaitUntil([&] { return (text = TextOf(edit)) == a.Rest(3); }, a.Int(2), kSlowPollMs);
    return done ? Ok(text) : Fail(text);
  });
  // pasterich HWND RTF: the window's rich-text box holds the document RTF,
  // pasted from the clipboard as a user would, all of it selected.
  table["pasterich"] = OnEdit([](HWND edit, const Args& a) {
    if (!PutRichText(a.Rest(2))) return Fail("clipboard");
    ::SendMessageA(edit, EM_SETSEL, 0, -1);
    ::SendMessageA(edit, WM_PASTE, 0, 0);
    ::SendMessageA(edit, EM_SETSEL, 0, -1);
    return Ok(TextOf(edit));
  });
  // copyrich HWND: the rich-text box's whole document as the rich text it
  // copies to the clipboard, on one line.
  table["copyrich"] = OnEdit([](HWND edit, const Args&) {
    ::SendMessageA(edit, EM_SETSEL, 0, -1);
    ::SendMessageA(edit, WM_COPY, 0, 0);
    const std::string rtf = RichTextOnClipboard();
    return rtf.empty() ? Fail("no rich text on the clipboard") : Ok(rtf);
  });
  // holdhotkey MODIFIERS VK: registered for the host's thread until freed.
  table["holdhotkey"] = [](HostState&, const Args& a) {
    static int nextId = 1;
    const int id = nextId++;
    if (!::RegisterHotKey(nullptr, id, static_cast<UINT>(a.Int(1)), static_cast<UINT>(a.Int(2)))) return Fail("taken");
    return Ok(std::to_string(id));
  };
  // freehotkeys ID...: gives back what holdhotkey took.
  table["freehotkeys"] = [](HostState&, const Args& a) {
    for (std::size_t i = 1; !a[i].empty(); ++i) ::UnregisterHotKey(nullptr, a.Int(i));
    return Ok();
  };
  // holdfile PATH: the file opened sharing nothing, so that no other
  // process can read, write, rename or delete it until freefiles.
  table["holdfile"] = [](HostState& host, const Args& a) {
    OwnedHandle file(::CreateFileW(Widen(a.Rest(1)).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return Fail("could not open it: error " + std::to_string(::GetLastError()));
    host.heldFiles.push_back(std::move(file));
    return Ok();
  };
  table["freefiles"] = [](HostState& host, const Args&) {
    host.heldFiles.clear();
    return Ok();
  };
  // waitatom MS NAME: until the global atom table holds NAME.
  table["waitatom"] = [](HostState&, const Args& a) {
    const std::string name = a.Rest(2);
    const bool found = WaitUntil([&] { return ::GlobalFindAtomA(name.c_str()) != 0; }, a.Int(1), kSlowPollMs);
    return found ? Ok() : Fail("no atom " + name);
  };
}

}  // namespace e2e
