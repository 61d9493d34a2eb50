#include "tests/e2e/host_windows.h"

#include <tlhelp32.h>

#include <algorithm>
#include <cctype>

#include "tests/e2e/host_support.h"

namespace e2e {
namespace {

constexpr char kClassName[] = "TarvoloE2EWindow";

LRESULT CALLBACK TestWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE) {
    ::DestroyWindow(hwnd);
    return 0;
  }
  return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

void RegisterTestClass() {
  static bool registered = false;
  if (registered) return;
  WNDCLASSA wc{};
  wc.lpfnWndProc = TestWindowProc;
  wc.hInstance = ::GetModuleHandleA(nullptr);
  wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = kClassName;
  registered = ::RegisterClassA(&wc) != 0;
}

std::string Upper(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return text;
}

struct EnumState {
  DWORD pid;
  bool visibleOnly;
  std::vector<HWND>* out;
};

BOOL CALLBACK CollectTopLevel(HWND hwnd, LPARAM param) {
  auto* state = reinterpret_cast<EnumState*>(param);
  if (WindowProcess(hwnd) != state->pid) return TRUE;
  if (state->visibleOnly && !::IsWindowVisible(hwnd)) return TRUE;
  state->out->push_back(hwnd);
  return TRUE;
}

BOOL CALLBACK CollectChildren(HWND hwnd, LPARAM param) {
  reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
  return TRUE;
}

BOOL CALLBACK FindChildOfClass(HWND hwnd, LPARAM param) {
  auto* found = reinterpret_cast<std::pair<const char*, bool>*>(param);
  if (WindowClass(hwnd) == found->first) {
    found->second = true;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

TestWindows::TestWindows() { RegisterTestClass(); }

TestWindows::~TestWindows() {
  for (auto& [name, hwnd] : windows_)
    if (::IsWindow(hwnd)) ::DestroyWindow(hwnd);
}

HWND TestWindows::Make(const std::string& name, const std::string& ownerName, const std::string& title) {
  HWND owner = nullptr;
  if (!ownerName.empty()) {
    owner = Find(ownerName);
    if (owner == nullptr) return nullptr;
  }
  Destroy(name);
  // Cascade the windows so each one is visible in a screenshot.
  const int slot = static_cast<int>(windows_.size() % 10);
  HWND hwnd = ::CreateWindowExA(0, kClassName, title.c_str(), WS_OVERLAPPEDWINDOW, 40 + 30 * slot, 40 + 30 * slot,
                                360, 160, owner, nullptr, ::GetModuleHandleA(nullptr), nullptr);
  if (hwnd == nullptr) return nullptr;
  // Shown without being activated: only "activate" changes the foreground,
  // so a test knows which window the program sees.
  ::ShowWindow(hwnd, SW_SHOWNOACTIVATE);
  windows_[name] = hwnd;
  Pump();
  return hwnd;
}

HWND TestWindows::Find(const std::string& name) const {
  const auto it = windows_.find(name);
  return it != windows_.end() && ::IsWindow(it->second) ? it->second : nullptr;
}

bool TestWindows::Destroy(const std::string& name) {
  const auto it = windows_.find(name);
  if (it == windows_.end()) return false;
  if (::IsWindow(it->second)) ::DestroyWindow(it->second);
  windows_.erase(it);
  Pump();
  return true;
}

void TestWindows::DestroyAll() {
  while (!windows_.empty()) Destroy(windows_.begin()->first);
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
  char text[512] = "";
  ::GetWindowTextA(hwnd, text, sizeof text);
  return text;
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

std::vector<DWORD> ProcessesNamed(const std::string& exeName) {
  std::vector<DWORD> pids;
  OwnedHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot.valid()) return pids;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  const std::string wanted = Upper(exeName);
  for (BOOL more = ::Process32First(snapshot.get(), &entry); more; more = ::Process32Next(snapshot.get(), &entry)) {
    std::string exe = entry.szExeFile;
    const auto slash = exe.find_last_of("\\/:");
    if (slash != std::string::npos) exe = exe.substr(slash + 1);
    if (Upper(exe) == wanted) pids.push_back(entry.th32ProcessID);
  }
  return pids;
}

std::vector<HWND> TopLevelWindowsOfProcess(DWORD pid, bool visibleOnly) {
  std::vector<HWND> found;
  EnumState state{pid, visibleOnly, &found};
  ::EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&state));
  return found;
}

std::vector<HWND> WindowsOfProcess(DWORD pid) {
  std::vector<HWND> found = TopLevelWindowsOfProcess(pid, false);
  const std::size_t topLevel = found.size();
  for (std::size_t i = 0; i < topLevel; ++i) {
    std::vector<HWND> children;
    ::EnumChildWindows(found[i], CollectChildren, reinterpret_cast<LPARAM>(&children));
    found.insert(found.end(), children.begin(), children.end());
  }
  for (HWND hwnd = ::FindWindowExA(HWND_MESSAGE, nullptr, nullptr, nullptr); hwnd != nullptr;
       hwnd = ::FindWindowExA(HWND_MESSAGE, hwnd, nullptr, nullptr))
    if (WindowProcess(hwnd) == pid) found.push_back(hwnd);
  return found;
}

bool HasChildOfClass(HWND parent, const char* className) {
  std::pair<const char*, bool> search{className, false};
  ::EnumChildWindows(parent, FindChildOfClass, reinterpret_cast<LPARAM>(&search));
  return search.second;
}

HWND FindProcessWindow(DWORD pid, const std::string& titlePrefix, int withEdit) {
  for (HWND hwnd : TopLevelWindowsOfProcess(pid, true)) {
    if (WindowTitle(hwnd).rfind(titlePrefix, 0) != 0) continue;
    if (withEdit >= 0 && HasChildOfClass(hwnd, "Edit") != (withEdit == 1)) continue;
    return hwnd;
  }
  return nullptr;
}

int RunSingleWindow(const std::string& title) {
  TestWindows windows;
  HWND hwnd = windows.Make("only", "", title);
  if (hwnd == nullptr) return 1;
  MSG msg;
  while (::IsWindow(hwnd) && ::GetMessageA(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
  return 0;
}

}  // namespace e2e
