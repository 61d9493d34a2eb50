#include "store/ini_sections.h"

#include <stdexcept>

#include "store/text.h"

namespace {
void CheckSectionName(std::string_view name) {
  const bool fits = !name.empty() && TrimBlanks(name).size() == name.size() &&
                    name.find_first_of(std::string_view("\r\n\0]", 4)) == std::string_view::npos;
  if (!fits) throw std::invalid_argument("section name cannot be written to the file: " + std::string(name));
}
}  // namespace

std::ptrdiff_t IniSections::Find(std::string_view name) const {
  for (std::size_t i = 0; i < sections_.size(); ++i)
    if (sections_[i]->Name() == name) return static_cast<std::ptrdiff_t>(i);
  for (std::size_t i = 0; i < sections_.size(); ++i)
    if (EqualsIgnoringCase(sections_[i]->Name(), name)) return static_cast<std::ptrdiff_t>(i);
  return -1;
}

IniSection* IniSections::Item(std::string_view name) {
  const auto at = Find(name);
  return at < 0 ? nullptr : sections_[static_cast<std::size_t>(at)].get();
}

const IniSection* IniSections::Item(std::string_view name) const {
  const auto at = Find(name);
  return at < 0 ? nullptr : sections_[static_cast<std::size_t>(at)].get();
}

IniSection& IniSections::Add(std::string_view name, std::string_view before) {
  CheckSectionName(name);
  std::string header(1, '[');
  header.append(name).append(1, ']');
  auto section = std::make_shared<IniSection>(std::string(name), IniLine{std::move(header), "\r\n"});
  const auto beforeAt = before.empty() ? -1 : Find(before);
  if (beforeAt >= 0) {
    section->Keys().AppendLine(IniLine{"", "\r\n"});
    sections_.insert(sections_.begin() + beforeAt, section);
    return *section;
  }
  // A blank line parts the new section from the text before it, as in a file
  // written by hand.
  if (!sections_.empty()) {
    IniKeys& lastBody = sections_.back()->Keys();
    if (!lastBody.EndsWithBlankLine()) lastBody.AppendLine(IniLine{"", "\r\n"});
  } else if (!preamble_.empty() && !IsBlankLine(preamble_.back().text)) {
    preamble_.push_back(IniLine{"", "\r\n"});
  }
  sections_.push_back(section);
  return *section;
}

bool IniSections::Remove(std::string_view name) {
  const auto at = Find(name);
  if (at < 0) return false;
  sections_[static_cast<std::size_t>(at)]->removed_ = true;
  sections_.erase(sections_.begin() + at);
  return true;
}

std::size_t IniSections::RemoveIf(const std::function<bool(const IniSection&)>& pick) {
  for (const Ref& section : sections_)
    if (pick(*section)) section->removed_ = true;
  return std::erase_if(sections_, [](const Ref& section) { return section->removed_; });
}

void IniSections::AppendParsedSection(std::string name, IniLine header) {
  sections_.push_back(std::make_shared<IniSection>(std::move(name), std::move(header)));
}

std::vector<const IniLine*> IniSections::Lines() const {
  std::vector<const IniLine*> lines;
  for (const IniLine& line : preamble_) lines.push_back(&line);
  for (const Ref& section : sections_) {
    lines.push_back(&section->Header());
    for (const IniLine* line : section->Keys().Lines()) lines.push_back(line);
  }
  return lines;
}

IniSections::Enumerator IniSections::begin() const {
  return Enumerator(std::make_shared<const std::vector<Ref>>(sections_));
}

IniSections::Enumerator::Enumerator(std::shared_ptr<const std::vector<Ref>> snapshot)
    : snapshot_(std::move(snapshot)) {
  SkipRemoved();
}

IniSections::Enumerator& IniSections::Enumerator::operator++() {
  ++at_;
  SkipRemoved();
  return *this;
}

void IniSections::Enumerator::SkipRemoved() {
  while (at_ < snapshot_->size() && (*snapshot_)[at_]->removed_) ++at_;
}
