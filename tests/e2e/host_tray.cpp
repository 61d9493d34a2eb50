#include "tests/e2e/host_tray.h"

#include <shellapi.h>

#include <string>

#include "tests/e2e/host_windows.h"

namespace e2e {
namespace {

// Wine 8 keeps the icons in its X11 driver's stand-alone tray; later versions
// moved them into explorer's Shell_TrayWnd.
constexpr const char* kIconClasses[] = {"__winex11_tray_icon", "__wine_tray_icon"};

bool IsIconClass(const std::string& name) {
  for (const char* cls : kIconClasses)
    if (name == cls) return true;
  return false;
}

BOOL CALLBACK CollectIcons(HWND hwnd, LPARAM param) {
  if (IsIconClass(WindowClass(hwnd))) reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
  return TRUE;
}

BOOL CALLBACK SearchTopLevel(HWND hwnd, LPARAM param) {
  CollectIcons(hwnd, param);
  ::EnumChildWindows(hwnd, CollectIcons, param);
  return TRUE;
}

bool NotifyIcon(DWORD message, HWND owner, UINT iconId) {
  NOTIFYICONDATAA data{};
  data.cbSize = sizeof data;
  data.hWnd = owner;
  data.uID = iconId;
  data.uFlags = 0;  // changes nothing: only asks whether the icon exists
  return ::Shell_NotifyIconA(message, &data) != FALSE;
}

}  // namespace

std::vector<HWND> TrayIconWindows() {
  std::vector<HWND> icons;
  ::EnumWindows(SearchTopLevel, reinterpret_cast<LPARAM>(&icons));
  return icons;
}

bool ClickTrayIcon(UINT mouseMessage) {
  const std::vector<HWND> icons = TrayIconWindows();
  if (icons.size() != 1) return false;
  return ::PostMessageA(icons.front(), mouseMessage, 0, MAKELPARAM(8, 8)) != FALSE;
}

void PruneTrayIcons() {
  for (HWND icon : TrayIconWindows()) ::PostMessageA(icon, WM_MOUSEMOVE, 0, MAKELPARAM(8, 8));
}

HWND TrayIconOwner(DWORD pid, UINT iconId) {
  for (HWND hwnd : WindowsOfProcess(pid))
    if (NotifyIcon(NIM_MODIFY, hwnd, iconId)) return hwnd;
  return nullptr;
}

bool DeleteTrayIcon(HWND owner, UINT iconId) { return NotifyIcon(NIM_DELETE, owner, iconId); }

bool BroadcastTaskbarCreated() {
  const UINT message = ::RegisterWindowMessageA("TaskbarCreated");
  return message != 0 && ::PostMessageA(HWND_BROADCAST, message, 0, 0) != FALSE;
}

}  // namespace e2e
