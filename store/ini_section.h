#pragma once
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "store/ini_value.h"

// One line of the file: its text and the line end that followed it ("\r\n",
// "\n", "\r", or none for a last line without one). Lines the program does
// not change are written back exactly as they were read.
struct IniLine {
  std::string text;
  std::string end;
  bool operator==(const IniLine&) const = default;
};

// One "Key=Value" line.
class IniKey {
 public:
  IniKey(std::string name, std::string value, IniLine line, std::size_t valueAt)
      : name_(std::move(name)), value_(std::move(value)), line_(std::move(line)), valueAt_(valueAt) {}

  const std::string& Name() const { return name_; }
  const IniValue& Value() const { return value_; }
  // Rewrites the line's value and keeps what stands before it ("Key = ").
  // The line is left alone when the text does not change.
  void SetValue(const IniValue& value);
  const IniLine& Line() const { return line_; }

 private:
  std::string name_;
  IniValue value_;
  IniLine line_;
  std::size_t valueAt_;  // where the value's text begins in the line
};

// The keys of a section, together with the section's other lines (comments,
// blank lines, lines that are not keys) in file order.
class IniKeys {
 public:
  // The first key of that name in exact letter case, else the first in any
  // case; null when there is none.
  IniKey* Item(std::string_view name);
  const IniKey* Item(std::string_view name) const;
  // Inserts a key after the section's last key, or before the key named
  // `before` when that is given and present. Throws std::invalid_argument
  // for a name that cannot stand in a file (empty, blanks at either end, a
  // line break, '=', or a leading ';' or '[').
  IniKey& Add(std::string_view name, const IniValue& value, std::string_view before = "");
  std::size_t Count() const;
  // The keys in file order.
  std::vector<const IniKey*> List() const;

  // Every line, keys included, in file order.
  std::vector<const IniLine*> Lines() const;
  // Reading a file: the line becomes a key when it is one, else it is kept
  // as it is.
  void AppendLine(IniLine line);
  bool EndsWithBlankLine() const;

 private:
  struct Entry {
    std::unique_ptr<IniKey> key;  // null for a line that is not a key
    IniLine line;                 // used when key is null
  };
  std::ptrdiff_t Find(std::string_view name) const;
  std::vector<Entry> entries_;
};

class IniSection {
 public:
  IniSection(std::string name, IniLine header) : name_(std::move(name)), header_(std::move(header)) {}
  const std::string& Name() const { return name_; }
  IniKeys& Keys() { return keys_; }
  const IniKeys& Keys() const { return keys_; }
  const IniLine& Header() const { return header_; }

 private:
  friend class IniSections;
  std::string name_;
  IniLine header_;
  IniKeys keys_;
  bool removed_ = false;  // taken out of its document; enumerations skip it
};

// Parsing single lines, shared by the document and the keys.
// True for "[Name]" (blanks allowed around it and the name); text after the
// closing bracket is allowed and kept.
bool ParseSectionHeader(std::string_view text, std::string& name);
// True for "Name=Value" with a non-empty name that does not start a comment
// or a section; valueAt is where the value's text begins.
bool ParseKeyLine(std::string_view text, std::string& name, std::string& value, std::size_t& valueAt);
bool IsBlankLine(std::string_view text);
