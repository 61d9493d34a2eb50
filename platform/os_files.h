#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

enum class FileReadStatus {
  Ok,
  Missing,       // no such file (or no such folder)
  AccessDenied,  // there, but this user may not read it
  Folder,        // a folder has the file's name
  InUse,         // another program holds it locked
  TooLarge,      // bigger than the caller is willing to take
  Failed,        // any other error while opening or reading
};

enum class FileWriteStatus {
  Written,
  ReadOnly,      // the file (or the one a link points to) is marked read-only: not touched
  AccessDenied,  // this user may not write the file or create one in its folder
  DiskFull,      // no room on the disk for the new file
  Failed,        // anything else; in every case the file is as it was
};

struct FileInfo {
  std::uint64_t size = 0;
  std::uint64_t lastWrite = 0;  // in the system's own units; only compared
  bool readOnly = false;
  bool folder = false;  // a folder by that name
};

// The program's own files: reading one whole, replacing one safely, and the
// folder the executable lies in.
//
// Paths are UTF-8 text like all the program's text, made from ProgramFolder
// and handed back: on the NT family they name a folder in any script, on the
// 9x family they hold what its ANSI code page holds.
class OsFiles {
 public:
  virtual ~OsFiles() = default;

  // Reads the whole file; bytes is left empty unless the result is Ok. A file
  // larger than maxBytes is not read.
  virtual FileReadStatus ReadWholeFile(const std::string& path, std::size_t maxBytes, std::string& bytes) = 0;

  // Writes bytes to a temporary file in the folder of the file and flushes
  // it to the disk, and only then moves it over the file, so that a crash, a
  // full disk or a power cut leaves either the old file or the new one. A
  // symbolic link is written through: its target gets the new bytes and the
  // link stays. A read-only file is never replaced. On failure the file is
  // untouched and the temporary file is gone.
  virtual FileWriteStatus WriteFileAtomically(const std::string& path, std::string_view bytes) = 0;

  // Size, time and read-only mark of a file (of a link's target), or that a
  // folder has the name; nothing when there is neither.
  virtual std::optional<FileInfo> GetFileInfo(const std::string& path) = 0;

  // Renames a file, or a folder, to a name nothing has yet; never replaces
  // anything. False when it could not.
  virtual bool MoveAside(const std::string& from, const std::string& to) = 0;
  // Removes the temporary files that interrupted WriteFileAtomically calls
  // for this path left beside it (killed, power cut). Only call it when no
  // other writer of the file can be running. The number removed.
  virtual int RemoveStaleTemporaryFiles(const std::string& path) = 0;

  // The folder holding the program's executable, without a trailing
  // separator except at a drive's root.
  virtual std::string ProgramFolder() = 0;
  // The executable's own full path.
  virtual std::string ProgramFile() = 0;

  // Whether a new file can be made in the folder now (a read-only share,
  // Program Files for an ordinary user: no). Tried with a file that is gone
  // again at once.
  virtual bool CanCreateFileIn(const std::string& folder) = 0;
  // The user's own folder for programs' data (%APPDATA%); empty when the
  // system has none.
  virtual std::string AppDataFolder() = 0;
  // Makes the folder (its parent must be there). True when it is there now.
  virtual bool CreateFolder(const std::string& path) = 0;
};

}  // namespace platform
