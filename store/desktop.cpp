#include "store/desktop.h"

#include "platform/text/utf8.h"

std::string AddBackslash(std::string_view path, std::string_view separator) {
  // The last character alone is compared with the whole separator.
  const std::string_view last =
      path.empty() ? std::string_view() : path.substr(path.size() - text::DecodeUtf8Before(path, path.size()).length);
  std::string result(path);
  if (last != separator) result += separator;
  return result;
}

void SetTopmost(platform::OsDesktop& os, platform::WindowHandle window, bool onTop) {
  os.SetWindowPos(window, onTop ? platform::kHwndTopmost : platform::kHwndNoTopmost, 0, 0, 0, 0,
                  platform::kSwpNoMove | platform::kSwpNoSize);
}

void ShowHelp(platform::OsDesktop& os, const std::string& helpFile, platform::WindowHandle window,
              std::uint32_t command, std::uintptr_t data) {
  os.WinHelp(window, helpFile, command, data);
}
