#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/os_files.h"
#include "store/ini_sections.h"

enum class IniLoadResult {
  Loaded,
  Missing,
  AccessDenied,
  InUse,
  TooLarge,
  NotText,  // NUL bytes or a UTF-16/UTF-32 byte-order mark
  ReadFailed,
};

enum class IniSaveStatus {
  Saved,
  NoFile,    // nowhere to write: an in-memory document or a file not to be touched
  ReadOnly,  // the file is marked read-only and was left alone
  TooLarge,  // the document has grown past what a load accepts; not written
  Failed,    // the write (or the backup of a changed file) failed; the file is as it was
};

struct IniSaveResult {
  IniSaveStatus status = IniSaveStatus::NoFile;
  // Where the file as someone else had changed it was kept before the save
  // wrote over it; empty when it was as loaded or last saved.
  std::string backupPath;
  bool Saved() const { return status == IniSaveStatus::Saved; }
  explicit operator bool() const { return Saved(); }
};

// A conventional Windows INI file held as sections with named keys: "[Section]"
// lines, "Key=Value" lines, ";" comments. Names are found without regard to
// letter case. LF, CRLF and CR line ends are read, and CRLF is written for new
// lines; a UTF-8 byte-order mark is kept. Every line the program does not
// change (comments, blank lines, unknown sections and keys) is written back
// byte for byte as it was read.
class IniDocument {
 public:
  // Larger files are refused as not ours, and a save never writes more, so
  // that whatever the program writes it reads again. A setting takes about
  // 300 bytes, so this is room for some thirty thousand settings, and loads
  // and saves in about a second.
  static constexpr std::size_t kMaxFileBytes = 8 * 1024 * 1024;

  // A document in memory only; Save has nowhere to write.
  IniDocument() = default;
  // A smaller limit than kMaxFileBytes makes the limit's rules cheap to try.
  explicit IniDocument(platform::OsFiles& files, std::size_t maxFileBytes = kMaxFileBytes)
      : files_(&files), maxFileBytes_(maxFileBytes) {}

  // Reads the file into sections and keys. The document remembers the path
  // for Save unless the file was there but could not be read: such a file is
  // never written over. Whatever the result, the document starts empty.
  IniLoadResult Load(const std::string& path);
  // Replaces the content by this text; the path and whether it may be
  // written stay as they are.
  void LoadText(std::string_view text);

  IniSections& Sections() { return sections_; }
  const IniSections& Sections() const { return sections_; }

  // Writes the whole document back to the file it was loaded from, in one
  // step (see platform::OsFiles). Unless saved, the file on the disk is
  // unchanged. When the file on the disk is no longer the one loaded or last
  // saved (someone edited it meanwhile), that version is first kept beside
  // it under a name no other file has (see BackupPathFor).
  IniSaveResult Save();
  // True when the file on the disk differs from the one loaded or last
  // saved: changed, made or removed by someone else.
  bool ChangedOnDisk();
  // A cheap look at the file's size and time: true when they differ from
  // those at the load or last save and are the same as at the previous
  // call, so that a file someone is still writing is not taken half-way.
  bool StampChangedAndSettled();
  // The document as the file's bytes.
  std::string Text() const;

  const std::string& Path() const { return path_; }
  platform::OsFiles* Files() const { return files_; }
  bool CanSave() const { return files_ != nullptr && !path_.empty(); }

 private:
  platform::OsFiles* files_ = nullptr;
  std::size_t maxFileBytes_ = kMaxFileBytes;
  std::string path_;
  bool byteOrderMark_ = false;
  // What this document knows the file on the disk to hold (hash and size of
  // its bytes), or nothing when it knows the file to be missing.
  struct Fingerprint {
    std::size_t hash = 0;
    std::size_t size = 0;
    bool operator==(const Fingerprint&) const = default;
  };
  static Fingerprint FingerprintOf(std::string_view bytes);
  std::optional<Fingerprint> onDisk_;
  // Size and time of the file at the load or last save (nothing: missing),
  // and as last seen by StampChangedAndSettled.
  std::optional<platform::FileInfo> stamp_;
  std::optional<std::optional<platform::FileInfo>> lastSeen_;
  void TakeStamp();
  IniSections sections_;
};

// The first free name of "<path>.bak", "<path>.2.bak", "<path>.3.bak", ...
// so that an older backup is never written over; empty when all are taken.
std::string BackupPathFor(platform::OsFiles& files, const std::string& path);

// True when the bytes can be read as the file's text.
bool LooksLikeText(std::string_view bytes);
