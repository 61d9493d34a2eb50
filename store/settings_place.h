#pragma once
#include <cstddef>
#include <string>

#include "platform/os_files.h"

// Where Tarvolo.INI is kept. Beside the program whenever its folder takes
// new files: portable use, and a file there marked read-only stays the one
// used. When the folder takes none (Program Files, a read-only share), the
// user's %APPDATA%\Tarvolo\Tarvolo.INI: used as it is when it is there, else
// made now from the file beside the program (the shipped settings when
// there is none), and the user is told once, at this start. When that
// cannot be done either, or the file beside the program is there but cannot
// be read, the file beside the program, as before.
struct SettingsPlace {
  std::string path;
  // Plain words for the user when the settings moved at this start; empty
  // otherwise.
  std::string notice;
};
SettingsPlace ChooseSettingsPlace(platform::OsFiles& files, std::size_t maxFileBytes);
