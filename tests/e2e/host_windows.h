#pragma once
// Windows on the desktop: the host's own test windows, bringing any window to
// the front, and finding the windows and processes of other programs.
#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

// A top-level window of the host's own with this title (and owner, if not
// null), shown without being activated: only "activate" changes the
// foreground, so a test knows which window the program sees. The slot
// cascades the windows so each one is visible in a screenshot. Titles, here
// and from WindowTitle, are UTF-8.
HWND MakeWindow(const std::string& title, HWND owner, int slot);

// Brings the window to the foreground and confirms it with
// GetForegroundWindow. Under Wine without a window manager SetForegroundWindow
// is honoured for any process; the retries cover a window that is still
// being shown.
bool Activate(HWND hwnd, int timeoutMs);

std::string WindowTitle(HWND hwnd);
std::string WindowClass(HWND hwnd);
DWORD WindowProcess(HWND hwnd);

std::vector<HWND> Children(HWND parent);  // all descendants
// The child control of the class whose text (its mnemonic marker aside) is
// `which`, or the Nth one of the class for "#N"; shown ones only if asked.
HWND FindControl(HWND parent, const std::string& windowClass, const std::string& which, bool shownOnly);
// The texts of the Static controls, joined by spaces.
std::string StaticTexts(HWND parent);
std::vector<HWND> TopLevelWindows();
std::vector<HWND> TopLevelWindowsOf(DWORD pid, bool visibleOnly);

// A visible top-level window of the process whose title begins with the
// prefix; withEdit selects dialogs with a text field (1), windows without one
// (0), or either (-1). Null when there is none.
HWND FindProcessWindow(DWORD pid, const std::string& titlePrefix, int withEdit);

// Process identifiers of the running processes with this executable file
// name (letter case ignored), from a tool-help snapshot.
std::vector<DWORD> ProcessesNamed(const std::string& exeName);

}  // namespace e2e
