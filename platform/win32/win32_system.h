#pragma once
#include "platform/os_system.h"

// The version, waiting, servicing this thread's waiting messages, the
// system's measures and its beep.
class Win32System : public virtual platform::OsSystem {
 public:
  bool GetVersionEx(platform::OsVersionInfo& info) override;
  void Sleep(std::uint32_t milliseconds) override;
  std::uint32_t GetTickCount() override;
  void DoEvents() override;
  int GetSystemMetrics(int index) override;
  bool MessageBeep(std::uint32_t type) override;
};
