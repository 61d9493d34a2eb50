#include "store/ini_document.h"

#include <functional>

namespace {

IniLoadResult ResultOf(platform::FileReadStatus status) {
  switch (status) {
    case platform::FileReadStatus::Ok:
      return IniLoadResult::Loaded;
    case platform::FileReadStatus::Missing:
      return IniLoadResult::Missing;
    case platform::FileReadStatus::AccessDenied:
      return IniLoadResult::AccessDenied;
    case platform::FileReadStatus::InUse:
      return IniLoadResult::InUse;
    case platform::FileReadStatus::TooLarge:
      return IniLoadResult::TooLarge;
    case platform::FileReadStatus::Folder:
      return IniLoadResult::Folder;
    case platform::FileReadStatus::Failed:
      break;
  }
  return IniLoadResult::ReadFailed;
}
}  // namespace

IniLoadResult IniDocument::Load(const std::string& path) {
  LoadText("");
  path_.clear();
  encoding_ = FileEncoding::Ansi;
  keepOriginal_ = false;
  if (files_ == nullptr) return IniLoadResult::ReadFailed;
  std::string bytes;
  IniLoadResult result = ResultOf(files_->ReadWholeFile(path, maxFileBytes_, bytes));
  if (result == IniLoadResult::Loaded && !LooksLikeText(bytes)) result = IniLoadResult::NotText;
  if (result == IniLoadResult::Loaded) {
    const DecodedFile file = DecodeFile(bytes, *text_);
    LoadText(file.text);
    encoding_ = file.encoding;
    keepOriginal_ = !file.exact;
  }
  // A missing file is made by the first save; any other failure means a file
  // is there that the program must not destroy.
  if (result == IniLoadResult::Loaded || result == IniLoadResult::Missing) path_ = path;
  onDisk_.reset();
  if (result == IniLoadResult::Loaded) onDisk_ = FingerprintOf(bytes);
  TakeStamp();
  return result;
}

void IniDocument::LoadText(std::string_view text) {
  sections_ = IniSections();
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t stop = text.find_first_of("\r\n", start);
    IniLine line;
    if (stop == std::string_view::npos) {
      line.text = std::string(text.substr(start));
      start = text.size();
    } else {
      const std::size_t endLength = (text[stop] == '\r' && stop + 1 < text.size() && text[stop + 1] == '\n') ? 2 : 1;
      line.text = std::string(text.substr(start, stop - start));
      line.end = std::string(text.substr(stop, endLength));
      start = stop + endLength;
    }
    std::string name;
    if (ParseSectionHeader(line.text, name))
      sections_.AppendParsedSection(std::move(name), std::move(line));
    else if (IniSection* current = sections_.Last())
      current->Keys().AppendLine(std::move(line));
    else
      sections_.AppendPreambleLine(std::move(line));
  }
}

std::string IniDocument::Text() const {
  std::string text;
  const auto lines = sections_.Lines();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    text += lines[i]->text;
    // A last line without an end gets one once something follows it.
    text += (lines[i]->end.empty() && i + 1 < lines.size()) ? std::string("\r\n") : lines[i]->end;
  }
  return text;
}

bool IniDocument::FitsItsEncoding() const {
  return text_ != nullptr && EncodeFile(Text(), encoding_, *text_).has_value();
}

IniDocument::Fingerprint IniDocument::FingerprintOf(std::string_view bytes) {
  return {std::hash<std::string_view>()(bytes), bytes.size()};
}

namespace {
bool SameStamp(const std::optional<platform::FileInfo>& a, const std::optional<platform::FileInfo>& b) {
  if (!a || !b) return !a && !b;
  return a->size == b->size && a->lastWrite == b->lastWrite && a->folder == b->folder;
}
}  // namespace

void IniDocument::TakeStamp() {
  stamp_ = CanSave() ? files_->GetFileInfo(path_) : std::nullopt;
  lastSeen_.reset();
}

bool IniDocument::StampChangedAndSettled() {
  if (!CanSave()) return false;
  const std::optional<platform::FileInfo> now = files_->GetFileInfo(path_);
  if (SameStamp(now, stamp_)) {
    lastSeen_.reset();
    return false;
  }
  const bool settled = lastSeen_ && SameStamp(now, *lastSeen_);
  lastSeen_ = now;
  return settled;
}

bool IniDocument::ChangedOnDisk() {
  if (!CanSave()) return false;
  std::string bytes;
  switch (files_->ReadWholeFile(path_, maxFileBytes_, bytes)) {
    case platform::FileReadStatus::Ok:
      return !onDisk_ || FingerprintOf(bytes) != *onDisk_;
    case platform::FileReadStatus::Missing:
      return onDisk_.has_value();
    default:
      // Being written, or made unreadable: not the file this document knows.
      return true;
  }
}

IniSaveResult IniDocument::Save() {
  IniSaveResult result;
  if (!CanSave()) return result;
  const EncodedFile file = EncodeFileOrUtf8(Text(), encoding_, *text_);
  const std::string& bytes = file.bytes;
  if (bytes.size() > maxFileBytes_) {
    result.status = IniSaveStatus::TooLarge;
    return result;
  }
  if (const auto info = files_->GetFileInfo(path_); info && info->readOnly) {
    result.status = IniSaveStatus::ReadOnly;
    return result;
  }

  // Whatever is on the disk in place of what was read last is kept aside
  // before it is written over: someone else's edit, a file whose lines this
  // save cannot give back as they were, and whatever took the file's place
  // that cannot be read as settings (random bytes, a huge file, a folder),
  // which is not obeyed but must not block every save either.
  std::string disk;
  result.status = IniSaveStatus::Failed;
  const auto keepAside = [&](IniBackupReason reason, bool move) {
    const std::string backup = BackupPathFor(*files_, path_);
    const bool kept = !backup.empty() && (move ? files_->MoveAside(path_, backup)
                                               : files_->WriteFileAtomically(backup, disk) ==
                                                     platform::FileWriteStatus::Written);
    if (!kept) {
      result.cause = IniSaveCause::NoBackup;
      return false;
    }
    result.backupPath = backup;
    result.backupReason = reason;
    return true;
  };
  switch (files_->ReadWholeFile(path_, maxFileBytes_, disk)) {
    case platform::FileReadStatus::Ok: {
      const bool changed = !onDisk_ || FingerprintOf(disk) != *onDisk_;
      if (changed && !LooksLikeText(disk)) {
        if (!keepAside(IniBackupReason::NotText, false)) return result;
      } else if (changed || (keepOriginal_ && disk != bytes)) {
        if (!keepAside(changed ? IniBackupReason::ChangedMeanwhile : IniBackupReason::NotReadExactly, false))
          return result;
      }
      break;
    }
    case platform::FileReadStatus::Missing:
      break;
    case platform::FileReadStatus::TooLarge:
      // Renamed rather than copied: it may be larger than any disk has room
      // for twice.
      if (!keepAside(IniBackupReason::TooLarge, true)) return result;
      break;
    case platform::FileReadStatus::Folder:
      // Renamed, never deleted: whatever the folder holds is someone's.
      if (!keepAside(IniBackupReason::Folder, true)) return result;
      break;
    case platform::FileReadStatus::AccessDenied:
      result.cause = IniSaveCause::AccessDenied;
      return result;
    case platform::FileReadStatus::InUse:
      result.cause = IniSaveCause::InUse;
      return result;
    case platform::FileReadStatus::Failed:
      // What it holds now cannot be read, so it cannot be kept: it stays.
      return result;
  }

  switch (files_->WriteFileAtomically(path_, bytes)) {
    case platform::FileWriteStatus::Written:
      onDisk_ = FingerprintOf(bytes);
      encoding_ = file.encoding;
      keepOriginal_ = false;
      TakeStamp();
      result.status = IniSaveStatus::Saved;
      break;
    case platform::FileWriteStatus::ReadOnly:
      result.status = IniSaveStatus::ReadOnly;
      break;
    case platform::FileWriteStatus::AccessDenied:
      result.cause = IniSaveCause::AccessDenied;
      break;
    case platform::FileWriteStatus::DiskFull:
      result.cause = IniSaveCause::DiskFull;
      break;
    case platform::FileWriteStatus::Failed:
      break;
  }
  return result;
}

std::string BackupPathFor(platform::OsFiles& files, const std::string& path) {
  for (int n = 1; n < 1000; ++n) {
    std::string candidate = path;
    if (n > 1) candidate.append(".").append(std::to_string(n));
    candidate.append(".bak");
    if (!files.GetFileInfo(candidate)) return candidate;
  }
  return std::string();
}
