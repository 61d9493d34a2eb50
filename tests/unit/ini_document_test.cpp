#include "store/ini_document.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/sim/sim_files.h"

namespace {

std::vector<std::string> SectionNames(const IniDocument& doc) {
  std::vector<std::string> names;
  for (const IniSection& s : doc.Sections()) names.push_back(s.Name());
  return names;
}

std::vector<std::string> KeyNames(const IniSection& section) {
  std::vector<std::string> names;
  for (const IniKey* k : section.Keys().List()) names.push_back(k->Name());
  return names;
}

std::string ValueOf(IniDocument& doc, std::string_view section, std::string_view key) {
  IniSection* s = doc.Sections().Item(section);
  if (!s) return "<no section>";
  IniKey* k = s->Keys().Item(key);
  return k ? k->Value().AsString() : "<no key>";
}

IniDocument Parsed(std::string_view text) {
  IniDocument doc;
  doc.LoadText(text);
  return doc;
}

// ---- reading ----

TEST(IniDocumentReading, FindsSectionsKeysAndValuesInFileOrder) {
  IniDocument doc = Parsed(
      "; leading comment\r\n"
      "[Options]\r\n"
      "Always On Top=True\r\n"
      "  Password = abc  \r\n"
      "\r\n"
      "[Setting 0]\r\n"
      "Name=Default\r\n"
      "[Extra]\r\n");
  EXPECT_EQ(SectionNames(doc), (std::vector<std::string>{"Options", "Setting 0", "Extra"}));
  EXPECT_EQ(KeyNames(*doc.Sections().Item("Options")), (std::vector<std::string>{"Always On Top", "Password"}));
  EXPECT_EQ(ValueOf(doc, "Options", "Password"), "abc");  // blanks round name and value are not part of them
  EXPECT_EQ(ValueOf(doc, "Setting 0", "Name"), "Default");
}

TEST(IniDocumentReading, NamesAreFoundWithoutRegardToCaseExactCaseFirst) {
  IniDocument doc = Parsed("[options]\nkey=1\nKEY=2\n[Options]\nKey=3\n");
  EXPECT_EQ(ValueOf(doc, "OPTIONS", "kEy"), "1") << "no exact match: the first in any case";
  EXPECT_EQ(ValueOf(doc, "options", "KEY"), "2");
  EXPECT_EQ(ValueOf(doc, "Options", "Key"), "3") << "the exact name wins over an earlier one in other case";
  EXPECT_EQ(ValueOf(doc, "options", "Key"), "1");
  EXPECT_EQ(doc.Sections().Item("Missing"), nullptr);
  EXPECT_EQ(doc.Sections().Item("Options")->Keys().Item("Nope"), nullptr);
}

TEST(IniDocumentReading, LinesThatAreNotKeysAreNeitherKeysNorLost) {
  IniDocument doc = Parsed(
      "[S]\n"
      "; comment=not a key\n"
      "no equals sign\n"
      "=no name\n"
      "[unclosed=bracket\n"
      "a=b=c\n"
      "q=\"  quoted  \"\n"
      "h=text ; not a comment in Windows INI files\n");
  const IniSection& s = *doc.Sections().Item("S");
  EXPECT_EQ(KeyNames(s), (std::vector<std::string>{"a", "q", "h"}));
  EXPECT_EQ(ValueOf(doc, "S", "a"), "b=c");
  EXPECT_EQ(ValueOf(doc, "S", "q"), "  quoted  ");
  EXPECT_EQ(ValueOf(doc, "S", "h"), "text ; not a comment in Windows INI files");
  EXPECT_EQ(s.Keys().Lines().size(), 7u);
}

TEST(IniDocumentReading, AcceptsEveryLineEndAByteOrderMarkAndNoFinalNewline) {
  IniDocument doc = Parsed("\xEF\xBB\xBF[A]\r\nx=1\ny=2\rz=3");
  EXPECT_EQ(SectionNames(doc), std::vector<std::string>{"A"});
  EXPECT_EQ(KeyNames(*doc.Sections().Item("A")), (std::vector<std::string>{"x", "y", "z"}));
  EXPECT_EQ(ValueOf(doc, "A", "z"), "3");
}

TEST(IniDocumentReading, CopesWithOddBytes) {
  const std::string longValue(200000, 'v');
  std::string text = "[A]\nlong=" + longValue + "\nnul=a" + std::string(1, '\0') + "b\nhigh=\xE9\xFF\x80\n";
  IniDocument doc = Parsed(text);
  EXPECT_EQ(ValueOf(doc, "A", "long"), longValue);
  EXPECT_EQ(ValueOf(doc, "A", "nul"), std::string("a\0b", 3));
  EXPECT_EQ(ValueOf(doc, "A", "high"), "\xE9\xFF\x80");
  EXPECT_EQ(doc.Text(), text);
}

// ---- writing back ----

TEST(IniDocumentWriting, AnUnchangedDocumentIsWrittenBackByteForByte) {
  const std::string text =
      "\xEF\xBB\xBF; comment\n\n"
      "stray line before any section\r\n"
      "[Options]   trailing text\r\n"
      "  Key = value  \r\n"
      "[unknown]\n"
      "x=1\r"
      "; last line without an end";
  EXPECT_EQ(Parsed(text).Text(), text);
}

TEST(IniDocumentWriting, SettingAValueRewritesOnlyThatLine) {
  IniDocument doc = Parsed("[S]\n; keep me\nA = 1\nB=2\n");
  doc.Sections().Item("S")->Keys().Item("A")->SetValue(std::int32_t{42});
  EXPECT_EQ(doc.Text(), "[S]\n; keep me\nA = 42\nB=2\n");
  // The same text again changes nothing, not even the spacing.
  IniDocument spaced = Parsed("[S]\nA =  7   \n");
  spaced.Sections().Item("S")->Keys().Item("A")->SetValue(std::int32_t{7});
  EXPECT_EQ(spaced.Text(), "[S]\nA =  7   \n");
}

TEST(IniDocumentWriting, AddAppendsSectionsAndKeysAfterAllOthers) {
  IniDocument doc = Parsed("[A]\na=1\n; about B\n\n[B]\nb=1\n");
  doc.Sections().Add("C", "");
  doc.Sections().Item("C")->Keys().Add("c", "3", "");
  doc.Sections().Item("A")->Keys().Add("a2", "2", "");
  EXPECT_EQ(SectionNames(doc), (std::vector<std::string>{"A", "B", "C"}));
  EXPECT_EQ(doc.Text(), "[A]\na=1\na2=2\r\n; about B\n\n[B]\nb=1\n\r\n[C]\r\nc=3\r\n");
}

TEST(IniDocumentWriting, AddingAfterALastLineWithoutEndGivesItOne) {
  IniDocument doc = Parsed("[A]\r\na=1");
  doc.Sections().Item("A")->Keys().Add("b", "2", "");
  EXPECT_EQ(doc.Text(), "[A]\r\na=1\r\nb=2\r\n");
  IniDocument other = Parsed("[A]\r\n; end");
  other.Sections().Add("B", "");
  EXPECT_EQ(other.Text(), "[A]\r\n; end\r\n\r\n[B]\r\n");
}

TEST(IniDocumentWriting, TheTextArgumentOfAddNamesWhatTheNewOneGoesBefore) {
  IniDocument doc = Parsed("[A]\nx=1\nz=3\n[C]\n");
  doc.Sections().Add("B", "C");
  doc.Sections().Item("A")->Keys().Add("y", "2", "z");
  EXPECT_EQ(SectionNames(doc), (std::vector<std::string>{"A", "B", "C"}));
  EXPECT_EQ(KeyNames(*doc.Sections().Item("A")), (std::vector<std::string>{"x", "y", "z"}));
  doc.Sections().Add("D", "no such section");
  EXPECT_EQ(SectionNames(doc).back(), "D");
}

TEST(IniDocumentWriting, KeysAddedToAnEmptySectionStayAboveTheBlankLinesBeforeTheNext) {
  IniDocument doc = Parsed("[A]\n; about A\n\n[B]\n");
  doc.Sections().Item("A")->Keys().Add("k", "v", "");
  EXPECT_EQ(doc.Text(), "[A]\n; about A\nk=v\r\n\n[B]\n");
}

TEST(IniDocumentWriting, RemovingDuringAnEnumerationVisitsEveryRemainingSection) {
  IniDocument doc = Parsed("[A]\n[Setting 1]\n[Setting 1]\n[B]\n[Setting 2]\n[C]\n");
  std::vector<std::string> visited;
  for (IniSection& s : doc.Sections()) {
    visited.push_back(s.Name());
    if (s.Name().starts_with("Setting")) {
      EXPECT_TRUE(doc.Sections().Remove(s.Name()));
    }
    if (s.Name() == "B") doc.Sections().Remove("C");  // a later one, not yet visited: skipped
  }
  EXPECT_EQ(visited, (std::vector<std::string>{"A", "Setting 1", "Setting 1", "B", "Setting 2"}));
  EXPECT_EQ(SectionNames(doc), (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(doc.Text(), "[A]\n[B]\n");
  EXPECT_FALSE(doc.Sections().Remove("Setting 1"));
}

TEST(IniDocumentWriting, RemoveTakesTheExactNameBeforeOneInOtherCase) {
  IniDocument doc = Parsed("[setting 1]\n[Setting 1]\n");
  doc.Sections().Remove("Setting 1");
  EXPECT_EQ(SectionNames(doc), std::vector<std::string>{"setting 1"});
}

TEST(IniDocumentWriting, ValuesReadBackAsTheyWereWritten) {
  IniDocument doc = Parsed("");
  IniKeys& keys = doc.Sections().Add("V", "").Keys();
  const std::vector<std::string> strings = {"",       "plain",   " leading",  "trailing\t", "\"quoted\"",
                                            "\"",     "a\"b\"",  "x=y;z[w]", "\xE9t\xE9",   "  "};
  for (std::size_t i = 0; i < strings.size(); ++i) keys.Add("s" + std::to_string(i), strings[i], "");
  keys.Add("min", std::int32_t{INT32_MIN}, "");
  keys.Add("max", std::int32_t{INT32_MAX}, "");
  keys.Add("yes", true, "");
  keys.Add("no", false, "");

  IniDocument again = Parsed(doc.Text());
  IniKeys& read = again.Sections().Item("V")->Keys();
  for (std::size_t i = 0; i < strings.size(); ++i)
    EXPECT_EQ(read.Item("s" + std::to_string(i))->Value().AsString(), strings[i]) << i;
  EXPECT_EQ(read.Item("min")->Value().AsInt32(), INT32_MIN);
  EXPECT_EQ(read.Item("max")->Value().AsInt32(), INT32_MAX);
  EXPECT_EQ(read.Item("yes")->Value().AsBool(), true);
  EXPECT_EQ(read.Item("no")->Value().AsBool(), false);
  EXPECT_EQ(read.Item("yes")->Value().AsString(), "True");
  EXPECT_EQ(read.Item("no")->Value().AsString(), "False");
}

TEST(IniDocumentWriting, AValueCannotBreakItsLine) {
  // A window title is anyone's to choose; it must not be able to write a
  // section of its own into the file.
  IniDocument doc = Parsed("[S]\nTitle=x\n");
  doc.Sections().Item("S")->Keys().Item("Title")->SetValue("evil\r\n[Options]\nPassword=" + std::string(1, '\0'));
  IniDocument again = Parsed(doc.Text());
  EXPECT_EQ(SectionNames(again), std::vector<std::string>{"S"});
  EXPECT_EQ(ValueOf(again, "S", "Title"), "evil  [Options] Password= ");
  EXPECT_TRUE(LooksLikeText(doc.Text()));
  EXPECT_EQ(doc.Sections().Item("S")->Keys().Item("Title")->Value().AsString(), "evil  [Options] Password= ")
      << "the value in memory is the one a reload gives";
}

TEST(IniDocumentWriting, NamesThatCannotStandInAFileAreRefused) {
  IniDocument doc = Parsed("[S]\n");
  for (const char* bad : {"", " lead", "trail ", "a]b", "a\nb"})
    EXPECT_THROW(doc.Sections().Add(bad, ""), std::invalid_argument) << bad;
  IniKeys& keys = doc.Sections().Item("S")->Keys();
  for (const char* bad : {"", "a=b", ";c", "[d]", "e\rf", " g"})
    EXPECT_THROW(keys.Add(bad, "v", ""), std::invalid_argument) << bad;
  EXPECT_EQ(doc.Text(), "[S]\n");
}

// ---- values ----

TEST(IniValueConversion, Integers) {
  EXPECT_EQ(IniValue("42").AsInt32(), 42);
  EXPECT_EQ(IniValue(" -7 ").AsInt32(), -7);
  EXPECT_EQ(IniValue("+3").AsInt32(), 3);
  EXPECT_EQ(IniValue("007").AsInt32(), 7);
  EXPECT_EQ(IniValue("2147483647").AsInt32(), INT32_MAX);
  EXPECT_EQ(IniValue("-2147483648").AsInt32(), INT32_MIN);
  for (const char* bad : {"", "2147483648", "-2147483649", "1.5", "0x10", "12a", "-", "+", "1 2", "True"})
    EXPECT_EQ(IniValue(bad).AsInt32(), std::nullopt) << bad;
}

TEST(IniValueConversion, Booleans) {
  for (const char* yes : {"True", "true", "TRUE", "tRuE", "1", "-1", "99999999999999999999", " True "})
    EXPECT_EQ(IniValue(yes).AsBool(), true) << yes;
  for (const char* no : {"False", "false", "FALSE", "0", "-0", "000"})
    EXPECT_EQ(IniValue(no).AsBool(), false) << no;
  for (const char* bad : {"", "yes", "on", "T", "1.0", "Truey"}) EXPECT_EQ(IniValue(bad).AsBool(), std::nullopt) << bad;
}

// ---- the file ----

TEST(IniDocumentFile, LoadsAndSavesThroughTheFiles) {
  sim::SimFiles files;
  files.SetFile("C:\\T\\a.ini", "[S]\r\nk=1\r\n");
  IniDocument doc(files);
  EXPECT_EQ(doc.Load("C:\\T\\a.ini"), IniLoadResult::Loaded);
  doc.Sections().Item("S")->Keys().Item("k")->SetValue(std::int32_t{2});
  EXPECT_TRUE(doc.Save());
  EXPECT_EQ(files.File("C:\\T\\a.ini"), "[S]\r\nk=2\r\n");
}

TEST(IniDocumentFile, AMissingFileIsCreatedByTheFirstSave) {
  sim::SimFiles files;
  IniDocument doc(files);
  EXPECT_EQ(doc.Load("C:\\T\\new.ini"), IniLoadResult::Missing);
  doc.LoadText("[S]\r\n");
  EXPECT_TRUE(doc.Save());
  EXPECT_EQ(files.File("C:\\T\\new.ini"), "[S]\r\n");
}

TEST(IniDocumentFile, AFileThatCannotBeReadIsNeverWrittenOver) {
  struct Case {
    std::string bytes;
    platform::FileReadStatus fault;
    IniLoadResult expected;
  };
  const std::string big(IniDocument::kMaxFileBytes + 1, 'x');
  const std::vector<Case> cases = {
      {"[S]\r\n", platform::FileReadStatus::AccessDenied, IniLoadResult::AccessDenied},
      {"[S]\r\n", platform::FileReadStatus::InUse, IniLoadResult::InUse},
      {"[S]\r\n", platform::FileReadStatus::Failed, IniLoadResult::ReadFailed},
      {big, platform::FileReadStatus::Ok, IniLoadResult::TooLarge},
      {std::string("[S]\r\nk=") + '\0' + "\r\n", platform::FileReadStatus::Ok, IniLoadResult::NotText},
      {std::string("\xFF\xFE[\0S\0]\0", 8), platform::FileReadStatus::Ok, IniLoadResult::NotText},
  };
  for (const Case& c : cases) {
    sim::SimFiles files;
    files.SetFile("C:\\a.ini", c.bytes);
    if (c.fault != platform::FileReadStatus::Ok) files.FailReads("C:\\a.ini", c.fault);
    IniDocument doc(files);
    EXPECT_EQ(doc.Load("C:\\a.ini"), c.expected);
    EXPECT_EQ(doc.Sections().Count(), 0u);
    doc.LoadText("[Other]\r\n");
    EXPECT_FALSE(doc.CanSave());
    EXPECT_FALSE(doc.Save());
    EXPECT_EQ(files.WriteAttempts(), 0);
    EXPECT_EQ(files.File("C:\\a.ini"), c.bytes);
  }
}

TEST(IniDocumentFile, AFailedSaveReportsFailureAndTheNextSaveTriesAgain) {
  sim::SimFiles files;
  files.SetFile("C:\\a.ini", "[S]\r\nk=1\r\n");
  IniDocument doc(files);
  ASSERT_EQ(doc.Load("C:\\a.ini"), IniLoadResult::Loaded);
  doc.Sections().Item("S")->Keys().Item("k")->SetValue(std::int32_t{2});
  files.FailWrites(sim::WriteFault::HalfWay);
  EXPECT_FALSE(doc.Save());
  EXPECT_EQ(files.File("C:\\a.ini"), "[S]\r\nk=1\r\n");
  EXPECT_TRUE(doc.Save());
  EXPECT_EQ(files.File("C:\\a.ini"), "[S]\r\nk=2\r\n");
}

TEST(IniDocumentFile, AnInMemoryDocumentHasNowhereToSave) {
  IniDocument doc;
  doc.LoadText("[S]\r\n");
  EXPECT_FALSE(doc.Save());
  EXPECT_EQ(doc.Load("anything"), IniLoadResult::ReadFailed);
}

}  // namespace
