#pragma once
#include <string>
#include <string_view>

#include "platform/os_registry.h"

// "Start Tarvolo with Windows": the value "Tarvolo" of the user's Run key,
// whose command is this program's full path in quotes. A value that starts
// another copy of the program (its folder moved, say) is not this one's.
inline constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const char* kRunValue = "Tarvolo";

// The program a Run command starts: the quoted path, or an unquoted one up to
// its ".exe" (Windows itself guesses so at the spaces of such a path).
std::string ProgramOfCommand(std::string_view command);

// The Run value is there and starts exe (its path compared ignoring case).
bool StartsWithWindows(platform::OsRegistry& registry, const std::string& exe);

// Makes the Run value start exe, or removes it when it does; a value of
// another copy is replaced when on, and left alone when off. Nothing is
// written when the value is already as asked. False when Windows refused.
bool SetStartWithWindows(platform::OsRegistry& registry, const std::string& exe, bool on);
