#include "platform/win32/win32_files.h"

#include "platform/win32/win32_api.h"

#include "platform/win32/win32_text.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <utility>
#include <vector>

namespace {

// A file handle from CreateFile, closed when it goes out of scope.
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

class FindHandle {
 public:
  explicit FindHandle(HANDLE h) : h_(h) {}
  FindHandle(const FindHandle&) = delete;
  FindHandle& operator=(const FindHandle&) = delete;
  ~FindHandle() {
    if (valid()) ::FindClose(h_);
  }
  bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return h_; }

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

platform::FileWriteStatus WriteStatusOf(DWORD error) {
  switch (error) {
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
      return platform::FileWriteStatus::AccessDenied;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return platform::FileWriteStatus::DiskFull;
    default:
      return platform::FileWriteStatus::Failed;
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

std::string NameOf(const std::string& path) {
  const auto at = path.find_last_of("\\/");
  return at == std::string::npos ? path : path.substr(at + 1);
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

using platform::win32::FromAnsi;
using platform::win32::ToAnsi;

std::wstring Wide(const std::string& utf8) { return platform::win32::Widen(utf8); }

// A temporary file of WriteFileAtomically for `name`: name.<digits>-<digits>.tmp
bool IsTemporaryOf(const std::string& candidate, const std::string& name) {
  if (candidate.size() <= name.size() + 1) return false;
  const auto upper = [](std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
  };
  if (upper(candidate.substr(0, name.size() + 1)) != upper(name + ".")) return false;
  std::string rest = candidate.substr(name.size() + 1);
  if (!rest.ends_with(".tmp")) return false;
  rest.resize(rest.size() - 4);
  const auto dash = rest.find('-');
  if (dash == std::string::npos || dash == 0 || dash + 1 == rest.size()) return false;
  return std::all_of(rest.begin(), rest.end(),
                     [](char c) { return c == '-' || std::isdigit(static_cast<unsigned char>(c)); }) &&
         rest.find('-', dash + 1) == std::string::npos;
}

using FinalPathFn = DWORD(WINAPI*)(HANDLE, LPWSTR, DWORD, DWORD);

// A call of shell32 that older shells lack; null when this one has not.
template <typename Fn>
Fn ShellCall(const char* name) {
  const HMODULE shell = ::GetModuleHandleA("shell32.dll");
  return shell ? reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(shell, name))) : nullptr;
}

}  // namespace

// The NT family has Unicode file names; the 9x family has only the ANSI calls.
Win32Files::Win32Files() : unicode_(platform::win32::IsNt()) {}

HANDLE Win32Files::Open(const std::string& path, DWORD access, DWORD share, DWORD disposition, DWORD flags) {
  return unicode_ ? ::CreateFileW(Wide(path).c_str(), access, share, nullptr, disposition, flags, nullptr)
                  : ::CreateFileA(ToAnsi(path).c_str(), access, share, nullptr, disposition, flags, nullptr);
}

bool Win32Files::Move(const std::string& from, const std::string& to) {
  constexpr DWORD kFlags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
  return unicode_ ? ::MoveFileExW(Wide(from).c_str(), Wide(to).c_str(), kFlags) != 0
                  : ::MoveFileExA(ToAnsi(from).c_str(), ToAnsi(to).c_str(), kFlags) != 0;
}

bool Win32Files::Delete(const std::string& path) {
  return unicode_ ? ::DeleteFileW(Wide(path).c_str()) != 0 : ::DeleteFileA(ToAnsi(path).c_str()) != 0;
}

std::string Win32Files::LinkTarget(const std::string& path) {
  // Windows before Vista has no symbolic links to files, nor this call.
  static const auto finalPath = reinterpret_cast<FinalPathFn>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "GetFinalPathNameByHandleW")));
  if (!unicode_ || finalPath == nullptr) return path;
  FileHandle file(Open(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING,
                       FILE_FLAG_BACKUP_SEMANTICS));
  if (!file.valid()) return path;
  std::wstring buffer(MAX_PATH, L'\0');
  DWORD n = finalPath(file.get(), buffer.data(), static_cast<DWORD>(buffer.size()), 0);
  if (n >= buffer.size()) {
    buffer.resize(n + 1);
    n = finalPath(file.get(), buffer.data(), static_cast<DWORD>(buffer.size()), 0);
  }
  if (n == 0 || n >= buffer.size()) return path;
  buffer.resize(n);
  if (buffer.starts_with(L"\\\\?\\UNC\\"))
    buffer = L"\\\\" + buffer.substr(8);
  else if (buffer.starts_with(L"\\\\?\\"))
    buffer = buffer.substr(4);
  return platform::win32::Narrow(buffer);
}

platform::FileReadStatus Win32Files::ReadWholeFile(const std::string& path, std::size_t maxBytes,
                                                   std::string& bytes) {
  bytes.clear();
  // Shared for reading only: a file that another program is writing right now
  // is refused rather than read half-written.
  FileHandle file(Open(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN));
  if (!file.valid()) {
    const DWORD error = ::GetLastError();
    // Opening a folder as a file is refused like a file without permission.
    if (const auto info = GetFileInfo(path); info && info->folder) return platform::FileReadStatus::Folder;
    return StatusOf(error);
  }
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

platform::FileWriteStatus Win32Files::WriteFileAtomically(const std::string& path, std::string_view bytes) {
  // Moving a new file over a link would replace the link: the target is the
  // file to replace.
  const std::string target = LinkTarget(path);
  // Wine's MoveFileEx replaces a read-only file, so that cannot be left to
  // the move to refuse.
  if (const auto info = GetFileInfo(target); info && info->readOnly) return platform::FileWriteStatus::ReadOnly;

  // A fresh name beside the target: the move below stays within one volume.
  std::string temp;
  HANDLE created = INVALID_HANDLE_VALUE;
  for (int attempt = 0; attempt < 100 && created == INVALID_HANDLE_VALUE; ++attempt) {
    temp = target + "." + std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(attempt) + ".tmp";
    created = Open(temp, GENERIC_WRITE, 0, CREATE_NEW, FILE_ATTRIBUTE_NORMAL);
    if (created == INVALID_HANDLE_VALUE && ::GetLastError() != ERROR_FILE_EXISTS) return WriteStatusOf(::GetLastError());
  }
  FileHandle file(created);
  if (!file.valid()) return platform::FileWriteStatus::Failed;

  const bool written = WriteAll(file.get(), bytes) && ::FlushFileBuffers(file.get()) && file.Close();
  if (!written || !Move(temp, target)) {
    const DWORD error = ::GetLastError();
    file.Close();
    Delete(temp);
    return WriteStatusOf(error);
  }
  return platform::FileWriteStatus::Written;
}

std::optional<platform::FileInfo> Win32Files::GetFileInfo(const std::string& path) {
  // Through a handle, so that a link answers for its target.
  FileHandle file(Open(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING, 0));
  BY_HANDLE_FILE_INFORMATION data{};
  if (!file.valid() || !::GetFileInformationByHandle(file.get(), &data)) {
    // Windows 95 cannot open a file without asking for access; its attributes do.
    WIN32_FILE_ATTRIBUTE_DATA attributes{};
    const BOOL ok = unicode_ ? ::GetFileAttributesExW(Wide(path).c_str(), GetFileExInfoStandard, &attributes)
                             : ::GetFileAttributesExA(ToAnsi(path).c_str(), GetFileExInfoStandard, &attributes);
    if (!ok) return std::nullopt;
    data.dwFileAttributes = attributes.dwFileAttributes;
    data.nFileSizeHigh = attributes.nFileSizeHigh;
    data.nFileSizeLow = attributes.nFileSizeLow;
    data.ftLastWriteTime = attributes.ftLastWriteTime;
  }
  platform::FileInfo info;
  info.folder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  info.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  info.lastWrite = (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                   data.ftLastWriteTime.dwLowDateTime;
  info.readOnly = (data.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
  return info;
}

bool Win32Files::MoveAside(const std::string& from, const std::string& to) {
  // MoveFile renames folders too and never replaces what has the new name.
  return unicode_ ? ::MoveFileW(Wide(from).c_str(), Wide(to).c_str()) != 0
                  : ::MoveFileA(ToAnsi(from).c_str(), ToAnsi(to).c_str()) != 0;
}

int Win32Files::RemoveStaleTemporaryFiles(const std::string& path) {
  const std::string target = LinkTarget(path);
  const std::string folder = FolderOf(target);
  const std::string name = NameOf(target);
  const std::string pattern = (folder.ends_with('\\') ? folder : folder + "\\") + name + ".*.tmp";
  std::vector<std::string> stale;
  if (unicode_) {
    WIN32_FIND_DATAW data;
    FindHandle find(::FindFirstFileW(Wide(pattern).c_str(), &data));
    if (find.valid()) do {
        const std::string found = platform::win32::Narrow(data.cFileName);
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 && IsTemporaryOf(found, name))
          stale.push_back(found);
      } while (::FindNextFileW(find.get(), &data));
  } else {
    WIN32_FIND_DATAA data;
    FindHandle find(::FindFirstFileA(ToAnsi(pattern).c_str(), &data));
    if (find.valid()) do {
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 && IsTemporaryOf(FromAnsi(data.cFileName), name))
          stale.push_back(FromAnsi(data.cFileName));
      } while (::FindNextFileA(find.get(), &data));
  }
  int removed = 0;
  for (const std::string& file : stale)
    if (Delete((folder.ends_with('\\') ? folder : folder + "\\") + file)) ++removed;
  return removed;
}

std::string Win32Files::ProgramFolder() { return FolderOf(ProgramFile()); }

std::string Win32Files::ProgramFile() {
  if (unicode_) {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
      const DWORD n = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
      if (n == 0) return std::string();
      if (n < path.size()) {
        path.resize(n);
        return platform::win32::Narrow(path);
      }
      path.resize(path.size() * 2);  // truncated: a long path
    }
  }
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD n = ::GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return std::string();
    if (n < path.size()) {
      path.resize(n);
      return FromAnsi(path);
    }
    path.resize(path.size() * 2);
  }
}

bool Win32Files::CanCreateFileIn(const std::string& folder) {
  const std::string base = (folder.ends_with('\\') ? folder : folder + "\\") + "Tarvolo." +
                           std::to_string(::GetCurrentProcessId()) + "-";
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string probe = base + std::to_string(attempt) + ".probe";
    FileHandle file(Open(probe, GENERIC_WRITE, 0, CREATE_NEW, FILE_ATTRIBUTE_TEMPORARY));
    if (file.valid()) {
      file.Close();
      Delete(probe);
      return true;
    }
    if (::GetLastError() != ERROR_FILE_EXISTS) return false;
  }
  return false;
}

std::string Win32Files::AppDataFolder() {
  // The shell's own answer follows a folder the user has moved; it came with
  // Internet Explorer 4's shell, so it is looked up. Without it, the
  // environment's.
  constexpr int kCsidlAppData = 0x1A;
  if (unicode_) {
    const auto get = ShellCall<BOOL(WINAPI*)(HWND, LPWSTR, int, BOOL)>("SHGetSpecialFolderPathW");
    wchar_t path[MAX_PATH] = {};
    if (get && get(nullptr, path, kCsidlAppData, FALSE) && path[0] != 0) return platform::win32::Narrow(path);
    const DWORD n = ::GetEnvironmentVariableW(L"APPDATA", path, MAX_PATH);
    return n > 0 && n < MAX_PATH ? platform::win32::Narrow(path) : std::string();
  }
  const auto get = ShellCall<BOOL(WINAPI*)(HWND, LPSTR, int, BOOL)>("SHGetSpecialFolderPathA");
  char path[MAX_PATH] = {};
  if (get && get(nullptr, path, kCsidlAppData, FALSE) && path[0] != 0) return FromAnsi(path);
  const DWORD n = ::GetEnvironmentVariableA("APPDATA", path, MAX_PATH);
  return n > 0 && n < MAX_PATH ? FromAnsi(path) : std::string();
}

bool Win32Files::CreateFolder(const std::string& path) {
  const BOOL made = unicode_ ? ::CreateDirectoryW(Wide(path).c_str(), nullptr)
                             : ::CreateDirectoryA(ToAnsi(path).c_str(), nullptr);
  if (made) return true;
  const auto info = GetFileInfo(path);
  return info && info->folder;
}
