#include "store/settings.h"

#include "store/text.h"

namespace {
[[noreturn]] void Throw(SettingsCollectionError::Kind kind, std::string what) {
  throw SettingsCollectionError(kind, what);
}
}  // namespace

std::size_t clsSettings::PositionOf(const std::string& upperKey) const {
  for (std::size_t i = 0; i < entries_.size(); ++i)
    if (UpperCase(entries_[i].key) == upperKey) return i;
  return entries_.size();
}

void clsSettings::Add(Ref newItem, std::string_view key) {
  std::string upper = UpperCase(key);
  if (byKey_.count(upper)) Throw(SettingsCollectionError::Kind::DuplicateKey, "key already in use: " + std::string(key));
  entries_.push_back({std::string(key), newItem});
  byKey_.emplace(std::move(upper), std::move(newItem));
}

void clsSettings::Rekey(std::string_view oldKey, std::string_view newKey) {
  const std::string oldUpper = UpperCase(oldKey);
  std::string newUpper = UpperCase(newKey);
  const auto old = byKey_.find(oldUpper);
  if (old == byKey_.end()) Throw(SettingsCollectionError::Kind::NotFound, "no element under key: " + std::string(oldKey));
  // The new key is checked against every key, the old one included, so a
  // change of letter case alone is a duplicate.
  if (byKey_.count(newUpper)) Throw(SettingsCollectionError::Kind::DuplicateKey, "key already in use: " + std::string(newKey));
  entries_[PositionOf(oldUpper)].key = std::string(newKey);
  Ref item = old->second;
  byKey_.erase(old);
  byKey_.emplace(std::move(newUpper), std::move(item));
}

void clsSettings::Remove(std::string_view key) {
  const std::string upper = UpperCase(key);
  const auto it = byKey_.find(upper);
  if (it == byKey_.end()) Throw(SettingsCollectionError::Kind::NotFound, "no element under key: " + std::string(key));
  entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(PositionOf(upper)));
  byKey_.erase(it);
}

void clsSettings::Remove(std::int32_t position) {
  if (position < 1 || position > Count())
    Throw(SettingsCollectionError::Kind::NotFound, "position out of range: " + std::to_string(position));
  const auto at = entries_.begin() + (position - 1);
  byKey_.erase(UpperCase(at->key));
  entries_.erase(at);
}

clsSettings::Ref clsSettings::Item(std::string_view key) const {
  const auto it = byKey_.find(UpperCase(key));
  return it == byKey_.end() ? nullptr : it->second;
}

clsSettings::Ref clsSettings::Item(std::int32_t position) const {
  if (position < 1 || position > Count()) return nullptr;
  return entries_[static_cast<std::size_t>(position - 1)].item;
}

void clsSettings::Clear() {
  std::vector<Entry>().swap(entries_);
  byKey_.clear();
}
