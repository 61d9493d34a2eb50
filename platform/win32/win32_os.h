#pragma once
#include "platform/os.h"
#include "platform/win32/win32_clipboard.h"
#include "platform/win32/win32_desktop.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_hooks.h"
#include "platform/win32/win32_hotkeys.h"
#include "platform/win32/win32_keys.h"
#include "platform/win32/win32_processes.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_system.h"
#include "platform/win32/win32_tray.h"
#include "platform/win32/win32_win_events.h"
#include "platform/win32/win32_text.h"
#include "platform/win32/win32_windows.h"

// The real OS: every group forwarded to Windows.
class Win32Os final : public platform::Os,
                      public Win32Keys,
                      public Win32Windows,
                      public Win32Processes,
                      public Win32System,
                      public Win32Files,
                      public Win32Desktop,
                      public Win32Tray,
                      public Win32Hotkeys,
                      public Win32Clipboard,
                      public Win32Text,
                      public Win32Hooks,
                      public Win32WinEvents,
                      public Win32Registry {};
