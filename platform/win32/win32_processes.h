#pragma once
#include "platform/os_processes.h"

// The process calls: kernel32's tool-help snapshot and psapi's process-status
// interface. Handles are returned to the caller, who owns and closes them.
class Win32Processes : public virtual platform::OsProcesses {
 public:
  platform::OsHandle CreateToolhelp32Snapshot(std::uint32_t flags, std::uint32_t processId) override;
  bool Process32First(platform::OsHandle snapshot, platform::ProcessEntry32& entry) override;
  bool Process32Next(platform::OsHandle snapshot, platform::ProcessEntry32& entry) override;
  bool EnumProcesses(std::uint32_t* ids, std::uint32_t bufferBytes, std::uint32_t* bytesReturned) override;
  platform::OsHandle OpenProcess(std::uint32_t access, bool inherit, std::uint32_t processId) override;
  bool EnumProcessModules(platform::OsHandle process, platform::ModuleHandle* modules, std::uint32_t bufferBytes,
                          std::uint32_t* bytesNeeded) override;
  std::string GetModuleFileNameEx(platform::OsHandle process, platform::ModuleHandle module) override;
  bool CloseHandle(platform::OsHandle handle) override;
};
