#pragma once
#include <functional>

// Where the global hot-keys, the highlighted-text commands and the
// user-activity hook join the resident monitor: start-up installs the hook
// and registers the hot-keys, shut-down undoes both, the fast tick runs a
// pending hot-key request and the refresh tick renews the hook. Those
// subsystems are not in the program yet; a link left empty does nothing.
struct MonitorLinks {
  std::function<void()> InstallActivityHook;
  std::function<void()> RemoveActivityHook;
  std::function<void()> RegisterHotkeys;
  std::function<void()> UnregisterHotkeys;
  std::function<void()> RunPendingHotkeys;
};
