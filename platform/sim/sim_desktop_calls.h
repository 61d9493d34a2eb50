#pragma once
// Window placement and the help viewer on the simulated desktop: the window
// order with its topmost band, and a record of every call.
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "platform/os_desktop.h"

namespace sim {

struct SetWindowPosCall {
  platform::WindowHandle hwnd;
  platform::WindowHandle insertAfter;
  int x, y, cx, cy;
  std::uint32_t flags;
};

struct HtmlPageCall {
  platform::WindowHandle hwnd;
  std::string path;
  std::string anchor;
};

struct WinHelpCall {
  platform::WindowHandle hwnd;
  std::string helpFile;
  std::uint32_t command;
  std::uintptr_t data;
};

class SimDesktopCalls : public virtual platform::OsDesktop {
 public:
  // ---- set-up ----
  // The window order, front first, and which of them are topmost.
  void SetZOrder(std::vector<platform::WindowHandle> frontToBack, std::set<platform::WindowHandle> topmost = {});
  // What WinHelp answers (false: the help file is missing).
  void SetWinHelpResult(bool result) { winHelpResult_ = result; }
  // Whether a browser is set to open .html files.
  void SetBrowser(bool present) { browser_ = present; }

  // ---- observation ----
  const std::vector<platform::WindowHandle>& ZOrder() const { return zOrder_; }
  bool IsTopmost(platform::WindowHandle hwnd) const { return topmost_.count(hwnd) != 0; }
  const std::vector<SetWindowPosCall>& SetWindowPosCalls() const { return setWindowPosCalls_; }
  const std::vector<WinHelpCall>& WinHelpCalls() const { return winHelpCalls_; }
  const std::vector<HtmlPageCall>& HtmlPageCalls() const { return htmlPageCalls_; }

  // ---- platform::OsDesktop ----
  bool SetWindowPos(platform::WindowHandle hwnd, platform::WindowHandle insertAfter, int x, int y, int cx, int cy,
                    std::uint32_t flags) override;
  bool WinHelp(platform::WindowHandle hwnd, const std::string& helpFile, std::uint32_t command,
                std::uintptr_t data) override;
  bool OpenHtmlPage(platform::WindowHandle hwnd, const std::string& path, const std::string& anchor) override;

 private:
  void MoveTo(platform::WindowHandle hwnd, std::size_t position);

  std::vector<platform::WindowHandle> zOrder_;
  std::set<platform::WindowHandle> topmost_;
  bool winHelpResult_ = true;
  std::vector<SetWindowPosCall> setWindowPosCalls_;
  std::vector<WinHelpCall> winHelpCalls_;
  bool browser_ = true;
  std::vector<HtmlPageCall> htmlPageCalls_;
};

}  // namespace sim
