#include "store/desktop.h"

#include "platform/text/utf8.h"
#include "store/text.h"

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

std::string HtmlHelpPath(const std::string& helpFile) {
  const std::size_t dot = helpFile.rfind('.');
  const bool hlp = dot != std::string::npos && helpFile.size() - dot == 4 &&
                   StartsWithIgnoringCase(std::string_view(helpFile).substr(dot), ".hlp").has_value();
  return (hlp ? helpFile.substr(0, dot) : helpFile) + ".html";
}

std::string ShowHelp(platform::Os& os, const std::string& helpFile, platform::WindowHandle window,
                     std::uint32_t command, std::uintptr_t data) {
  // WinHelp itself would show its own error for a missing file, and newer
  // Windows have no viewer for it at all: it is asked only when the file is
  // there to show.
  const auto isFile = [&os](const std::string& path) {
    const std::optional<platform::FileInfo> info = os.GetFileInfo(path);
    return info && !info->folder;
  };
  if (isFile(helpFile)) {
    os.WinHelp(window, helpFile, command, data);
    return {};
  }
  const std::string page = HtmlHelpPath(helpFile);
  if (!isFile(page)) return "The help cannot be shown: " + page + " was not found.";
  const std::string anchor = command == platform::kHelpContext ? "topic" + std::to_string(data) : "contents";
  if (os.OpenHtmlPage(window, page, anchor)) return {};
  return "The help page " + page + " could not be opened: no web browser is set to open .html files.";
}
