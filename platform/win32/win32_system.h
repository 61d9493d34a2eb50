#pragma once
#include "platform/os_system.h"

// The version, waiting, and servicing this thread's waiting messages.
class Win32System : public virtual platform::OsSystem {
 public:
  bool GetVersionExA(platform::OsVersionInfo& info) override;
  void Sleep(std::uint32_t milliseconds) override;
  void DoEvents() override;
};
