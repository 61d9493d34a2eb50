#pragma once
#include <cstdint>

#include "platform/os_types.h"

namespace platform {

// Version, waiting, and the form layer's "service pending events".
class OsSystem {
 public:
  virtual ~OsSystem() = default;
  virtual bool GetVersionExA(OsVersionInfo& info) = 0;
  virtual void Sleep(std::uint32_t milliseconds) = 0;
  // Processes every window message waiting for this thread, then returns.
  // Handlers (timer ticks, clicks) may run inside it.
  virtual void DoEvents() = 0;
};

}  // namespace platform
