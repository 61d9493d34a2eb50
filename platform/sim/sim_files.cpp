#include "platform/sim/sim_files.h"

#include <algorithm>

namespace sim {

bool PathLess::operator()(const std::string& a, const std::string& b) const {
  const auto upper = [](unsigned char c) { return (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c; };
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [&](char x, char y) { return upper(x) < upper(y); });
}

void SimFiles::SetFile(const std::string& path, std::string bytes) { files_[path] = std::move(bytes); }

void SimFiles::RemoveFile(const std::string& path) { files_.erase(path); }

void SimFiles::FailReads(const std::string& path, platform::FileReadStatus status) { readFaults_[path] = status; }

void SimFiles::FailWrites(WriteFault fault, int count) {
  writeFault_ = fault;
  writeFaultsLeft_ = count;
}

std::optional<std::string> SimFiles::File(const std::string& path) const {
  const auto it = files_.find(path);
  if (it == files_.end()) return std::nullopt;
  return it->second;
}

std::vector<std::string> SimFiles::Paths() const {
  std::vector<std::string> paths;
  for (const auto& [path, bytes] : files_) paths.push_back(path);
  return paths;
}

platform::FileReadStatus SimFiles::ReadWholeFile(const std::string& path, std::size_t maxBytes,
                                                 std::string& bytes) {
  bytes.clear();
  const auto fault = readFaults_.find(path);
  if (fault != readFaults_.end()) return fault->second;
  const auto it = files_.find(path);
  if (it == files_.end()) return platform::FileReadStatus::Missing;
  if (it->second.size() > maxBytes) return platform::FileReadStatus::TooLarge;
  bytes = it->second;
  return platform::FileReadStatus::Ok;
}

bool SimFiles::WriteFileAtomically(const std::string& path, std::string_view bytes) {
  ++writeAttempts_;
  const WriteFault fault = writeFaultsLeft_ > 0 ? writeFault_ : WriteFault::None;
  if (writeFaultsLeft_ > 0) --writeFaultsLeft_;

  // Either fault happens before the move, so the old file stays as it was and
  // the writer removes its temporary file, as the real implementations do.
  if (fault != WriteFault::None) return false;
  files_[path] = std::string(bytes);
  return true;
}

}  // namespace sim
