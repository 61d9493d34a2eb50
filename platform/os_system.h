#pragma once
#include <cstdint>

#include "platform/os_types.h"

namespace platform {

// Version, waiting, the form layer's "service pending events", the system's
// measures and its beep.
class OsSystem {
 public:
  virtual ~OsSystem() = default;
  virtual bool GetVersionEx(OsVersionInfo& info) = 0;
  virtual void Sleep(std::uint32_t milliseconds) = 0;
  // Milliseconds since the system started, wrapping around.
  virtual std::uint32_t GetTickCount() = 0;
  // Processes every window message waiting for this thread, then returns.
  // Handlers (timer ticks, clicks) may run inside it.
  virtual void DoEvents() = 0;
  // A measure of the desktop in pixels, by its SM_ index; 0 for an unknown one.
  virtual int GetSystemMetrics(int index) = 0;
  // Plays the sound of that message-box type (0: the default beep).
  virtual bool MessageBeep(std::uint32_t type) = 0;
};

}  // namespace platform
