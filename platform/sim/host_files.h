#pragma once
// The program's files on the real file system of the machine the native tests
// run on (POSIX): the same steps as the Windows implementation, with rename(2)
// in place of MoveFileExA. The program folder is whatever the test chooses.
#include <string>

#include "platform/os_files.h"

namespace sim {

class HostFiles : public virtual platform::OsFiles {
 public:
  explicit HostFiles(std::string programFolder = ".") : programFolder_(std::move(programFolder)) {}

  platform::FileReadStatus ReadWholeFile(const std::string& path, std::size_t maxBytes, std::string& bytes) override;
  bool WriteFileAtomically(const std::string& path, std::string_view bytes) override;
  std::string ProgramFolder() override { return programFolder_; }

 private:
  std::string programFolder_;
};

}  // namespace sim
