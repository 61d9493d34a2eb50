#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/os_desktop.h"

// Appends the separator unless the path's last character already is it; an
// empty path gives the separator alone. Every caller wants "\".
std::string AddBackslash(std::string_view path, std::string_view separator = "\\");

// Puts the window into the topmost band, or takes it out, without moving or
// sizing it. Failures are not reported.
void SetTopmost(platform::OsDesktop& os, platform::WindowHandle window, bool onTop);

// Opens the help file (the program's Tarvolo.hlp) with the given command, for
// example platform::kHelpContents, or kHelpContext with a topic number as
// data. Failures are not reported.
void ShowHelp(platform::OsDesktop& os, const std::string& helpFile, platform::WindowHandle window,
              std::uint32_t command, std::uintptr_t data = 0);
