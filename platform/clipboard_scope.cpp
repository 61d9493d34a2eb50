#include "platform/clipboard_scope.h"

namespace platform {

ClipboardScope::ClipboardScope(OsClipboard& clipboard, OsSystem& system, WindowHandle owner) : clipboard_(clipboard) {
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    if (attempt > 0) system.Sleep(kPauseMs);
    if (clipboard_.OpenClipboard(owner)) {
      opened_ = true;
      return;
    }
  }
}

ClipboardScope::~ClipboardScope() {
  if (opened_) clipboard_.CloseClipboard();
}

}  // namespace platform
