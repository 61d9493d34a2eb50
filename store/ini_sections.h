#pragma once
#include <functional>
#include <cstddef>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "store/ini_section.h"

// The sections of a document in file order, and the lines before the first
// of them.
class IniSections {
 public:
  using Ref = std::shared_ptr<IniSection>;

  // The first section of that name in exact letter case, else the first in
  // any case; null when there is none. Exact case comes first so that a
  // section the program wrote is found even beside one that differs only in
  // case.
  IniSection* Item(std::string_view name);
  const IniSection* Item(std::string_view name) const;
  // Appends a section after all others, or puts it before the section named
  // `before` when that is given and present. Throws std::invalid_argument for
  // a name that cannot stand in a file (empty, blanks at either end, a line
  // break or ']').
  IniSection& Add(std::string_view name, std::string_view before = "");
  // Removes the section that Item would find; false when there is none.
  bool Remove(std::string_view name);
  // Removes every section the test picks, in one pass (removing them one by
  // one by name would take time growing with the square of their number);
  // an enumeration in progress skips them. The number removed.
  std::size_t RemoveIf(const std::function<bool(const IniSection&)>& pick);
  std::size_t Count() const { return sections_.size(); }

  // Enumeration in file order over the sections present when it began.
  // Removing sections while it runs is safe: every section still present is
  // visited, none twice, and removed ones are skipped.
  class Enumerator {
   public:
    using value_type = IniSection;
    using difference_type = std::ptrdiff_t;
    Enumerator() = default;
    explicit Enumerator(std::shared_ptr<const std::vector<Ref>> snapshot);
    IniSection& operator*() const { return *(*snapshot_)[at_]; }
    IniSection* operator->() const { return (*snapshot_)[at_].get(); }
    Enumerator& operator++();
    void operator++(int) { ++*this; }
    bool operator==(std::default_sentinel_t) const { return !snapshot_ || at_ >= snapshot_->size(); }

   private:
    void SkipRemoved();
    std::shared_ptr<const std::vector<Ref>> snapshot_;
    std::size_t at_ = 0;
  };
  Enumerator begin() const;
  std::default_sentinel_t end() const { return {}; }

  // Reading a file.
  void AppendPreambleLine(IniLine line) { preamble_.push_back(std::move(line)); }
  void AppendParsedSection(std::string name, IniLine header);
  IniSection* Last() { return sections_.empty() ? nullptr : sections_.back().get(); }
  // Writing it: every line in file order.
  std::vector<const IniLine*> Lines() const;

 private:
  std::ptrdiff_t Find(std::string_view name) const;

  std::vector<IniLine> preamble_;
  std::vector<Ref> sections_;
};
