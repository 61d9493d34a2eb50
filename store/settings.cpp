#include "store/settings.h"

#include "store/text.h"

std::ptrdiff_t clsSettings::Find(std::string_view key) const {
  for (std::size_t i = 0; i < entries_.size(); ++i)
    if (EqualsIgnoringCase(entries_[i].key, key)) return static_cast<std::ptrdiff_t>(i);
  return -1;
}

void clsSettings::Add(Ref newItem, std::string_view key) {
  if (Find(key) >= 0)
    throw SettingsCollectionError(SettingsCollectionError::Kind::DuplicateKey,
                                  "key already in use: " + std::string(key));
  entries_.push_back({std::string(key), std::move(newItem)});
}

void clsSettings::Rekey(std::string_view oldKey, std::string_view newKey) {
  const auto at = Find(oldKey);
  if (at < 0)
    throw SettingsCollectionError(SettingsCollectionError::Kind::NotFound,
                                  "no element under key: " + std::string(oldKey));
  // The new key is checked against every key, the old one included, so a
  // change of letter case alone is a duplicate.
  if (Find(newKey) >= 0)
    throw SettingsCollectionError(SettingsCollectionError::Kind::DuplicateKey,
                                  "key already in use: " + std::string(newKey));
  entries_[static_cast<std::size_t>(at)].key = std::string(newKey);
}

void clsSettings::Remove(std::string_view key) {
  const auto at = Find(key);
  if (at < 0)
    throw SettingsCollectionError(SettingsCollectionError::Kind::NotFound,
                                  "no element under key: " + std::string(key));
  entries_.erase(entries_.begin() + at);
}

void clsSettings::Remove(std::int32_t position) {
  if (position < 1 || position > Count())
    throw SettingsCollectionError(SettingsCollectionError::Kind::NotFound,
                                  "position out of range: " + std::to_string(position));
  entries_.erase(entries_.begin() + (position - 1));
}

clsSettings::Ref clsSettings::Item(std::string_view key) const {
  const auto at = Find(key);
  return at < 0 ? nullptr : entries_[static_cast<std::size_t>(at)].item;
}

clsSettings::Ref clsSettings::Item(std::int32_t position) const {
  if (position < 1 || position > Count()) return nullptr;
  return entries_[static_cast<std::size_t>(position - 1)].item;
}

void clsSettings::Clear() { std::vector<Entry>().swap(entries_); }
