// The INI document: reading, and writing back with every line it was not
// asked to change kept byte for byte, and the encodings of its file. Its
// files, and removing sections while walking them, are tested through the
// settings file.
#include "store/ini_document.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sim/sim_desktop.h"
#include "store/file_encoding.h"

namespace {

using Names = std::vector<std::string>;

IniDocument Parsed(std::string_view text) {
  IniDocument doc;
  doc.LoadText(text);
  return doc;
}

Names SectionNames(const IniDocument& doc) {
  Names names;
  for (const IniSection& s : doc.Sections()) names.push_back(s.Name());
  return names;
}

Names KeyNames(IniDocument& doc, std::string_view section) {
  Names names;
  for (const IniKey* k : doc.Sections().Item(section)->Keys().List()) names.push_back(k->Name());
  return names;
}

std::string ValueOf(IniDocument& doc, std::string_view section, std::string_view key) {
  IniSection* s = doc.Sections().Item(section);
  IniKey* k = s ? s->Keys().Item(key) : nullptr;
  return k ? k->Value().AsString() : "<missing>";
}

TEST(IniDocumentReading, FindsSectionsKeysAndValuesWhateverTheLineEndsAndTheCaseOfTheirNames) {
  IniDocument doc = Parsed(
      "; comment=not a key\r\n[Options]\r\n  Password = abc  \n\n[S]\rno equals sign\n=no name\n"
      "[unclosed=bracket\na=b=c\nq=\"  quoted  \"\nh=text ; not a comment\nnul=a" +
      std::string(1, '\0') + "b\nhigh=\xE9\xFF\x80\nlong=" + std::string(200000, 'v') + "\n[Last]\rz=3");
  EXPECT_EQ(SectionNames(doc), (Names{"Options", "S", "Last"}));
  EXPECT_EQ(KeyNames(doc, "S"), (Names{"a", "q", "h", "nul", "high", "long"}));
  EXPECT_EQ(doc.Sections().Item("S")->Keys().Lines().size(), 9u) << "the other lines are kept";
  EXPECT_EQ(ValueOf(doc, "Options", "Password"), "abc") << "blanks round name and value are not part of them";
  EXPECT_EQ(ValueOf(doc, "S", "a"), "b=c");
  EXPECT_EQ(ValueOf(doc, "S", "q"), "  quoted  ");
  EXPECT_EQ(ValueOf(doc, "S", "h"), "text ; not a comment");
  EXPECT_EQ(ValueOf(doc, "S", "nul"), std::string("a\0b", 3));
  EXPECT_EQ(ValueOf(doc, "S", "high"), "\xE9\xFF\x80");
  EXPECT_EQ(ValueOf(doc, "S", "long").size(), 200000u);
  EXPECT_EQ(ValueOf(doc, "Last", "z"), "3");

  // Names are found without regard to case, the exact name first.
  IniDocument cased = Parsed("[options]\nkey=1\nKEY=2\n[Options]\nKey=3\n");
  EXPECT_EQ(ValueOf(cased, "OPTIONS", "kEy"), "1") << "no exact match: the first in any case";
  EXPECT_EQ(ValueOf(cased, "options", "KEY"), "2");
  EXPECT_EQ(ValueOf(cased, "Options", "Key"), "3") << "the exact name wins over an earlier one in other case";
  EXPECT_EQ(cased.Sections().Item("Missing"), nullptr);
}

TEST(IniDocumentWriting, OnlyWhatWasChangedIsRewritten) {
  const std::string text =
      "; comment\n\nstray line before any section\r\n[Options]   trailing text\r\n"
      "  Key = value  \r\n[unknown]\nx=1\r; last line without an end";
  EXPECT_EQ(Parsed(text).Text(), text);

  IniDocument doc = Parsed("[S]\n; keep me\nA = 1\nB =  7   \n");
  doc.Sections().Item("S")->Keys().Item("A")->SetValue(std::int32_t{42});
  doc.Sections().Item("S")->Keys().Item("B")->SetValue(std::int32_t{7});  // the same value: untouched
  EXPECT_EQ(doc.Text(), "[S]\n; keep me\nA = 42\nB =  7   \n");
}

TEST(IniDocumentWriting, NewSectionsAndKeysGoAfterTheOthersOrBeforeTheNamedOne) {
  IniDocument doc = Parsed("[A]\na=1\n; about B\n\n[B]\nb=1\n");
  doc.Sections().Add("C", "");
  doc.Sections().Item("C")->Keys().Add("c", "3", "");
  doc.Sections().Item("A")->Keys().Add("a2", "2", "");
  EXPECT_EQ(doc.Text(), "[A]\na=1\na2=2\r\n; about B\n\n[B]\nb=1\n\r\n[C]\r\nc=3\r\n");

  IniDocument noEnd = Parsed("[A]\r\na=1");
  noEnd.Sections().Item("A")->Keys().Add("b", "2", "");
  noEnd.Sections().Add("B", "");
  EXPECT_EQ(noEnd.Text(), "[A]\r\na=1\r\nb=2\r\n\r\n[B]\r\n");

  IniDocument empty = Parsed("[A]\n; about A\n\n[B]\n");
  empty.Sections().Item("A")->Keys().Add("k", "v", "");
  EXPECT_EQ(empty.Text(), "[A]\n; about A\nk=v\r\n\n[B]\n") << "above the blank lines before the next section";

  IniDocument before = Parsed("[A]\nx=1\nz=3\n[C]\n");
  before.Sections().Add("B", "C");
  before.Sections().Item("A")->Keys().Add("y", "2", "z");
  before.Sections().Add("D", "no such section");
  EXPECT_EQ(SectionNames(before), (Names{"A", "B", "C", "D"}));
  EXPECT_EQ(KeyNames(before, "A"), (Names{"x", "y", "z"}));
}

TEST(IniDocumentWriting, ValuesReadBackAsTheyWereWritten) {
  IniDocument doc = Parsed("");
  IniKeys& keys = doc.Sections().Add("V", "").Keys();
  const Names strings = {"", "plain", " leading", "trailing\t", "\"quoted\"", "\"", "a\"b\"", "x=y;z[w]", "\xE9t", "  "};
  // (Appended rather than "s" + ...: GCC 12 warns wrongly of an overlap there.)
  const auto key = [](std::size_t i) { return std::string("s").append(std::to_string(i)); };
  for (std::size_t i = 0; i < strings.size(); ++i) keys.Add(key(i), strings[i], "");
  keys.Add("min", std::int32_t{INT32_MIN}, "");
  keys.Add("yes", true, "");
  keys.Add("no", false, "");
  IniDocument again = Parsed(doc.Text());
  for (std::size_t i = 0; i < strings.size(); ++i) EXPECT_EQ(ValueOf(again, "V", key(i)), strings[i]);
  EXPECT_EQ(ValueOf(again, "V", "min"), "-2147483648");
  EXPECT_EQ(ValueOf(again, "V", "yes"), "True");
  EXPECT_EQ(ValueOf(again, "V", "no"), "False");

}

TEST(IniValueConversion, IntegersAndBooleans) {
  for (auto [text, value] : {std::pair{"42", 42}, {" -7 ", -7}, {"+3", 3}, {"007", 7}, {"2147483647", INT32_MAX},
                             {"-2147483648", INT32_MIN}})
    EXPECT_EQ(IniValue(text).AsInt32(), value) << text;
  for (const char* bad : {"", "2147483648", "-2147483649", "1.5", "0x10", "12a", "-", "+", "1 2", "True"})
    EXPECT_EQ(IniValue(bad).AsInt32(), std::nullopt) << bad;
  for (const char* yes : {"True", "tRuE", "1", "-1", "99999999999999999999", " True "})
    EXPECT_EQ(IniValue(yes).AsBool(), true) << yes;
  for (const char* no : {"False", "false", "0", "-0", "000"}) EXPECT_EQ(IniValue(no).AsBool(), false) << no;
  for (const char* bad : {"", "yes", "on", "T", "1.0", "Truey"}) EXPECT_EQ(IniValue(bad).AsBool(), std::nullopt) << bad;
}

// The simulated system's ANSI code page is Windows-1252.
TEST(FileEncoding, AMarkOrWellFormedUtf8DecidesAndAnythingElseIsAnsi) {
  sim::SimDesktop desk;
  const std::string replacement = "\xEF\xBF\xBD";
  const struct {
    std::string bytes;
    FileEncoding encoding;
    std::string text;
    bool exact;
  } cases[] = {
      {"", FileEncoding::Ansi, "", true},
      {"[A]\r\nx=1", FileEncoding::Ansi, "[A]\r\nx=1", true},
      {"caf\xE9 \x80\x81", FileEncoding::Ansi, "caf\xC3\xA9 \xE2\x82\xAC\xC2\x81", true},
      {"caf\xC3\xA9", FileEncoding::Utf8, "caf\xC3\xA9", true},
      {"caf\xC3\xA9 \xE9", FileEncoding::Ansi, "caf\xC3\x83\xC2\xA9 \xC3\xA9", true},  // not all UTF-8
      {"\xEF\xBB\xBFx", FileEncoding::Utf8WithMark, "x", true},
      {"\xEF\xBB\xBF\xE9\xEF\xBB\xBF", FileEncoding::Utf8WithMark, "\xE9\xEF\xBB\xBF", true},  // kept as it is
      {"\xFF\xFE", FileEncoding::Utf16WithMark, "", true},
      {std::string("\xFF\xFE=\0\x3F\x04\x3D\xD8\x00\xDE\r\0\n\0", 14), FileEncoding::Utf16WithMark,
       "=\xD0\xBF\xF0\x9F\x98\x80\r\n", true},
      {std::string("\xFF\xFE\x3D\xD8=\0\x00\xDE", 8), FileEncoding::Utf16WithMark, replacement + "=" + replacement,
       false},
      {std::string("\xFF\xFE=\0=", 5), FileEncoding::Utf16WithMark, "=" + replacement, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.bytes);
    const DecodedFile file = DecodeFile(c.bytes, desk);
    EXPECT_EQ(file.encoding, c.encoding);
    EXPECT_EQ(file.text, c.text);
    EXPECT_EQ(file.exact, c.exact);
    if (c.exact) {
      EXPECT_EQ(EncodeFile(file.text, file.encoding, desk), c.bytes);
    }
    EXPECT_TRUE(LooksLikeText(c.bytes));
  }
  for (const std::string& notText : {std::string("[A]\0", 4), std::string("\xFE\xFF\x04\x1F"),
                                     std::string("\xFF\xFE\0\0[\0\0\0", 8), std::string("\xFF\xFEx\0\0\0", 6)})
    EXPECT_FALSE(LooksLikeText(notText)) << notText;
  EXPECT_TRUE(LooksLikeText(std::string("\xFF\xFE\0x\0", 5))) << "only a whole code unit of 0 is a NUL";
}

TEST(FileEncoding, WhatIsWrittenReadsBackAsTheSameTextAndNeverWithQuestionMarks) {
  sim::SimDesktop desk;
  const struct {
    std::string text;
    FileEncoding asked, written;
  } cases[] = {
      {"caf\xC3\xA9", FileEncoding::Ansi, FileEncoding::Ansi},
      {"\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E", FileEncoding::Ansi, FileEncoding::Utf8WithMark},  // not in it
      {"\xC3\x83\xC2\xA9", FileEncoding::Ansi, FileEncoding::Utf8WithMark},  // its bytes would read as UTF-8
      {"\xC3\xAF\xC2\xBB\xC2\xBFx", FileEncoding::Ansi, FileEncoding::Utf8WithMark},  // ... as a UTF-8 mark
      {"\xC3\xBF\xC3\xBEx", FileEncoding::Ansi, FileEncoding::Utf8WithMark},              // ... as a UTF-16 mark
      {"\xD0\x9F\xD1\x80", FileEncoding::Utf8, FileEncoding::Utf8},
      {"\xEF\xBB\xBFx\xC3\xA9", FileEncoding::Utf8, FileEncoding::Utf8WithMark},  // a leading U+FEFF
      {"caf\xE9", FileEncoding::Utf8, FileEncoding::Utf8WithMark},                  // not UTF-8
      {"\xD0\x9F\xF0\x9F\x98\x80", FileEncoding::Utf16WithMark, FileEncoding::Utf16WithMark},
      {"caf\xE9", FileEncoding::Utf16WithMark, FileEncoding::Utf8WithMark},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const EncodedFile file = EncodeFileOrUtf8(c.text, c.asked, desk);
    EXPECT_EQ(file.encoding, c.written);
    EXPECT_EQ(EncodeFile(c.text, c.asked, desk).has_value(), c.asked == c.written);
    const DecodedFile read = DecodeFile(file.bytes, desk);
    EXPECT_EQ(read.encoding, c.written);
    EXPECT_EQ(read.text, c.text);
    EXPECT_TRUE(read.exact);
  }
}

}  // namespace
