#pragma once
// The notification area as Wine's shell keeps it. Wine gives every icon a
// window of its own inside its stand-alone tray; a mouse message posted to
// that window is passed on to the icon's owner with the owner's callback
// message, exactly as a click on the icon would be.
#include <windows.h>

#include <vector>

namespace e2e {

std::vector<HWND> TrayIconWindows();

// Posts a mouse message (WM_LBUTTONDBLCLK, WM_RBUTTONUP, ...) to the only icon
// in the tray; false when there is not exactly one.
bool ClickTrayIcon(UINT mouseMessage);

// Moves the mouse over every icon: the shell then notices icons whose owner
// window is gone (a program that was killed) and drops them.
void PruneTrayIcons();

// The window that owns the process's tray icon with this id: the one for
// which the shell accepts a modification of that icon. Null when none does.
HWND TrayIconOwner(DWORD pid, UINT iconId);

// Removes the icon from the tray behind its owner's back, as a restarting
// shell loses every icon.
bool DeleteTrayIcon(HWND owner, UINT iconId);

// Tells every top-level window that the task bar was created anew.
bool BroadcastTaskbarCreated();

}  // namespace e2e
