#pragma once
// Windows on the desktop: the host's own test windows, bringing any window to
// the front, and finding the windows of another process.
#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace e2e {

// Top-level windows of the host itself, known by a short name, each with a
// chosen title and optionally an owner among them.
class TestWindows {
 public:
  TestWindows();
  TestWindows(const TestWindows&) = delete;
  TestWindows& operator=(const TestWindows&) = delete;
  ~TestWindows();

  // Makes and shows a window, leaving the foreground as it was; an empty
  // owner name makes an unowned one.
  HWND Make(const std::string& name, const std::string& ownerName, const std::string& title);
  HWND Find(const std::string& name) const;
  bool Destroy(const std::string& name);
  void DestroyAll();

 private:
  std::map<std::string, HWND> windows_;
};

// Brings the window to the foreground and confirms it with
// GetForegroundWindow. Under Wine without a window manager SetForegroundWindow
// is honoured for any process; the retries cover a window that is still
// being shown.
bool Activate(HWND hwnd, int timeoutMs);

std::string WindowTitle(HWND hwnd);
std::string WindowClass(HWND hwnd);
DWORD WindowProcess(HWND hwnd);

// Process identifiers of the running processes with this executable file
// name (letter case ignored), from a tool-help snapshot.
std::vector<DWORD> ProcessesNamed(const std::string& exeName);

// Every window of the process: top-level (visible or not), their children,
// and message-only windows.
std::vector<HWND> WindowsOfProcess(DWORD pid);
std::vector<HWND> TopLevelWindowsOfProcess(DWORD pid, bool visibleOnly);

bool HasChildOfClass(HWND parent, const char* className);

// A visible top-level window of the process whose title begins with the
// prefix; withEdit selects dialogs with a text field (1), windows without one
// (0), or either (-1). Null when there is none.
HWND FindProcessWindow(DWORD pid, const std::string& titlePrefix, int withEdit);

// For the screen-saver stand-in: one window with this title, serviced until
// it is closed or the process is ended.
int RunSingleWindow(const std::string& title);

}  // namespace e2e
