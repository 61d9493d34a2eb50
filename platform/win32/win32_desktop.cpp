#include "platform/win32/win32_desktop.h"

#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_text.h"

#include <shellapi.h>

#include <string>

using platform::win32::ToHwnd;

bool Win32Desktop::SetWindowPos(platform::WindowHandle hwnd, platform::WindowHandle insertAfter, int x, int y,
                                int cx, int cy, std::uint32_t flags) {
  // HWND_TOPMOST and HWND_NOTOPMOST are -1 and -2, which ToHwnd sign-extends.
  return ::SetWindowPos(ToHwnd(hwnd), ToHwnd(insertAfter), x, y, cx, cy, flags) != 0;
}

bool Win32Desktop::WinHelp(platform::WindowHandle hwnd, const std::string& helpFile, std::uint32_t command,
                           std::uintptr_t data) {
  if (platform::win32::IsNt())
    return ::WinHelpW(ToHwnd(hwnd), platform::win32::Widen(helpFile).c_str(), command, data) != 0;
  return ::WinHelpA(ToHwnd(hwnd), platform::win32::ToAnsi(helpFile).c_str(), command, data) != 0;
}

namespace {

// file:///C:/folder/Tarvolo.html#anchor, with what a URL reserves escaped;
// other characters stay as they are, which browsers take.
std::wstring FileUrl(const std::wstring& path, const std::wstring& anchor) {
  std::wstring url = L"file:///";
  for (const wchar_t c : path) {
    if (c == L'\\') {
      url += L'/';
    } else if (c == L' ' || c == L'%' || c == L'#' || c == L'?' || c == L'"') {
      static const wchar_t hex[] = L"0123456789ABCDEF";
      url += L'%';
      url += hex[(c >> 4) & 0xF];
      url += hex[c & 0xF];
    } else {
      url += c;
    }
  }
  if (!anchor.empty()) url += L"#" + anchor;
  return url;
}

// The command line that opens .html files, with %1 where the file goes.
// ShellExecute on the page itself would drop the anchor (Windows does; Wine 8
// fails on a file: URL with one and hands the browser the bare path), so the
// browser is started directly.
std::wstring BrowserCommand(const std::wstring& page) {
  // AssocQueryString gives the whole command (arguments some browsers need
  // included); shlwapi has it since Internet Explorer 5, so it is looked up.
  struct Library {
    HMODULE module = ::LoadLibraryW(L"shlwapi.dll");
    ~Library() {
      if (module) ::FreeLibrary(module);
    }
  } shlwapi;
  if (shlwapi.module) {
    using AssocQueryStringWFn = HRESULT(WINAPI*)(DWORD, DWORD, LPCWSTR, LPCWSTR, LPWSTR, DWORD*);
    const auto query = reinterpret_cast<AssocQueryStringWFn>(
        reinterpret_cast<void (*)()>(::GetProcAddress(shlwapi.module, "AssocQueryStringW")));
    wchar_t command[2048] = {};
    DWORD size = 2048;
    constexpr DWORD kAssocStrCommand = 1;
    if (query && query(0, kAssocStrCommand, L".html", L"open", command, &size) == S_OK && command[0] != 0)
      return command;
  }
  wchar_t exe[MAX_PATH] = {};
  if (reinterpret_cast<INT_PTR>(::FindExecutableW(page.c_str(), nullptr, exe)) > 32 && exe[0] != 0)
    return L"\"" + std::wstring(exe) + L"\" \"%1\"";
  return {};
}

std::wstring WithUrl(std::wstring command, const std::wstring& url) {
  wchar_t expanded[4096] = {};
  const DWORD length = ::ExpandEnvironmentStringsW(command.c_str(), expanded, 4096);
  if (length > 0 && length <= 4096) command = expanded;
  bool placed = false;
  for (std::size_t at = command.find(L'%'); at != std::wstring::npos && at + 1 < command.size();
       at = command.find(L'%', at)) {
    const wchar_t what = command[at + 1];
    if (what == L'1' || what == L'L' || what == L'l') {
      command.replace(at, 2, url);
      at += url.size();
      placed = true;
    } else if (what == L'*' || (what >= L'2' && what <= L'9')) {
      command.erase(at, 2);
    } else {
      at += 2;
    }
  }
  if (!placed) command += L" \"" + url + L"\"";
  return command;
}

// Starts a program from its command line, through the call the family has.
bool StartProcess(const std::string& commandLine) {
  PROCESS_INFORMATION process{};
  BOOL started = FALSE;
  if (platform::win32::IsNt()) {
    std::wstring line = platform::win32::Widen(commandLine);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    started = ::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process);
  } else {
    std::string line = platform::win32::ToAnsi(commandLine);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    started = ::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process);
  }
  if (!started) return false;
  platform::win32::OwnedHandle thread(process.hThread), handle(process.hProcess);
  return true;
}

}  // namespace

bool Win32Desktop::OpenHtmlPage(platform::WindowHandle hwnd, const std::string& path, const std::string& anchor) {
  const std::wstring page = platform::win32::Widen(path);
  if (platform::win32::IsNt()) {
    const std::wstring command = BrowserCommand(page);
    if (!command.empty()) {
      if (StartProcess(platform::win32::Narrow(WithUrl(command, FileUrl(page, platform::win32::Widen(anchor))))))
        return true;
    }
    // No browser found to give the anchor to: the page at its top is better
    // than none.
    return reinterpret_cast<INT_PTR>(::ShellExecuteW(ToHwnd(hwnd), L"open", page.c_str(), nullptr, nullptr,
                                                     SW_SHOWNORMAL)) > 32;
  }
  // Windows 9x: the ANSI forms, same order.
  const std::string ansiPage = platform::win32::ToAnsi(path);
  char exe[MAX_PATH] = {};
  if (reinterpret_cast<INT_PTR>(::FindExecutableA(ansiPage.c_str(), nullptr, exe)) > 32 && exe[0] != 0) {
    if (StartProcess("\"" + platform::win32::FromAnsi(exe) + "\" \"" +
                     platform::win32::Narrow(FileUrl(page, platform::win32::Widen(anchor))) + "\""))
      return true;
  }
  return reinterpret_cast<INT_PTR>(::ShellExecuteA(ToHwnd(hwnd), "open", ansiPage.c_str(), nullptr, nullptr,
                                                   SW_SHOWNORMAL)) > 32;
}
