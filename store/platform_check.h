#pragma once
#include "platform/os_system.h"

// True when the program runs on the NT family of Windows (NT 4, 2000, XP and
// later), false on Windows 95, 98 and Me.
bool IsNTPlatform(platform::OsSystem& os);
