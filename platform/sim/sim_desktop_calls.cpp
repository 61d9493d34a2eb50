#include "platform/sim/sim_desktop_calls.h"

#include <algorithm>

namespace sim {

void SimDesktopCalls::SetZOrder(std::vector<platform::WindowHandle> frontToBack,
                                std::set<platform::WindowHandle> topmost) {
  zOrder_ = std::move(frontToBack);
  topmost_ = std::move(topmost);
}

void SimDesktopCalls::MoveTo(platform::WindowHandle hwnd, std::size_t position) {
  zOrder_.erase(std::remove(zOrder_.begin(), zOrder_.end(), hwnd), zOrder_.end());
  zOrder_.insert(zOrder_.begin() + static_cast<std::ptrdiff_t>(std::min(position, zOrder_.size())), hwnd);
}

bool SimDesktopCalls::SetWindowPos(platform::WindowHandle hwnd, platform::WindowHandle insertAfter, int x, int y,
                                   int cx, int cy, std::uint32_t flags) {
  setWindowPosCalls_.push_back({hwnd, insertAfter, x, y, cx, cy, flags});
  if (std::find(zOrder_.begin(), zOrder_.end(), hwnd) == zOrder_.end()) return false;  // no such window
  // Only the two band changes are modelled; as on Windows, a window that is
  // not topmost keeps its place when asked to leave the topmost band.
  if (insertAfter == platform::kHwndTopmost) {
    topmost_.insert(hwnd);
    MoveTo(hwnd, 0);
  } else if (insertAfter == platform::kHwndNoTopmost && topmost_.erase(hwnd) != 0) {
    const auto firstNormal = std::find_if(zOrder_.begin(), zOrder_.end(),
                                          [&](platform::WindowHandle w) { return w != hwnd && !IsTopmost(w); });
    std::size_t position = static_cast<std::size_t>(firstNormal - zOrder_.begin());
    const auto self = std::find(zOrder_.begin(), zOrder_.end(), hwnd);
    if (self < firstNormal) --position;  // the window itself leaves the front part
    MoveTo(hwnd, position);
  }
  return true;
}

bool SimDesktopCalls::WinHelp(platform::WindowHandle hwnd, const std::string& helpFile, std::uint32_t command,
                              std::uintptr_t data) {
  winHelpCalls_.push_back({hwnd, helpFile, command, data});
  return winHelpResult_;
}

bool SimDesktopCalls::OpenHtmlPage(platform::WindowHandle hwnd, const std::string& path, const std::string& anchor) {
  if (!browser_) return false;
  htmlPageCalls_.push_back({hwnd, path, anchor});
  return true;
}

}  // namespace sim
