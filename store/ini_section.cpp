#include "store/ini_section.h"

#include <stdexcept>

#include "store/text.h"

namespace {
constexpr const char* kNewLine = "\r\n";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

void CheckKeyName(std::string_view name) {
  const bool fits = !name.empty() && TrimBlanks(name).size() == name.size() &&
                    name.find_first_of(std::string_view("\r\n\0=", 4)) == std::string_view::npos &&
                    name.front() != ';' && name.front() != '[';
  if (!fits) throw std::invalid_argument("key name cannot be written to the file: " + std::string(name));
}
}  // namespace

bool ParseSectionHeader(std::string_view text, std::string& name) {
  text = TrimBlanks(text);
  if (text.empty() || text.front() != '[') return false;
  const auto close = text.find(']');
  if (close == std::string_view::npos) return false;
  name = std::string(TrimBlanks(text.substr(1, close - 1)));
  return true;
}

bool ParseKeyLine(std::string_view text, std::string& name, std::string& value, std::size_t& valueAt) {
  const std::string_view trimmed = TrimBlanks(text);
  if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '[') return false;
  const auto equals = text.find('=');
  if (equals == std::string_view::npos) return false;
  const std::string_view keyName = TrimBlanks(text.substr(0, equals));
  if (keyName.empty()) return false;
  name = std::string(keyName);
  valueAt = equals + 1;
  while (valueAt < text.size() && IsBlank(text[valueAt])) ++valueAt;
  value = ValueFromFileText(text.substr(valueAt));
  return true;
}

bool IsBlankLine(std::string_view text) { return TrimBlanks(text).empty(); }

void IniKey::SetValue(const IniValue& value) {
  const std::string text = WritableValue(value.AsString());
  if (text == value_.AsString()) return;
  line_.text = line_.text.substr(0, valueAt_) + ValueToFileText(text);
  value_ = IniValue(text);
}

std::ptrdiff_t IniKeys::Find(std::string_view name) const {
  for (std::size_t i = 0; i < entries_.size(); ++i)
    if (entries_[i].key && entries_[i].key->Name() == name) return static_cast<std::ptrdiff_t>(i);
  for (std::size_t i = 0; i < entries_.size(); ++i)
    if (entries_[i].key && EqualsIgnoringCase(entries_[i].key->Name(), name)) return static_cast<std::ptrdiff_t>(i);
  return -1;
}

IniKey* IniKeys::Item(std::string_view name) {
  const auto at = Find(name);
  return at < 0 ? nullptr : entries_[static_cast<std::size_t>(at)].key.get();
}

const IniKey* IniKeys::Item(std::string_view name) const {
  const auto at = Find(name);
  return at < 0 ? nullptr : entries_[static_cast<std::size_t>(at)].key.get();
}

IniKey& IniKeys::Add(std::string_view name, const IniValue& value, std::string_view before) {
  CheckKeyName(name);
  std::size_t at = entries_.size();
  const auto beforeAt = before.empty() ? -1 : Find(before);
  if (beforeAt >= 0) {
    at = static_cast<std::size_t>(beforeAt);
  } else {
    // After the last key; in a section without keys, before the blank lines
    // that part it from the next section.
    std::size_t lastKey = entries_.size();
    for (std::size_t i = 0; i < entries_.size(); ++i)
      if (entries_[i].key) lastKey = i;
    if (lastKey < entries_.size()) {
      at = lastKey + 1;
    } else {
      while (at > 0 && IsBlankLine(entries_[at - 1].line.text)) --at;
    }
  }
  const std::string prefix = std::string(name) + "=";
  const std::string text = WritableValue(value.AsString());
  auto key = std::make_unique<IniKey>(std::string(name), text, IniLine{prefix + ValueToFileText(text), kNewLine},
                                      prefix.size());
  IniKey& added = *key;
  entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(at), Entry{std::move(key), {}});
  return added;
}

std::size_t IniKeys::Count() const {
  std::size_t count = 0;
  for (const Entry& e : entries_) count += e.key ? 1 : 0;
  return count;
}

std::vector<const IniKey*> IniKeys::List() const {
  std::vector<const IniKey*> keys;
  for (const Entry& e : entries_)
    if (e.key) keys.push_back(e.key.get());
  return keys;
}

std::vector<const IniLine*> IniKeys::Lines() const {
  std::vector<const IniLine*> lines;
  lines.reserve(entries_.size());
  for (const Entry& e : entries_) lines.push_back(e.key ? &e.key->Line() : &e.line);
  return lines;
}

void IniKeys::AppendLine(IniLine line) {
  std::string name, value;
  std::size_t valueAt = 0;
  if (ParseKeyLine(line.text, name, value, valueAt))
    entries_.push_back(Entry{std::make_unique<IniKey>(std::move(name), std::move(value), std::move(line), valueAt), {}});
  else
    entries_.push_back(Entry{nullptr, std::move(line)});
}

bool IniKeys::EndsWithBlankLine() const {
  if (entries_.empty()) return false;
  const Entry& last = entries_.back();
  return !last.key && IsBlankLine(last.line.text);
}
