#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

enum class FileReadStatus {
  Ok,
  Missing,       // no such file (or no such folder)
  AccessDenied,  // there, but this user may not read it (or it is a folder)
  InUse,         // another program holds it locked
  TooLarge,      // bigger than the caller is willing to take
  Failed,        // any other error while opening or reading
};

// The program's own files: reading one whole, replacing one safely, and the
// folder the executable lies in.
class OsFiles {
 public:
  virtual ~OsFiles() = default;

  // Reads the whole file; bytes is left empty unless the result is Ok. A file
  // larger than maxBytes is not read.
  virtual FileReadStatus ReadWholeFile(const std::string& path, std::size_t maxBytes, std::string& bytes) = 0;

  // Writes bytes to a temporary file in path's folder, flushes it to the disk
  // and only then moves it over path, so that a crash, a full disk or a power
  // cut leaves either the old file or the new one. On failure path is
  // untouched and the temporary file is gone.
  virtual bool WriteFileAtomically(const std::string& path, std::string_view bytes) = 0;

  // The folder holding the program's executable (the directory part of
  // GetModuleFileNameA), without a trailing separator except at a drive's root.
  virtual std::string ProgramFolder() = 0;
};

}  // namespace platform
