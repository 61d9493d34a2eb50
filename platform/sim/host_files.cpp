#include "platform/sim/host_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <utility>
#include <vector>

namespace sim {
namespace {

class UniqueFd {
 public:
  explicit UniqueFd(int fd) : fd_(fd) {}
  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;
  ~UniqueFd() { Close(); }
  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  // Closing can report a write that failed late, so the writer asks.
  bool Close() { return fd_ < 0 || ::close(std::exchange(fd_, -1)) == 0; }

 private:
  int fd_;
};

platform::FileReadStatus StatusOf(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      return platform::FileReadStatus::Missing;
    case EACCES:
    case EPERM:
    case EISDIR:  // Windows refuses to open a folder as a file in the same way
      return platform::FileReadStatus::AccessDenied;
    case EAGAIN:
    case ETXTBSY:
      return platform::FileReadStatus::InUse;
    default:
      return platform::FileReadStatus::Failed;
  }
}

std::string FolderOf(const std::string& path) {
  const auto at = path.find_last_of('/');
  if (at == std::string::npos) return ".";
  return at == 0 ? "/" : path.substr(0, at);
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

}  // namespace

platform::FileReadStatus HostFiles::ReadWholeFile(const std::string& path, std::size_t maxBytes,
                                                  std::string& bytes) {
  bytes.clear();
  UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (!fd.valid()) return StatusOf(errno);
  struct stat info {};
  if (::fstat(fd.get(), &info) != 0) return StatusOf(errno);
  if (S_ISDIR(info.st_mode)) return platform::FileReadStatus::AccessDenied;
  if (static_cast<unsigned long long>(info.st_size) > maxBytes) return platform::FileReadStatus::TooLarge;

  std::string content;
  std::vector<char> buffer(64 * 1024);
  for (;;) {
    const ssize_t n = ::read(fd.get(), buffer.data(), buffer.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return StatusOf(errno);
    if (n == 0) break;
    content.append(buffer.data(), static_cast<std::size_t>(n));
    if (content.size() > maxBytes) return platform::FileReadStatus::TooLarge;
  }
  bytes = std::move(content);
  return platform::FileReadStatus::Ok;
}

bool HostFiles::WriteFileAtomically(const std::string& path, std::string_view bytes) {
  std::string temp = path + ".XXXXXX";
  UniqueFd fd(::mkstemp(temp.data()));
  if (!fd.valid()) return false;
  // The new file keeps the old one's permissions; a first file gets the usual ones.
  struct stat old {};
  mode_t mode = 0644;
  if (::stat(path.c_str(), &old) == 0) mode = old.st_mode & 07777;
  const bool written =
      ::fchmod(fd.get(), mode) == 0 && WriteAll(fd.get(), bytes) && ::fsync(fd.get()) == 0 && fd.Close();
  if (!written || ::rename(temp.c_str(), path.c_str()) != 0) {
    fd.Close();
    ::unlink(temp.c_str());
    return false;
  }
  // The rename itself reaches the disk with the folder.
  UniqueFd folder(::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.valid()) ::fsync(folder.get());
  return true;
}

}  // namespace sim
