#pragma once
#include <utility>

#include "platform/os_processes.h"

namespace platform {

// Closes a kernel handle through the OS interface when it goes out of scope.
class UniqueHandle {
 public:
  UniqueHandle(OsProcesses& os, OsHandle handle) : os_(&os), handle_(handle) {}
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept
      : os_(other.os_), handle_(std::exchange(other.handle_, 0)) {}
  ~UniqueHandle() {
    if (valid()) os_->CloseHandle(handle_);
  }
  OsHandle get() const { return handle_; }
  bool valid() const { return handle_ != 0 && handle_ != kInvalidHandle; }

 private:
  OsProcesses* os_;
  OsHandle handle_;
};

}  // namespace platform
