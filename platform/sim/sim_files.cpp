#include "platform/sim/sim_files.h"

#include <algorithm>

namespace sim {

namespace {
// The simulated program's process id, in its temporary files' names.
constexpr const char* kTempInfix = ".4242-";

std::string FolderOf(const std::string& path) {
  const auto at = path.find_last_of('\\');
  return at == std::string::npos ? std::string() : path.substr(0, at == 2 && path[1] == ':' ? 3 : at);
}
}  // namespace

bool PathLess::operator()(const std::string& a, const std::string& b) const {
  const auto upper = [](unsigned char c) { return (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c; };
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [&](char x, char y) { return upper(x) < upper(y); });
}

std::string SimFiles::Resolve(const std::string& path) const {
  const auto link = links_.find(path);
  return link == links_.end() ? path : link->second;
}

void SimFiles::SetFile(const std::string& path, std::string bytes) {
  Entry& entry = files_[Resolve(path)];
  entry.bytes = std::move(bytes);
  entry.time = ++clock_;
}

void SimFiles::RemoveFile(const std::string& path) {
  links_.erase(path);
  files_.erase(path);
}

void SimFiles::SetFolder(const std::string& path) {
  links_.erase(path);
  files_[path] = {"", ++clock_, false, true};
}

void SimFiles::SetReadOnly(const std::string& path, bool readOnly) { files_[Resolve(path)].readOnly = readOnly; }

void SimFiles::DenyNewFilesIn(const std::string& folder, bool deny) {
  if (deny)
    deniedFolders_.insert(folder);
  else
    deniedFolders_.erase(folder);
}

std::string SimFiles::ProgramFile() {
  return programFolder_ + (programFolder_.ends_with('\\') ? "" : "\\") + "tarvolo.exe";
}

bool SimFiles::CreateFolder(const std::string& path) {
  const auto it = files_.find(path);
  if (it != files_.end()) return it->second.folder;
  if (!CanCreateFileIn(FolderOf(path))) return false;
  SetFolder(path);
  return true;
}

void SimFiles::SetLink(const std::string& link, const std::string& target) { links_[link] = target; }

void SimFiles::FailReads(const std::string& path, platform::FileReadStatus status) {
  if (status == platform::FileReadStatus::Ok)
    readFaults_.erase(path);
  else
    readFaults_[path] = status;
}

void SimFiles::FailWrites(WriteFault fault, int count) {
  writeFault_ = fault;
  writeFaultsLeft_ = count;
}

std::optional<std::string> SimFiles::File(const std::string& path) const {
  const auto it = files_.find(Resolve(path));
  if (it == files_.end()) return std::nullopt;
  return it->second.bytes;
}

std::vector<std::string> SimFiles::Paths() const {
  std::vector<std::string> paths;
  for (const auto& [path, entry] : files_) paths.push_back(path);
  for (const auto& [link, target] : links_) paths.push_back(link);
  std::sort(paths.begin(), paths.end(), PathLess());
  return paths;
}

platform::FileReadStatus SimFiles::ReadWholeFile(const std::string& path, std::size_t maxBytes,
                                                 std::string& bytes) {
  bytes.clear();
  const auto fault = readFaults_.find(path);
  if (fault != readFaults_.end()) return fault->second;
  const auto it = files_.find(Resolve(path));
  if (it == files_.end()) return platform::FileReadStatus::Missing;
  if (it->second.folder) return platform::FileReadStatus::Folder;
  if (it->second.bytes.size() > maxBytes) return platform::FileReadStatus::TooLarge;
  bytes = it->second.bytes;
  return platform::FileReadStatus::Ok;
}

platform::FileWriteStatus SimFiles::WriteFileAtomically(const std::string& path, std::string_view bytes) {
  ++writeAttempts_;
  const std::string target = Resolve(path);
  const auto existing = files_.find(target);
  if (existing != files_.end() && existing->second.readOnly) return platform::FileWriteStatus::ReadOnly;
  // Windows will not move a file over a folder.
  if (existing != files_.end() && existing->second.folder) return platform::FileWriteStatus::AccessDenied;
  // The temporary file is a new one in the folder.
  if (!CanCreateFileIn(FolderOf(target))) return platform::FileWriteStatus::AccessDenied;

  const WriteFault fault = writeFaultsLeft_ > 0 ? writeFault_ : WriteFault::None;
  if (writeFaultsLeft_ > 0) --writeFaultsLeft_;
  // Every fault happens before the move, so the old file stays as it was;
  // only a killed program leaves its temporary file behind.
  if (fault == WriteFault::Killed) {
    int n = 0;
    while (files_.count(target + kTempInfix + std::to_string(n) + ".tmp")) ++n;
    files_[target + kTempInfix + std::to_string(n) + ".tmp"] = {std::string(bytes.substr(0, bytes.size() / 2)),
                                                                ++clock_, false};
  }
  if (fault == WriteFault::HalfWay) return platform::FileWriteStatus::DiskFull;
  if (fault == WriteFault::Denied) return platform::FileWriteStatus::AccessDenied;
  if (fault != WriteFault::None) return platform::FileWriteStatus::Failed;
  Entry& entry = files_[target];
  entry.bytes = std::string(bytes);
  entry.time = ++clock_;
  return platform::FileWriteStatus::Written;
}

std::optional<platform::FileInfo> SimFiles::GetFileInfo(const std::string& path) {
  const auto it = files_.find(Resolve(path));
  if (it == files_.end()) return std::nullopt;
  return platform::FileInfo{it->second.bytes.size(), it->second.time, it->second.readOnly, it->second.folder};
}

bool SimFiles::MoveAside(const std::string& from, const std::string& to) {
  const auto it = files_.find(from);
  if (it == files_.end() || files_.count(to) || links_.count(to) || !CanCreateFileIn(FolderOf(to))) return false;
  Entry moved = it->second;
  files_.erase(it);
  files_[to] = moved;
  return true;
}

int SimFiles::RemoveStaleTemporaryFiles(const std::string& path) {
  const std::string prefix = Resolve(path) + ".";
  int removed = 0;
  for (auto it = files_.begin(); it != files_.end();) {
    const std::string& name = it->first;
    const bool temporary = name.size() > prefix.size() && !PathLess()(name.substr(0, prefix.size()), prefix) &&
                           !PathLess()(prefix, name.substr(0, prefix.size())) && name.ends_with(".tmp") &&
                           name.find('-', prefix.size()) != std::string::npos;
    if (temporary) {
      it = files_.erase(it);
      ++removed;
    } else {
      ++it;
    }
  }
  return removed;
}

}  // namespace sim
