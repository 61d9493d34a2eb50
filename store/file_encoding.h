#pragma once
// How Tarvolo.INI's bytes stand for its text. Earlier versions wrote it in
// the ANSI code page; an editor may save it as UTF-8, with a byte-order mark
// or without; Windows' own profile functions keep it in UTF-16LE when it
// begins with that mark. Inside the program the text is always UTF-8.
#include <optional>
#include <string>
#include <string_view>

#include "platform/os_text.h"

enum class FileEncoding {
  Ansi,          // the system's ANSI code page; also any file of ASCII alone
  Utf8,          // UTF-8 without a byte-order mark
  Utf8WithMark,  // EF BB BF, then UTF-8
  Utf16WithMark, // FF FE, then UTF-16 little-endian
};

// A UTF-8 mark means UTF-8 and FF FE UTF-16LE. Without a mark, bytes that are
// well-formed UTF-8 and not all ASCII are UTF-8; anything else is ANSI.
FileEncoding DetectEncoding(std::string_view bytes);

// False for what no settings file is: a UTF-16 big-endian mark, or a NUL
// character (which also turns away UTF-32).
bool LooksLikeText(std::string_view bytes);

struct DecodedFile {
  FileEncoding encoding = FileEncoding::Ansi;
  std::string text;  // UTF-8, without the mark
  // Encoding the text again gives back these very bytes. It does for every
  // file with a UTF-8 mark, every UTF-8 file without one, and every ANSI file
  // whose bytes are all characters of the code page (with a code page of one
  // byte a character, every file); a UTF-16 file only when its code units are
  // whole and its surrogates paired (the others read as U+FFFD).
  bool exact = false;
};
DecodedFile DecodeFile(std::string_view bytes, platform::OsText& os);

// The bytes of the text in this encoding, mark included; nothing when the
// encoding has no form for some of it or those bytes would read back as
// other text (ANSI bytes that look like UTF-8 or begin like a mark; text that
// is not well-formed UTF-8 in UTF-16 or UTF-8 without a mark).
std::optional<std::string> EncodeFile(std::string_view text, FileEncoding encoding, platform::OsText& os);

struct EncodedFile {
  FileEncoding encoding = FileEncoding::Ansi;
  std::string bytes;
};
// In the encoding asked for, or else in UTF-8 with a mark, which holds any
// text: nothing the user wrote becomes a question mark. What it gives reads
// back as the same text and encoding (ASCII alone reads as ANSI), unless the
// text holds a NUL, which no settings file does.
EncodedFile EncodeFileOrUtf8(std::string_view text, FileEncoding encoding, platform::OsText& os);
