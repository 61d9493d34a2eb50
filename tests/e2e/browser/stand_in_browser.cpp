// A stand-in web browser for the help case: registered in the test prefix
// as the program that opens .html files, it writes the command line it was
// started with, as UTF-8, one line per start, to browser-args.txt in its
// working folder (the one tarvolo.exe runs in), and ends.
#include <windows.h>

#include <memory>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const wchar_t* line = ::GetCommandLineW();
  const int size = ::WideCharToMultiByte(CP_UTF8, 0, line, -1, nullptr, 0, nullptr, nullptr);
  std::string text(size > 0 ? static_cast<std::size_t>(size) : 1u, '\0');
  if (size > 0) ::WideCharToMultiByte(CP_UTF8, 0, line, -1, text.data(), size, nullptr, nullptr);
  text.resize(text.find('\0'));
  text += "\n";
  struct Close {
    void operator()(HANDLE h) const { ::CloseHandle(h); }
  };
  const HANDLE opened = ::CreateFileW(L"browser-args.txt", FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
  if (opened == INVALID_HANDLE_VALUE) return 1;
  const std::unique_ptr<void, Close> file(opened);
  DWORD written = 0;
  return ::WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) ? 0 : 1;
}
