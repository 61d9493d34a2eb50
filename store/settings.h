#pragma once
#include <cstddef>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "store/setting.h"

// Raised by clsSettings for a key already in use or a key or position that
// is not there; the collection is unchanged when it is raised.
class SettingsCollectionError : public std::runtime_error {
 public:
  enum class Kind { DuplicateKey, NotFound };
  SettingsCollectionError(Kind kind, const std::string& what) : std::runtime_error(what), kind_(kind) {}
  Kind kind() const { return kind_; }

 private:
  Kind kind_;
};

// The ordered collection of settings, keyed by name without regard to letter
// case. It holds shared references: the record it returns is the one that
// CurrentSetting and the setup window hold too.
class clsSettings {
 public:
  using Ref = std::shared_ptr<clsSetting>;

  void Add(Ref newItem, std::string_view key);
  void Rekey(std::string_view oldKey, std::string_view newKey);
  void Remove(std::string_view key);
  void Remove(std::int32_t position);  // counted from 1
  Ref Item(std::string_view key) const;
  Ref Item(std::int32_t position) const;  // counted from 1; none when out of range
  std::int32_t Count() const { return static_cast<std::int32_t>(entries_.size()); }
  void Clear();

  // Enumeration in collection order (the collection's NewEnum).
  struct Entry {
    std::string key;
    Ref item;
  };
  class const_iterator {
   public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = Ref;
    using difference_type = std::ptrdiff_t;
    using pointer = const Ref*;
    using reference = const Ref&;
    explicit const_iterator(std::vector<Entry>::const_iterator it) : it_(it) {}
    const Ref& operator*() const { return it_->item; }
    const_iterator& operator++() {
      ++it_;
      return *this;
    }
    const_iterator operator++(int) {
      auto old = *this;
      ++it_;
      return old;
    }
    bool operator==(const const_iterator&) const = default;

   private:
    std::vector<Entry>::const_iterator it_;
  };
  const_iterator begin() const { return const_iterator(entries_.begin()); }
  const_iterator end() const { return const_iterator(entries_.end()); }

 private:
  std::size_t PositionOf(const std::string& upperKey) const;
  std::vector<Entry> entries_;
  // Upper-cased key to record, so loading thousands of settings does not
  // compare every new name with every old one.
  std::map<std::string, Ref, std::less<>> byKey_;
};
