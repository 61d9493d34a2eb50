#pragma once
// Files of the simulated desktop: in memory, with the faults a real disk can
// show (a file that cannot be read, a write that stops half way, a replace
// that is refused, a program killed in the middle of a save), read-only
// files and symbolic links.
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/os_files.h"

namespace sim {

// Paths compare without regard to letter case, as on Windows.
struct PathLess {
  bool operator()(const std::string& a, const std::string& b) const;
};

enum class WriteFault {
  None,
  HalfWay,  // the temporary file takes half the bytes, then the disk is full
  Denied,   // the folder may not be written to
  Replace,  // the temporary file is complete, moving it over the old one fails
  Killed,   // the program dies before the move: its temporary file stays
};

class SimFiles : public virtual platform::OsFiles {
 public:
  // ---- set-up and faults ----
  // Writes the file as another program would: its time moves on.
  void SetFile(const std::string& path, std::string bytes);
  void RemoveFile(const std::string& path);
  // A folder takes the name (a file of that name goes).
  void SetFolder(const std::string& path);
  void SetReadOnly(const std::string& path, bool readOnly);
  // `link` is a symbolic link to `target`.
  void SetLink(const std::string& link, const std::string& target);
  // Reading the file gives this result instead of its bytes (AccessDenied for
  // a file without permission, InUse for one that is locked); Ok ends that.
  void FailReads(const std::string& path, platform::FileReadStatus status);
  // The next `count` atomic writes fail in this way.
  void FailWrites(WriteFault fault, int count = 1);
  void SetProgramFolder(std::string folder) { programFolder_ = std::move(folder); }
  // No new file can be made in the folder (a read-only share, Program Files
  // for an ordinary user); its files may still be read, and written if the
  // file system lets a file be changed in place, which a save never does.
  void DenyNewFilesIn(const std::string& folder, bool deny = true);
  // The user's %APPDATA%; empty: the system has none.
  void SetAppDataFolder(std::string folder) { appData_ = std::move(folder); }

  // ---- observation ----
  std::optional<std::string> File(const std::string& path) const;
  // Every path that exists, links included.
  std::vector<std::string> Paths() const;
  int WriteAttempts() const { return writeAttempts_; }
  bool IsLink(const std::string& path) const { return links_.count(path) != 0; }

  // ---- platform::OsFiles ----
  platform::FileReadStatus ReadWholeFile(const std::string& path, std::size_t maxBytes, std::string& bytes) override;
  platform::FileWriteStatus WriteFileAtomically(const std::string& path, std::string_view bytes) override;
  std::optional<platform::FileInfo> GetFileInfo(const std::string& path) override;
  bool MoveAside(const std::string& from, const std::string& to) override;
  int RemoveStaleTemporaryFiles(const std::string& path) override;
  std::string ProgramFolder() override { return programFolder_; }
  std::string ProgramFile() override;
  bool CanCreateFileIn(const std::string& folder) override { return !deniedFolders_.count(folder); }
  std::string AppDataFolder() override { return appData_; }
  bool CreateFolder(const std::string& path) override;

 private:
  struct Entry {
    std::string bytes;
    std::uint64_t time = 0;
    bool readOnly = false;
    bool folder = false;
  };
  std::string Resolve(const std::string& path) const;

  std::map<std::string, Entry, PathLess> files_;
  std::map<std::string, std::string, PathLess> links_;
  std::map<std::string, platform::FileReadStatus, PathLess> readFaults_;
  WriteFault writeFault_ = WriteFault::None;
  int writeFaultsLeft_ = 0;
  int writeAttempts_ = 0;
  std::uint64_t clock_ = 0;
  std::string programFolder_ = "C:\\Program Files\\Tarvolo";
  std::string appData_ = "C:\\Users\\Ann\\AppData\\Roaming";
  std::set<std::string, PathLess> deniedFolders_;
};

}  // namespace sim
