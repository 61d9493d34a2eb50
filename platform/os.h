#pragma once
// The whole OS interface the program sees. Each group is its own interface so
// a subsystem can take only what it uses, and an implementation can be built
// from one class per group (the groups are virtual bases, so the group classes
// combine without ambiguity).
#include "platform/os_clipboard.h"
#include "platform/os_desktop.h"
#include "platform/os_files.h"
#include "platform/os_hooks.h"
#include "platform/os_hotkeys.h"
#include "platform/os_keys.h"
#include "platform/os_processes.h"
#include "platform/os_registry.h"
#include "platform/os_system.h"
#include "platform/os_text.h"
#include "platform/os_tray.h"
#include "platform/os_win_events.h"
#include "platform/os_windows.h"

namespace platform {

class Os : public virtual OsKeys,
           public virtual OsWindows,
           public virtual OsProcesses,
           public virtual OsSystem,
           public virtual OsFiles,
           public virtual OsDesktop,
           public virtual OsTray,
           public virtual OsHotkeys,
           public virtual OsClipboard,
           public virtual OsText,
           public virtual OsHooks,
           public virtual OsWinEvents,
           public virtual OsRegistry {
 public:
  ~Os() override = default;
};

}  // namespace platform
