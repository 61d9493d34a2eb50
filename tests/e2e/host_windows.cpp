#include "tests/e2e/host_windows.h"

#include <tlhelp32.h>

#include <cstdlib>
#include <iterator>

#include "tests/e2e/host_support.h"

namespace e2e {
namespace {

constexpr wchar_t kClassName[] = L"TarvoloE2EWindow";

LRESULT CALLBACK TestWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_CLOSE) return ::DefWindowProcW(hwnd, message, wParam, lParam);
  ::DestroyWindow(hwnd);
  return 0;
}

BOOL CALLBACK Collect(HWND hwnd, LPARAM out) {
  reinterpret_cast<std::vector<HWND>*>(out)->push_back(hwnd);
  return TRUE;
}

}  // namespace

HWND MakeWindow(const std::string& title, HWND owner, int slot) {
  static const bool registered = [] {
    // A Unicode window class: titles in any script.
    WNDCLASSW wc{};
    wc.lpfnWndProc = TestWindowProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kClassName;
    return ::RegisterClassW(&wc) != 0;
  }();
  if (!registered) return nullptr;
  const int at = 40 + 30 * (slot % 10);
  HWND hwnd = ::CreateWindowExW(0, kClassName, Widen(title).c_str(), WS_OVERLAPPEDWINDOW, at, at, 360, 160, owner,
                                nullptr, ::GetModuleHandleW(nullptr), nullptr);
  if (hwnd != nullptr) ::ShowWindow(hwnd, SW_SHOWNOACTIVATE);
  Pump();
  return hwnd;
}

bool Activate(HWND hwnd, int timeoutMs) {
  if (!::IsWindow(hwnd)) return false;
  return WaitUntil(
      [hwnd] {
        if (::GetForegroundWindow() == hwnd) return true;
        ::SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        ::SetForegroundWindow(hwnd);
        Pump();
        return ::GetForegroundWindow() == hwnd;
      },
      timeoutMs, 10);
}

std::string WindowTitle(HWND hwnd) {
  wchar_t text[512] = L"";
  ::GetWindowTextW(hwnd, text, static_cast<int>(std::size(text)));
  return Narrow(text);
}

std::string WindowClass(HWND hwnd) {
  char text[256] = "";
  ::GetClassNameA(hwnd, text, sizeof text);
  return text;
}

DWORD WindowProcess(HWND hwnd) {
  DWORD pid = 0;
  ::GetWindowThreadProcessId(hwnd, &pid);
  return pid;
}

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> found;
  ::EnumChildWindows(parent, Collect, reinterpret_cast<LPARAM>(&found));
  return found;
}

HWND FindControl(HWND parent, const std::string& windowClass, const std::string& which, bool shownOnly) {
  int n = which.starts_with("#") ? std::atoi(which.c_str() + 1) : 0;
  for (HWND child : Children(parent)) {
    if ((shownOnly && !::IsWindowVisible(child)) || WindowClass(child) != windowClass) continue;
    std::string text = WindowTitle(child);
    std::erase(text, '&');
    if (n > 0 ? --n == 0 : text == which) return child;
  }
  return nullptr;
}

std::string StaticTexts(HWND parent) {
  std::string text;
  for (HWND child : Children(parent))
    if (WindowClass(child) == "Static" && !WindowTitle(child).empty())
      text.append(text.empty() ? "" : " ").append(WindowTitle(child));
  return text;
}

std::vector<HWND> TopLevelWindows() {
  std::vector<HWND> found;
  ::EnumWindows(Collect, reinterpret_cast<LPARAM>(&found));
  return found;
}

std::vector<HWND> TopLevelWindowsOf(DWORD pid, bool visibleOnly) {
  std::vector<HWND> found = TopLevelWindows();
  std::erase_if(found, [&](HWND h) { return WindowProcess(h) != pid || (visibleOnly && !::IsWindowVisible(h)); });
  return found;
}

HWND FindProcessWindow(DWORD pid, const std::string& titlePrefix, int withEdit) {
  for (HWND hwnd : TopLevelWindowsOf(pid, true)) {
    const bool hasEdit = FindControl(hwnd, "Edit", "#1", false) != nullptr;
    const bool form = WindowClass(hwnd) == "TarvoloForm";
    // 1: an input box (a dialog with a text field); 0: a window without
    // one; 2: one of the program's own forms.
    const bool kindFits = withEdit < 0 || (withEdit == 2 ? form : withEdit == 1 ? hasEdit && !form : !hasEdit);
    if (WindowTitle(hwnd).rfind(titlePrefix, 0) == 0 && kindFits) return hwnd;
  }
  return nullptr;
}

std::vector<DWORD> ProcessesNamed(const std::string& exeName) {
  std::vector<DWORD> pids;
  OwnedHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = snapshot.valid() && ::Process32First(snapshot.get(), &entry); more;
       more = ::Process32Next(snapshot.get(), &entry)) {
    const std::string exe = entry.szExeFile;
    if (::lstrcmpiA(exe.substr(exe.find_last_of("\\/:") + 1).c_str(), exeName.c_str()) == 0)
      pids.push_back(entry.th32ProcessID);
  }
  return pids;
}

}  // namespace e2e
