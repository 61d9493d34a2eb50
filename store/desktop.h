#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/os.h"
#include "platform/os_desktop.h"

// Appends the separator unless the path's last character already is it; an
// empty path gives the separator alone. Every caller wants "\".
std::string AddBackslash(std::string_view path, std::string_view separator = "\\");

// Puts the window into the topmost band, or takes it out, without moving or
// sizing it. Failures are not reported.
void SetTopmost(platform::OsDesktop& os, platform::WindowHandle window, bool onTop);

// Shows the help with the given command, platform::kHelpContents or
// kHelpContext with a topic number as data: through WinHelp when the help
// file (the program's Tarvolo.hlp) is there, else the HTML page of the same
// name (Tarvolo.html) in the user's browser at the topic's anchor ("topic"
// and the number, or "contents"). Returns what to tell the user when neither
// could be shown, naming the file looked for; empty when the help is up.
std::string ShowHelp(platform::Os& os, const std::string& helpFile, platform::WindowHandle window,
                     std::uint32_t command, std::uintptr_t data = 0);

// The HTML help page that stands in for a WinHelp file: the same path with
// ".html" for its ".hlp".
std::string HtmlHelpPath(const std::string& helpFile);
