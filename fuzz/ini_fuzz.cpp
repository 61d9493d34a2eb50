// Any bytes as an INI file: loading, saving and loading again must not crash,
// leak or hang; an unchanged document must be written back byte for byte;
// and after the kinds of change the program makes (removing sections while
// enumerating them, adding sections and keys, setting values of the three
// types) a reload must give exactly the document that was in memory.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "store/ini_document.h"

namespace {

struct KeyView {
  std::string name, value;
  bool operator==(const KeyView&) const = default;
};
struct SectionView {
  std::string name;
  std::vector<KeyView> keys;
  std::vector<std::string> lines;  // every line's text, keys included
  bool operator==(const SectionView&) const = default;
};

std::vector<SectionView> View(const IniDocument& doc) {
  std::vector<SectionView> view;
  for (const IniSection& s : doc.Sections()) {
    SectionView v{s.Name(), {}, {s.Header().text}};
    for (const IniKey* k : s.Keys().List()) v.keys.push_back({k->Name(), k->Value().AsString()});
    for (const IniLine* line : s.Keys().Lines()) v.lines.push_back(line->text);
    view.push_back(std::move(v));
  }
  return view;
}

// Pieces of the input to use as values and numbers.
class Source {
 public:
  explicit Source(std::string_view data) : data_(data) {}
  std::string Text() {
    const std::size_t n = std::min<std::size_t>(Byte() % 24, data_.size());
    std::string s(data_.substr(0, n));
    data_.remove_prefix(n);
    return s;
  }
  std::int32_t Number() {
    std::uint32_t n = 0;
    for (int i = 0; i < 4; ++i) n = (n << 8) | Byte();
    return static_cast<std::int32_t>(n);
  }
  unsigned char Byte() {
    if (data_.empty()) return 0;
    const auto b = static_cast<unsigned char>(data_.front());
    data_.remove_prefix(1);
    return b;
  }

 private:
  std::string_view data_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);

  IniDocument first;
  first.LoadText(input);
  FUZZ_CHECK(first.Text() == input);

  // The program's own changes, fed from the same bytes.
  Source source(input);
  IniSections& sections = first.Sections();
  for (const IniSection& s : sections)
    if (s.Name().starts_with("Setting")) FUZZ_CHECK(sections.Remove(s.Name()));
  for (const IniSection& s : sections) FUZZ_CHECK(!s.Name().starts_with("Setting"));
  if (!sections.Item("Options")) sections.Add("Options", "");
  for (IniSection& s : sections) {
    const auto keys = s.Keys().List();
    if (!keys.empty()) s.Keys().Item(keys.front()->Name())->SetValue(source.Text());
  }
  const int added = source.Byte() % 4;
  for (int i = 0; i < added; ++i) {
    const std::string name = "Setting " + std::to_string(i);
    sections.Add(name, "");
    IniKeys& keys = sections.Item(name)->Keys();
    keys.Add("Name", source.Text(), "");
    keys.Add("Action_CapsLock", source.Number(), "");
    keys.Add("Flag", (source.Byte() & 1) != 0, "");
    FUZZ_CHECK(keys.Item("Name") != nullptr);
  }
  IniKeys& options = sections.Item("Options")->Keys();
  const std::int32_t number = source.Number();
  const bool flag = (source.Byte() & 1) != 0;
  if (IniKey* key = options.Item("Always On Top")) key->SetValue(flag); else options.Add("Always On Top", flag, "");
  if (IniKey* key = options.Item("Show_vKey")) key->SetValue(number); else options.Add("Show_vKey", number, "");

  IniDocument third;
  third.LoadText(first.Text());
  FUZZ_CHECK(View(third) == View(first));
  const IniKeys& reread = third.Sections().Item("Options")->Keys();
  FUZZ_CHECK(reread.Item("Always On Top")->Value().AsBool() == flag);
  FUZZ_CHECK(reread.Item("Show_vKey")->Value().AsInt32() == number);
  return 0;
}
