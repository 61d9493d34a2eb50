#include "store/ini_document.h"

namespace {
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

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
    case platform::FileReadStatus::Failed:
      break;
  }
  return IniLoadResult::ReadFailed;
}
}  // namespace

bool LooksLikeText(std::string_view bytes) {
  const bool utf16Mark = bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF");
  return !utf16Mark && bytes.find('\0') == std::string_view::npos;
}

IniLoadResult IniDocument::Load(const std::string& path) {
  LoadText("");
  path_.clear();
  if (files_ == nullptr) return IniLoadResult::ReadFailed;
  std::string bytes;
  IniLoadResult result = ResultOf(files_->ReadWholeFile(path, kMaxFileBytes, bytes));
  if (result == IniLoadResult::Loaded && !LooksLikeText(bytes)) result = IniLoadResult::NotText;
  if (result == IniLoadResult::Loaded) LoadText(bytes);
  // A missing file is made by the first save; any other failure means a file
  // is there that the program must not destroy.
  if (result == IniLoadResult::Loaded || result == IniLoadResult::Missing) path_ = path;
  return result;
}

void IniDocument::LoadText(std::string_view text) {
  sections_ = IniSections();
  byteOrderMark_ = text.starts_with(kUtf8Mark);
  if (byteOrderMark_) text.remove_prefix(kUtf8Mark.size());

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
  std::string text(byteOrderMark_ ? kUtf8Mark : "");
  const auto lines = sections_.Lines();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    text += lines[i]->text;
    // A last line without an end gets one once something follows it.
    text += (lines[i]->end.empty() && i + 1 < lines.size()) ? std::string("\r\n") : lines[i]->end;
  }
  return text;
}

bool IniDocument::Save() { return CanSave() && files_->WriteFileAtomically(path_, Text()); }
