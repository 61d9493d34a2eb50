#pragma once
#include "platform/win32/win32_api.h"

#include "platform/os_files.h"

// The program's files through kernel32: whole reads, replacement by way of a
// flushed temporary file and MoveFileEx, and the executable's folder. The
// wide calls with UTF-8 paths on the NT family, the ANSI calls on the 9x
// family.
class Win32Files : public virtual platform::OsFiles {
 public:
  Win32Files();

  platform::FileReadStatus ReadWholeFile(const std::string& path, std::size_t maxBytes, std::string& bytes) override;
  platform::FileWriteStatus WriteFileAtomically(const std::string& path, std::string_view bytes) override;
  std::optional<platform::FileInfo> GetFileInfo(const std::string& path) override;
  bool MoveAside(const std::string& from, const std::string& to) override;
  int RemoveStaleTemporaryFiles(const std::string& path) override;
  std::string ProgramFolder() override;
  std::string ProgramFile() override;
  bool CanCreateFileIn(const std::string& folder) override;
  std::string AppDataFolder() override;
  bool CreateFolder(const std::string& path) override;

 private:
  HANDLE Open(const std::string& path, DWORD access, DWORD share, DWORD disposition, DWORD flags);
  bool Move(const std::string& from, const std::string& to);
  bool Delete(const std::string& path);
  // The file a symbolic link points to, or the path itself.
  std::string LinkTarget(const std::string& path);

  bool unicode_;
};
