#pragma once
#include <cstddef>
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

// A conventional Windows INI file held as sections with named keys: "[Section]"
// lines, "Key=Value" lines, ";" comments. Names are found without regard to
// letter case. LF, CRLF and CR line ends are read, and CRLF is written for new
// lines; a UTF-8 byte-order mark is kept. Every line the program does not
// change (comments, blank lines, unknown sections and keys) is written back
// byte for byte as it was read.
class IniDocument {
 public:
  // Larger files are refused as not ours. A setting takes about 300 bytes,
  // so this is room for some thirty thousand settings, and loads and saves
  // in about a second.
  static constexpr std::size_t kMaxFileBytes = 8 * 1024 * 1024;

  // A document in memory only; Save has nowhere to write.
  IniDocument() = default;
  explicit IniDocument(platform::OsFiles& files) : files_(&files) {}

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
  // step (see platform::OsFiles). False when it could not be written or
  // there is no file to write to; the file on the disk is then unchanged.
  bool Save();
  // The document as the file's bytes.
  std::string Text() const;

  const std::string& Path() const { return path_; }
  bool CanSave() const { return files_ != nullptr && !path_.empty(); }

 private:
  platform::OsFiles* files_ = nullptr;
  std::string path_;
  bool byteOrderMark_ = false;
  IniSections sections_;
};

// True when the bytes can be read as the file's text.
bool LooksLikeText(std::string_view bytes);
