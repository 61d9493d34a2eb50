#include "tests/e2e/host_dialogs.h"

#include <vector>

#include "tests/e2e/host_support.h"
#include "tests/e2e/host_windows.h"

namespace e2e {
namespace {

constexpr UINT kAnswerTimeoutMs = 5000;

BOOL CALLBACK CollectChildren(HWND hwnd, LPARAM param) {
  reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
  return TRUE;
}

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> children;
  ::EnumChildWindows(parent, CollectChildren, reinterpret_cast<LPARAM>(&children));
  return children;
}

// A button's caption without its mnemonic marker.
std::string PlainText(HWND hwnd) {
  std::string text;
  for (char c : WindowTitle(hwnd))
    if (c != '&') text += c;
  return text;
}

HWND FindButton(HWND dialog, const std::string& caption) {
  for (HWND child : Children(dialog))
    if (WindowClass(child) == "Button" && PlainText(child) == caption) return child;
  return nullptr;
}

HWND FindEdit(HWND dialog) {
  for (HWND child : Children(dialog))
    if (WindowClass(child) == "Edit") return child;
  return nullptr;
}

bool Send(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR* result = nullptr) {
  DWORD_PTR ignored = 0;
  return ::SendMessageTimeoutA(hwnd, message, wParam, lParam, SMTO_ABORTIFHUNG, kAnswerTimeoutMs,
                               result != nullptr ? result : &ignored) != 0;
}

}  // namespace

HWND FindPopupMenu(DWORD pid) {
  for (HWND hwnd : TopLevelWindowsOfProcess(pid, true))
    if (WindowClass(hwnd) == "#32768") return hwnd;
  return nullptr;
}

bool ChooseMenuItem(HWND menu, int downPresses) {
  if (!::IsWindow(menu)) return false;
  if (downPresses <= 0) return ::PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0) != FALSE;
  for (int i = 0; i < downPresses; ++i)
    if (!::PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0)) return false;
  return ::PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0) != FALSE;
}

InputBoxFacts DescribeInputBox(HWND dialog) {
  InputBoxFacts facts;
  facts.caption = WindowTitle(dialog);
  for (HWND child : Children(dialog)) {
    if (WindowClass(child) == "Static" && !WindowTitle(child).empty()) {
      if (!facts.prompt.empty()) facts.prompt += ' ';
      facts.prompt += WindowTitle(child);
    }
  }
  facts.hasOk = FindButton(dialog, "OK") != nullptr;
  facts.hasCancel = FindButton(dialog, "Cancel") != nullptr;
  return facts;
}

bool AnswerInputBox(HWND dialog, bool pressOk, const std::string& answer) {
  HWND button = FindButton(dialog, pressOk ? "OK" : "Cancel");
  if (button == nullptr) return false;
  if (pressOk) {
    HWND edit = FindEdit(dialog);
    if (edit == nullptr || !Send(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(answer.c_str()))) return false;
  }
  // Posted: the click ends the dialog's loop, and nothing here needs its answer.
  return ::PostMessageA(button, BM_CLICK, 0, 0) != FALSE;
}

EndSessionResult EndSession(DWORD pid, bool logoff) {
  const LPARAM reason = logoff ? ENDSESSION_LOGOFF : 0;
  const std::vector<HWND> windows = TopLevelWindowsOfProcess(pid, false);
  EndSessionResult result;
  result.windows = static_cast<int>(windows.size());
  for (HWND hwnd : windows) {
    DWORD_PTR answer = 0;
    if (Send(hwnd, WM_QUERYENDSESSION, 0, reason, &answer)) {
      if (answer != 0) ++result.agreed;
    } else if (::IsWindow(hwnd)) {
      result.answered = false;
    }
  }
  for (HWND hwnd : windows)
    if (!Send(hwnd, WM_ENDSESSION, TRUE, reason) && ::IsWindow(hwnd)) result.answered = false;
  return result;
}

}  // namespace e2e
