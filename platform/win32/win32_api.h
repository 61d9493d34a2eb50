#pragma once
// <windows.h> for the Win32 layer, without the macros that would rename the
// OS interface's own calls (GetWindowText to GetWindowTextA, ...): the
// interface names the call, and the layer picks the wide or ANSI form itself.
#include <windows.h>

#undef CallWindowProc
#undef CharLower
#undef CharUpper
#undef GetClassName
#undef GetModuleFileNameEx
#undef GetVersionEx
#undef GetWindowText
#undef GlobalAddAtom
#undef MapVirtualKey
#undef RegDeleteValue
#undef RegQueryValueEx
#undef RegSetValueEx
#undef RegisterClipboardFormat
#undef SetWindowsHookEx
#undef Shell_NotifyIcon
#undef WinHelp
