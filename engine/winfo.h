#pragma once
#include <string>
#include <string_view>

#include "platform/os_processes.h"
#include "platform/os_system.h"
#include "platform/os_windows.h"

// The active window probe: the foreground window, its owner, a window's title
// and class, and the executable file name of the process that made a window.
// NT 4 only has the process-status interface; everything else, 9x included,
// has the tool-help snapshot.
class clsWinfo {
 public:
  static constexpr platform::WindowHandle kDefaultWindow = -1;

  clsWinfo(platform::OsWindows& windows, platform::OsProcesses& processes, platform::OsSystem& system);

  void set_hWndDefault(platform::WindowHandle handle) { hWndDefault_ = handle < 0 ? 0 : handle; }
  platform::WindowHandle ActWndHandle();
  platform::WindowHandle ActWndOwnerHandle();
  std::string WndTitle(platform::WindowHandle handle = kDefaultWindow);
  std::string WndClass(platform::WindowHandle handle = kDefaultWindow);
  std::string OwnerEXE(platform::WindowHandle handle = kDefaultWindow);

  bool UseProcessStatus() const { return useProcessStatus_; }

 private:
  platform::WindowHandle Resolve(platform::WindowHandle handle) const {
    return handle == kDefaultWindow ? hWndDefault_ : handle;
  }
  std::string ExeByProcessStatus(platform::WindowHandle handle);
  std::string ExeByToolHelp(platform::WindowHandle handle);

  platform::OsWindows& windows_;
  platform::OsProcesses& processes_;
  platform::WindowHandle hWndDefault_ = 0;
  bool useProcessStatus_ = false;
};

// Everything after the last "\" or ":"; the whole text when there is neither.
std::string FileNamePart(std::string_view path);
