#pragma once
#include <cstdint>
#include <string>

#include "platform/os_types.h"

namespace platform {

// Process calls: kernel32's tool-help snapshot and psapi's process-status
// interface, one to one.
class OsProcesses {
 public:
  virtual ~OsProcesses() = default;
  virtual OsHandle CreateToolhelp32Snapshot(std::uint32_t flags, std::uint32_t processId) = 0;
  virtual bool Process32First(OsHandle snapshot, ProcessEntry32& entry) = 0;
  virtual bool Process32Next(OsHandle snapshot, ProcessEntry32& entry) = 0;
  virtual bool EnumProcesses(std::uint32_t* ids, std::uint32_t bufferBytes,
                             std::uint32_t* bytesReturned) = 0;
  virtual OsHandle OpenProcess(std::uint32_t access, bool inherit, std::uint32_t processId) = 0;
  virtual bool EnumProcessModules(OsHandle process, ModuleHandle* modules, std::uint32_t bufferBytes,
                                  std::uint32_t* bytesNeeded) = 0;
  // The module's full path; empty on failure.
  virtual std::string GetModuleFileNameEx(OsHandle process, ModuleHandle module) = 0;
  virtual bool CloseHandle(OsHandle handle) = 0;
};

}  // namespace platform
