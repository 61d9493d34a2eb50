#pragma once
#include "platform/os_files.h"

// The program's files through kernel32: whole reads, replacement by way of a
// flushed temporary file and MoveFileExA, and the executable's folder.
class Win32Files : public virtual platform::OsFiles {
 public:
  platform::FileReadStatus ReadWholeFile(const std::string& path, std::size_t maxBytes, std::string& bytes) override;
  bool WriteFileAtomically(const std::string& path, std::string_view bytes) override;
  std::string ProgramFolder() override;
};
