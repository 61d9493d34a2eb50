#pragma once
// Answering another process's pop-up menu and input box, and telling its
// windows that the session ends.
#include <windows.h>

#include <string>

namespace e2e {

// The visible pop-up menu window ("#32768") of the process, or null.
HWND FindPopupMenu(DWORD pid);

// Chooses the item reached by pressing Down the given number of times
// (separators are skipped, as for a user), then Enter; 0 presses Escape.
// The keys are posted to the menu window: the menu's own message loop takes
// them from its thread's queue whichever window has the keyboard, and Wine
// does not let another process read a menu's items.
bool ChooseMenuItem(HWND menu, int downPresses);

struct InputBoxFacts {
  std::string caption;
  std::string prompt;
  bool hasOk = false;
  bool hasCancel = false;
};
InputBoxFacts DescribeInputBox(HWND dialog);

// Types the answer into the input box's text field and presses "OK", or
// presses "Cancel".
bool AnswerInputBox(HWND dialog, bool pressOk, const std::string& answer);

struct EndSessionResult {
  bool answered = true;  // false when a window did not answer in time
  int windows = 0;
  int agreed = 0;  // windows that let the session end
};

// Sends WM_QUERYENDSESSION to every top-level window of the process, then
// WM_ENDSESSION, as Windows does at log-off (lParam ENDSESSION_LOGOFF) or
// shut-down (0). Windows may end the process as soon as WM_ENDSESSION has
// been answered, so whatever the program must save is saved by the time
// this returns.
EndSessionResult EndSession(DWORD pid, bool logoff);

}  // namespace e2e
