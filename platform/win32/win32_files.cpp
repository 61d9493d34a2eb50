#include "platform/win32/win32_files.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <utility>

namespace {

// A file handle from CreateFileA, closed when it goes out of scope.
class FileHandle {
 public:
  explicit FileHandle(HANDLE h) : h_(h) {}
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  ~FileHandle() { Close(); }
  bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return h_; }
  // Closing can report a write that failed late, so the writer asks.
  bool Close() { return !valid() || ::CloseHandle(std::exchange(h_, INVALID_HANDLE_VALUE)) != 0; }

 private:
  HANDLE h_;
};

platform::FileReadStatus StatusOf(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return platform::FileReadStatus::Missing;
    case ERROR_ACCESS_DENIED:
      return platform::FileReadStatus::AccessDenied;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return platform::FileReadStatus::InUse;
    default:
      return platform::FileReadStatus::Failed;
  }
}

// The folder part of a path; a drive's root keeps its backslash ("C:\").
std::string FolderOf(const std::string& path) {
  const auto at = path.find_last_of("\\/");
  if (at == std::string::npos) return std::string();
  std::string folder = path.substr(0, at);
  if (folder.size() == 2 && folder[1] == ':') folder += '\\';
  return folder;
}

bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 20));
    DWORD written = 0;
    if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

}  // namespace

platform::FileReadStatus Win32Files::ReadWholeFile(const std::string& path, std::size_t maxBytes,
                                                   std::string& bytes) {
  bytes.clear();
  // Shared for reading only: a file that another program is writing right now
  // is refused rather than read half-written.
  FileHandle file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file.valid()) return StatusOf(::GetLastError());
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.get(), &size)) return StatusOf(::GetLastError());
  if (static_cast<unsigned long long>(size.QuadPart) > maxBytes) return platform::FileReadStatus::TooLarge;

  std::string content;
  char buffer[64 * 1024];
  for (;;) {
    DWORD got = 0;
    if (!::ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) return StatusOf(::GetLastError());
    if (got == 0) break;
    content.append(buffer, got);
    // The file may have grown since its size was asked.
    if (content.size() > maxBytes) return platform::FileReadStatus::TooLarge;
  }
  bytes = std::move(content);
  return platform::FileReadStatus::Ok;
}

bool Win32Files::WriteFileAtomically(const std::string& path, std::string_view bytes) {
  // A fresh name beside the target: the move below stays within one volume.
  std::string temp;
  HANDLE created = INVALID_HANDLE_VALUE;
  for (int attempt = 0; attempt < 100 && created == INVALID_HANDLE_VALUE; ++attempt) {
    temp = path + "." + std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(attempt) + ".tmp";
    created = ::CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (created == INVALID_HANDLE_VALUE && ::GetLastError() != ERROR_FILE_EXISTS) return false;
  }
  FileHandle file(created);
  if (!file.valid()) return false;

  const bool written = WriteAll(file.get(), bytes) && ::FlushFileBuffers(file.get()) && file.Close();
  if (!written ||
      !::MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    file.Close();
    ::DeleteFileA(temp.c_str());
    return false;
  }
  return true;
}

std::string Win32Files::ProgramFolder() {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD n = ::GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return std::string();
    if (n < path.size()) {
      path.resize(n);
      return FolderOf(path);
    }
    path.resize(path.size() * 2);  // truncated: a long path
  }
}
