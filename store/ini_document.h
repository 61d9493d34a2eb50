#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/os_files.h"
#include "platform/os_text.h"
#include "store/file_encoding.h"
#include "store/ini_sections.h"

enum class IniLoadResult {
  Loaded,
  Missing,
  AccessDenied,
  InUse,
  TooLarge,
  Folder,   // a folder has the file's name
  NotText,  // NUL characters or a UTF-16 big-endian byte-order mark
  ReadFailed,
};

enum class IniSaveStatus {
  Saved,
  NoFile,    // nowhere to write: an in-memory document or a file not to be touched
  ReadOnly,  // the file is marked read-only and was left alone
  TooLarge,  // the document has grown past what a load accepts; not written
  Failed,    // the write (or the backup of a changed file) failed; the file is as it was
};

// Why a save failed (IniSaveStatus::Failed).
enum class IniSaveCause {
  Other,
  AccessDenied,  // the file or its folder may not be written (or the file read)
  DiskFull,
  InUse,         // another program holds the file
  NoBackup,      // what is on the disk had to be kept aside first, and could not be
};

enum class IniBackupReason {
  ChangedMeanwhile,  // someone else changed the file since it was loaded or last saved
  NotReadExactly,    // some of its bytes did not read as text of its encoding
  NotText,           // what took its place is not text (NULs, random bytes)
  TooLarge,          // what took its place is far larger than a settings file
  Folder,            // a folder took its name; the folder was renamed
};

struct IniSaveResult {
  IniSaveStatus status = IniSaveStatus::NoFile;
  // Where the file as it was on the disk was kept before the save wrote over
  // it, and why; empty when there was no need.
  std::string backupPath;
  IniBackupReason backupReason = IniBackupReason::ChangedMeanwhile;
  IniSaveCause cause = IniSaveCause::Other;
  bool Saved() const { return status == IniSaveStatus::Saved; }
  explicit operator bool() const { return Saved(); }
};

// A conventional Windows INI file held as sections with named keys: "[Section]"
// lines, "Key=Value" lines, ";" comments. Names are found without regard to
// letter case. LF, CRLF and CR line ends are read, and CRLF is written for new
// lines. The text is UTF-8 inside; the file is read in any encoding that
// file_encoding.h knows and written back in the same one, unless it has no
// form for some of the text: then the whole file becomes UTF-8 with a mark.
// Every line the program does not change (comments, blank lines, unknown
// sections and keys) is written back byte for byte as it was read.
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
  IniDocument(platform::OsFiles& files, platform::OsText& text, std::size_t maxFileBytes = kMaxFileBytes)
      : files_(&files), text_(&text), maxFileBytes_(maxFileBytes) {}

  // Reads the file into sections and keys. The document remembers the path
  // for Save unless the file was there but could not be read: such a file is
  // never written over. Whatever the result, the document starts empty.
  IniLoadResult Load(const std::string& path);
  // Replaces the content by this text (UTF-8, no byte-order mark); the
  // path, the encoding and whether it may be written stay as they are.
  void LoadText(std::string_view text);

  IniSections& Sections() { return sections_; }
  const IniSections& Sections() const { return sections_; }

  // Writes the whole document back to the file it was loaded from, in one
  // step (see platform::OsFiles). Unless saved, the file on the disk is
  // unchanged. When the file on the disk is no longer the one loaded or last
  // saved (someone edited it meanwhile), or when the load could not read all
  // of it as it was, so that unchanged lines would not come back byte for
  // byte, that version is first kept beside it under a name no other file
  // has (see BackupPathFor).
  IniSaveResult Save();
  // True when the file on the disk differs from the one loaded or last
  // saved: changed, made or removed by someone else.
  bool ChangedOnDisk();
  // A cheap look at the file's size and time: true when they differ from
  // those at the load or last save and are the same as at the previous
  // call, so that a file someone is still writing is not taken half-way.
  bool StampChangedAndSettled();
  // The document's text, UTF-8 without a mark.
  std::string Text() const;
  // The encoding the file was read in, and is written in. A missing file
  // counts as ANSI, as earlier versions wrote it.
  FileEncoding Encoding() const { return encoding_; }
  void SetEncoding(FileEncoding encoding) { encoding_ = encoding; }
  // True when the text has a form in the document's encoding (see
  // EncodeFile); if not, Save writes UTF-8 with a mark.
  bool FitsItsEncoding() const;

  const std::string& Path() const { return path_; }
  platform::OsFiles* Files() const { return files_; }
  bool CanSave() const { return files_ != nullptr && !path_.empty(); }

 private:
  platform::OsFiles* files_ = nullptr;
  platform::OsText* text_ = nullptr;
  std::size_t maxFileBytes_ = kMaxFileBytes;
  std::string path_;
  FileEncoding encoding_ = FileEncoding::Ansi;
  // The load could not read the file exactly: the next save keeps it aside.
  bool keepOriginal_ = false;
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
