#pragma once
#include "platform/os_clipboard.h"
#include "platform/os_system.h"

namespace platform {

// The clipboard opened for as long as this lives. Another program may hold
// it open for a moment, so opening is tried a few times; Opened() says
// whether it worked. Closed again in every case.
class ClipboardScope {
 public:
  ClipboardScope(OsClipboard& clipboard, OsSystem& system, WindowHandle owner = 0);
  ClipboardScope(const ClipboardScope&) = delete;
  ClipboardScope& operator=(const ClipboardScope&) = delete;
  ~ClipboardScope();
  bool Opened() const { return opened_; }

  static constexpr int kAttempts = 10;
  static constexpr std::uint32_t kPauseMs = 20;

 private:
  OsClipboard& clipboard_;
  bool opened_ = false;
};

}  // namespace platform
