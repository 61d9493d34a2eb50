#include "store/file_encoding.h"

#include "platform/text/utf8.h"

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16Mark = "\xFF\xFE";
constexpr std::string_view kUtf16BigEndianMark = "\xFE\xFF";

std::u16string Utf16Units(std::string_view bytes) {
  std::u16string units(bytes.size() / 2, u'\0');
  for (std::size_t i = 0; i < units.size(); ++i)
    units[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                     static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
  return units;
}

std::string Utf16Bytes(std::u16string_view units) {
  std::string bytes;
  bytes.reserve(units.size() * 2);
  for (const char16_t unit : units) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return bytes;
}

}  // namespace

FileEncoding DetectEncoding(std::string_view bytes) {
  if (bytes.starts_with(kUtf8Mark)) return FileEncoding::Utf8WithMark;
  if (bytes.starts_with(kUtf16Mark)) return FileEncoding::Utf16WithMark;
  return !text::IsAscii(bytes) && text::IsValidUtf8(bytes) ? FileEncoding::Utf8 : FileEncoding::Ansi;
}

bool LooksLikeText(std::string_view bytes) {
  if (bytes.starts_with(kUtf16BigEndianMark)) return false;
  if (!bytes.starts_with(kUtf16Mark)) return bytes.find('\0') == std::string_view::npos;
  for (std::size_t i = kUtf16Mark.size(); i + 1 < bytes.size(); i += 2)
    if (bytes[i] == '\0' && bytes[i + 1] == '\0') return false;
  return true;
}

DecodedFile DecodeFile(std::string_view bytes, platform::OsText& os) {
  DecodedFile file;
  file.encoding = DetectEncoding(bytes);
  switch (file.encoding) {
    case FileEncoding::Ansi:
      // Every ANSI code page has ASCII as it is, and most files are ASCII.
      file.text = text::IsAscii(bytes) ? std::string(bytes) : os.FromAnsiCodePage(bytes);
      break;
    case FileEncoding::Utf8:
      file.text = bytes;
      break;
    case FileEncoding::Utf8WithMark:
      // Kept as they are even where they are not UTF-8, so that such bytes
      // are written back unchanged.
      file.text = bytes.substr(kUtf8Mark.size());
      break;
    case FileEncoding::Utf16WithMark: {
      const std::string_view units = bytes.substr(kUtf16Mark.size());
      file.text = text::Utf16ToUtf8(Utf16Units(units));
      if (units.size() % 2 != 0) text::AppendUtf8(file.text, 0xFFFD);
      break;
    }
  }
  const std::optional<std::string> again = EncodeFile(file.text, file.encoding, os);
  file.exact = again && *again == bytes;
  return file;
}

std::optional<std::string> EncodeFile(std::string_view text, FileEncoding encoding, platform::OsText& os) {
  std::optional<std::string> bytes;
  switch (encoding) {
    case FileEncoding::Ansi:
      bytes = text::IsAscii(text) ? std::optional<std::string>(text) : os.ToAnsiCodePage(text);
      break;
    case FileEncoding::Utf8:
      bytes = std::string(text);
      break;
    case FileEncoding::Utf8WithMark:
      return std::string(kUtf8Mark).append(text);
    case FileEncoding::Utf16WithMark:
      if (!text::IsValidUtf8(text)) return std::nullopt;
      return std::string(kUtf16Mark) + Utf16Bytes(text::Utf8ToUtf16(text));
  }
  // Without a mark the bytes must be taken for what they are when read.
  if (!bytes) return std::nullopt;
  const FileEncoding read = DetectEncoding(*bytes);
  if (read != encoding && !(read == FileEncoding::Ansi && text::IsAscii(*bytes))) return std::nullopt;
  return bytes;
}

EncodedFile EncodeFileOrUtf8(std::string_view text, FileEncoding encoding, platform::OsText& os) {
  if (std::optional<std::string> bytes = EncodeFile(text, encoding, os)) return {encoding, std::move(*bytes)};
  return {FileEncoding::Utf8WithMark, *EncodeFile(text, FileEncoding::Utf8WithMark, os)};
}
