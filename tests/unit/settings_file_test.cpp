#include "store/settings_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "monitor/program_state.h"
#include "platform/sim/sim_desktop.h"
#include "store/ini_document.h"
#include "store/password.h"
#include "store/shipped_settings.h"

namespace {

const std::string kPath = "C:\\Program Files\\Tarvolo\\Tarvolo.INI";

constexpr const char* kOptionKeys[] = {
    "Always On Top", "Keystroke Simulation", "Password",          "Show_Disp",      "Show_vKey",
    "Show_Modifier", "Capitalize_Disp",      "Capitalize_vKey",   "Capitalize_Modifier", "Reverse_Disp",
    "Reverse_vKey",  "Reverse_Modifier",     "Lower_Disp",        "Lower_vKey",     "Lower_Modifier"};
constexpr const char* kSettingKeys[] = {"Name",       "Action_CapsLock", "Action_NumLock", "Action_ScrollLock",
                                        "Filter_EXE", "Filter_Owner",    "Filter_Title",   "Match_EXE",
                                        "Match_Owner", "Match_Title"};

std::string Crlf(const std::string& lf) {
  std::string out;
  for (char c : lf) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

std::string OptionsBlock(const std::string& password = "") {
  return "[Options]\n"
         "Always On Top=True\n"
         "Keystroke Simulation=True\n"
         "Password=" + password + "\n"
         "Show_Disp=Ctrl + Alt + T\n"
         "Show_vKey=84\n"
         "Show_Modifier=3\n"
         "Capitalize_Disp=Ctrl + Alt + U\n"
         "Capitalize_vKey=85\n"
         "Capitalize_Modifier=3\n"
         "Reverse_Disp=Ctrl + Alt + R\n"
         "Reverse_vKey=82\n"
         "Reverse_Modifier=3\n"
         "Lower_Disp=Ctrl + Alt + L\n"
         "Lower_vKey=76\n"
         "Lower_Modifier=3\n";
}

std::string SettingBlock(const std::string& section, const std::string& name, int caps = 0,
                         const std::string& title = "") {
  return "[" + section + "]\n"
         "Name=" + name + "\n"
         "Action_CapsLock=" + std::to_string(caps) + "\n"
         "Action_NumLock=2\n"
         "Action_ScrollLock=5\n"
         "Filter_EXE=NOTEPAD.EXE\n"
         "Filter_Owner=\n"
         "Filter_Title=" + title + "\n"
         "Match_EXE=2\n"
         "Match_Owner=0\n"
         "Match_Title=1\n";
}

class SettingsFileTest : public ::testing::Test {
 protected:
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& s : state.Settings) names.push_back(s->Name);
    return names;
  }
  std::vector<std::string> FileSections() const {
    IniDocument doc;
    doc.LoadText(desk.File(kPath).value_or(""));
    std::vector<std::string> names;
    for (const IniSection& s : doc.Sections()) names.push_back(s.Name());
    return names;
  }
  IniDocument SavedFile() const {
    IniDocument doc;
    doc.LoadText(desk.File(kPath).value());
    return doc;
  }
  std::vector<std::string> SavedKeys(const std::string& section) const {
    IniDocument doc = SavedFile();
    std::vector<std::string> names;
    for (const IniKey* k : doc.Sections().Item(section)->Keys().List()) names.push_back(k->Name());
    return names;
  }
  std::string SavedValue(const std::string& section, const std::string& key) const {
    IniDocument doc = SavedFile();
    const IniSection* s = doc.Sections().Item(section);
    const IniKey* k = s ? s->Keys().Item(key) : nullptr;
    return k ? k->Value().AsString() : "<missing>";
  }

  sim::SimDesktop desk;
  ProgramState state{desk};
};

// ---- the shipped file ----

TEST_F(SettingsFileTest, TheShippedFileIsTheOneTheProgramFallsBackOn) {
  const auto shipped = std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "resources" /
                       "Tarvolo.INI";
  std::ifstream in(shipped, std::ios::binary);
  ASSERT_TRUE(in) << shipped;
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(bytes, ShippedSettingsText());
}

TEST_F(SettingsFileTest, TheShippedFileHoldsTheOptionsAndADefaultThatIgnoresEveryKey) {
  desk.SetFile(kPath, std::string(ShippedSettingsText()));
  LoadSettings(state);
  IniDocument doc;
  doc.LoadText(ShippedSettingsText());
  std::vector<std::string> optionKeys;
  for (const IniKey* k : doc.Sections().Item("Options")->Keys().List()) optionKeys.push_back(k->Name());
  EXPECT_EQ(optionKeys, std::vector<std::string>(std::begin(kOptionKeys), std::end(kOptionKeys)));

  EXPECT_FALSE(state.AppOptions.AlwaysOnTop);
  EXPECT_FALSE(state.AppOptions.KeystrokeSimulation);  // "Windows Messaging"
  EXPECT_EQ(state.AppOptions.AdminPassword, "");
  for (const clsHotkey* h : {&state.AppOptions.HotkeyShow, &state.AppOptions.HotkeyCapitalize,
                             &state.AppOptions.HotkeyReverse, &state.AppOptions.HotkeyLower}) {
    EXPECT_EQ(h->sHotkey, "");
    EXPECT_EQ(h->lVKey, 0);
    EXPECT_EQ(h->lModifier, 0);
  }
  ASSERT_EQ(Names(), std::vector<std::string>{"Default"});
  const clsSetting& d = *state.Settings.Item("Default");
  EXPECT_EQ(d.Action_CapsLock, ActionIgnore);
  EXPECT_EQ(d.Action_NumLock, ActionIgnore);
  EXPECT_EQ(d.Action_ScrollLock, ActionIgnore);
  EXPECT_EQ(state.SettingsFileProblem, "");
}

TEST_F(SettingsFileTest, SavingUnchangedShippedSettingsReproducesTheFile) {
  desk.SetFile(kPath, std::string(ShippedSettingsText()));
  LoadSettings(state);
  ASSERT_TRUE(SaveSettings(state));
  EXPECT_EQ(desk.File(kPath), ShippedSettingsText());
}

// ---- reading and writing ----

TEST_F(SettingsFileTest, ReadsEveryFieldOfTheOptionsAndTheSettings) {
  desk.SetFile(kPath, Crlf(OptionsBlock(EncodePassword("open sesame")) + SettingBlock("Setting 0", "Editor", 3, "Untitled") +
                           SettingBlock("Setting 1", "Default")));
  LoadSettings(state);
  const AppOptionsRecord& o = state.AppOptions;
  EXPECT_TRUE(o.AlwaysOnTop);
  EXPECT_TRUE(o.KeystrokeSimulation);
  EXPECT_EQ(o.AdminPassword, "open sesame");
  EXPECT_EQ(o.HotkeyShow.sDescription, "Show Tarvolo Window");
  EXPECT_EQ(o.HotkeyCapitalize.sDescription, "Capitalize highlighted text");
  EXPECT_EQ(o.HotkeyReverse.sDescription, "Reverse case of highlighted text");
  EXPECT_EQ(o.HotkeyLower.sDescription, "Make highlighted text lowercase");
  EXPECT_EQ(o.HotkeyShow.sHotkey, "Ctrl + Alt + T");
  EXPECT_EQ(o.HotkeyShow.lVKey, 84);
  EXPECT_EQ(o.HotkeyCapitalize.lVKey, 85);
  EXPECT_EQ(o.HotkeyReverse.sHotkey, "Ctrl + Alt + R");
  EXPECT_EQ(o.HotkeyLower.lVKey, 76);
  EXPECT_EQ(o.HotkeyLower.lModifier, 3);

  ASSERT_EQ(Names(), (std::vector<std::string>{"Editor", "Default"}));
  const clsSetting& e = *state.Settings.Item("editor");
  EXPECT_EQ(e.Action_CapsLock, 3);
  EXPECT_EQ(e.Action_NumLock, 2);
  EXPECT_EQ(e.Action_ScrollLock, 5);
  EXPECT_EQ(e.Filter_EXE, "NOTEPAD.EXE");
  EXPECT_EQ(e.Filter_Owner, "");
  EXPECT_EQ(e.Filter_Title, "Untitled");
  EXPECT_EQ(e.Match_EXE, 2);
  EXPECT_EQ(e.Match_Owner, 0);
  EXPECT_EQ(e.Match_Title, 1);
  EXPECT_FALSE(e.Remembered_CapsLock || e.Remembered_NumLock || e.Remembered_ScrollLock);
}

TEST_F(SettingsFileTest, LoadSaveLoadKeepsSettingsOptionsCommentsAndUnknownSections) {
  const std::string original = Crlf("; my notes\n[Fonts]\nSize=12\n; keep this\n\n" + OptionsBlock("xyz") +
                                    "Extra=kept\n\n" + SettingBlock("Setting 0", "Editor", 4, "\" padded \"") +
                                    SettingBlock("Setting 1", "Default") + "[Zebra]\nz=1\n");
  desk.SetFile(kPath, original);
  LoadSettings(state);
  const auto namesBefore = Names();
  const AppOptionsRecord optionsBefore = state.AppOptions;
  ASSERT_TRUE(SaveSettings(state));

  EXPECT_EQ(FileSections(), (std::vector<std::string>{"Fonts", "Options", "Zebra", "Setting 0", "Setting 1"}));
  const std::string saved = desk.File(kPath).value();
  EXPECT_NE(saved.find("; my notes\r\n[Fonts]\r\nSize=12\r\n; keep this\r\n"), std::string::npos);
  EXPECT_EQ(SavedValue("Options", "Extra"), "kept");
  EXPECT_EQ(SavedValue("Zebra", "z"), "1");
  EXPECT_EQ(SavedKeys("Setting 0"), std::vector<std::string>(std::begin(kSettingKeys), std::end(kSettingKeys)));

  ProgramState again(desk);
  LoadSettings(again);
  std::vector<std::string> namesAfter;
  for (const auto& s : again.Settings) namesAfter.push_back(s->Name);
  EXPECT_EQ(namesAfter, namesBefore);
  const clsSetting& e = *again.Settings.Item("Editor");
  EXPECT_EQ(e.Filter_Title, " padded ");
  EXPECT_EQ(e.Action_CapsLock, 4);
  EXPECT_EQ(again.AppOptions.AdminPassword, optionsBefore.AdminPassword);
  EXPECT_EQ(again.AppOptions.HotkeyReverse.sHotkey, optionsBefore.HotkeyReverse.sHotkey);
  EXPECT_EQ(again.AppOptions.HotkeyLower.lModifier, optionsBefore.HotkeyLower.lModifier);

  // A second save of the same state changes nothing.
  ASSERT_TRUE(SaveSettings(again));
  EXPECT_EQ(desk.File(kPath), saved);
}

TEST_F(SettingsFileTest, ChangesInMemoryReachTheFile) {
  desk.SetFile(kPath, std::string(ShippedSettingsText()));
  LoadSettings(state);
  state.AppOptions.AlwaysOnTop = true;
  state.AppOptions.HotkeyCapitalize.sHotkey = "Ctrl + Shift + C";
  state.AppOptions.HotkeyCapitalize.lVKey = 67;
  state.AppOptions.HotkeyCapitalize.lModifier = 6;
  auto word = std::make_shared<clsSetting>();
  word->Name = "Word";
  word->Filter_EXE = "WINWORD.EXE";
  word->Action_NumLock = ActionMaintainOn;
  state.Settings.Add(word, "Word");
  ASSERT_TRUE(SaveSettings(state));
  EXPECT_EQ(SavedValue("Options", "Always On Top"), "True");
  EXPECT_EQ(SavedValue("Options", "Capitalize_Disp"), "Ctrl + Shift + C");
  EXPECT_EQ(SavedValue("Options", "Capitalize_vKey"), "67");
  EXPECT_EQ(SavedValue("Options", "Capitalize_Modifier"), "6");
  EXPECT_EQ(SavedValue("Setting 1", "Name"), "Word");
  EXPECT_EQ(SavedValue("Setting 1", "Filter_EXE"), "WINWORD.EXE");
  EXPECT_EQ(SavedValue("Setting 1", "Action_NumLock"), "3");
}

// ---- which sections are settings ----

TEST_F(SettingsFileTest, SectionsBeginningWithSettingInExactCaseAreSettingsAndAreRenumbered) {
  desk.SetFile(kPath, Crlf(OptionsBlock() + SettingBlock("Settings", "A") + SettingBlock("Setting7", "B") +
                           SettingBlock("setting 2", "lower") + SettingBlock("SETTING 3", "upper") +
                           SettingBlock("Setting 9", "C")));
  LoadSettings(state);
  EXPECT_EQ(Names(), (std::vector<std::string>{"A", "B", "C"}));
  ASSERT_TRUE(SaveSettings(state));
  EXPECT_EQ(FileSections(),
            (std::vector<std::string>{"Options", "setting 2", "SETTING 3", "Setting 0", "Setting 1", "Setting 2"}));
  EXPECT_EQ(SavedValue("Setting 0", "Name"), "A");
  EXPECT_EQ(SavedValue("Setting 1", "Name"), "B");
  EXPECT_EQ(SavedValue("Setting 2", "Name"), "C");
  // The other-case sections are left exactly as they were.
  EXPECT_EQ(SavedValue("setting 2", "Name"), "lower");
  EXPECT_EQ(SavedValue("SETTING 3", "Name"), "upper");
}

TEST_F(SettingsFileTest, SettingsAreSavedInCollectionOrderWhateverTheirOldNumbers) {
  desk.SetFile(kPath, Crlf(OptionsBlock() + SettingBlock("Setting 5", "First") + SettingBlock("Setting 2", "Second") +
                           SettingBlock("Setting 0", "Third")));
  LoadSettings(state);
  ASSERT_TRUE(SaveSettings(state));
  EXPECT_EQ(FileSections(), (std::vector<std::string>{"Options", "Setting 0", "Setting 1", "Setting 2"}));
  EXPECT_EQ(SavedValue("Setting 0", "Name"), "First");
  EXPECT_EQ(SavedValue("Setting 1", "Name"), "Second");
  EXPECT_EQ(SavedValue("Setting 2", "Name"), "Third");
}

TEST_F(SettingsFileTest, AnEmptyCollectionLeavesNoSettingSectionAndStillWritesTheOptions) {
  desk.SetFile(kPath, Crlf(OptionsBlock() + SettingBlock("Setting 0", "Gone")));
  LoadSettings(state);
  state.Settings.Clear();
  state.AppOptions.KeystrokeSimulation = false;
  ASSERT_TRUE(SaveSettings(state));
  EXPECT_EQ(FileSections(), std::vector<std::string>{"Options"});
  EXPECT_EQ(SavedValue("Options", "Keystroke Simulation"), "False");
}

TEST_F(SettingsFileTest, AnEmptyFilterStaysEmpty) {
  desk.SetFile(kPath, Crlf(OptionsBlock() + SettingBlock("Setting 0", "Blank", 0, "")));
  LoadSettings(state);
  ASSERT_TRUE(SaveSettings(state));
  EXPECT_EQ(SavedValue("Setting 0", "Filter_Title"), "");
  ProgramState again(desk);
  LoadSettings(again);
  EXPECT_EQ(again.Settings.Item("Blank")->Filter_Title, "");
  EXPECT_EQ(again.Settings.Item("Blank")->Filter_Owner, "");
}

// ---- the password ----

TEST(PasswordEncoding, PrintableCharactersMoveOnePlaceAndComeBack) {
  EXPECT_EQ(EncodePassword("a b~"), "b!c ");
  EXPECT_EQ(DecodePassword("b!c "), "a b~");
  EXPECT_EQ(EncodePassword(""), "");
  std::string printable;
  for (int c = 32; c <= 126; ++c) printable += static_cast<char>(c);
  EXPECT_EQ(DecodePassword(EncodePassword(printable)), printable);
  EXPECT_EQ(EncodePassword(printable).size(), printable.size());
}

TEST(PasswordEncoding, CharactersAboveTheTildeComeBackUnchanged) {
  const std::string accented = "caf\xE9\x7F\x80\xFF";
  EXPECT_EQ(EncodePassword(accented), "dbg\xE9\x7F\x80\xFF");
  EXPECT_EQ(DecodePassword(EncodePassword(accented)), accented);
}

TEST_F(SettingsFileTest, APasswordWithSpaceTildeAndAccentSurvivesTheFile) {
  desk.SetFile(kPath, std::string(ShippedSettingsText()));
  LoadSettings(state);
  state.AppOptions.AdminPassword = "\xE9 a~";
  ASSERT_TRUE(SaveSettings(state));
  // The space is stored as "!" and the tilde as a space, which the file keeps
  // by quoting the value.
  EXPECT_NE(desk.File(kPath)->find("Password=\"\xE9!b \"\r\n"), std::string::npos);
  ProgramState again(desk);
  LoadSettings(again);
  EXPECT_EQ(again.AppOptions.AdminPassword, "\xE9 a~");
}

// ---- a missing or unreadable file ----

TEST_F(SettingsFileTest, AMissingFileStartsFromTheShippedSettingsAndTheFirstSaveCreatesIt) {
  LoadSettings(state);
  EXPECT_EQ(Names(), std::vector<std::string>{"Default"});
  EXPECT_EQ(state.SettingsFileProblem, "");
  EXPECT_FALSE(desk.File(kPath).has_value());
  ASSERT_TRUE(SaveSettings(state));
  EXPECT_EQ(desk.File(kPath), ShippedSettingsText());
}

TEST_F(SettingsFileTest, AnUnreadableFileIsReportedOnceAndNeverWrittenOver) {
  struct Case {
    const char* what;
    std::string bytes;
    platform::FileReadStatus fault;
    const char* reason;
  };
  const std::vector<Case> cases = {
      {"no permission", Crlf(OptionsBlock()), platform::FileReadStatus::AccessDenied, "refused access"},
      {"locked", Crlf(OptionsBlock()), platform::FileReadStatus::InUse, "Another program"},
      {"read error", Crlf(OptionsBlock()), platform::FileReadStatus::Failed, "error occurred"},
      {"not text", Crlf(OptionsBlock()) + std::string(3, '\0'), platform::FileReadStatus::Ok, "plain text"},
      {"UTF-16", std::string("\xFF\xFE[\0O\0]\0", 8), platform::FileReadStatus::Ok, "plain text"},
      {"huge", std::string(IniDocument::kMaxFileBytes + 10, ';'), platform::FileReadStatus::Ok, "too large"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    sim::SimDesktop d;
    d.SetFile(kPath, c.bytes);
    if (c.fault != platform::FileReadStatus::Ok) d.FailReads(kPath, c.fault);
    ProgramState s(d);
    LoadSettings(s);
    ASSERT_EQ(s.Settings.Count(), 1);
    EXPECT_EQ(s.Settings.Item(1)->Name, "Default");
    EXPECT_FALSE(s.AppOptions.AlwaysOnTop) << "the unreadable file's options are not used";
    EXPECT_NE(s.SettingsFileProblem.find(kPath), std::string::npos);
    EXPECT_NE(s.SettingsFileProblem.find(c.reason), std::string::npos);
    EXPECT_NE(s.SettingsFileProblem.find("will not save over that file"), std::string::npos);
    EXPECT_FALSE(SaveSettings(s));
    EXPECT_FALSE(SaveSettings(s));
    EXPECT_EQ(d.WriteAttempts(), 0);
    EXPECT_EQ(d.File(kPath), c.bytes);
  }
}

// ---- an incomplete or wrong file ----

TEST_F(SettingsFileTest, AMissingOptionsSectionGivesDefaultsAndIsWrittenAboveTheSettings) {
  desk.SetFile(kPath, Crlf("[Other]\nx=1\n" + SettingBlock("Setting 0", "Default")));
  state.AppOptions.AlwaysOnTop = true;  // left over from before: the load resets it
  LoadSettings(state);
  EXPECT_FALSE(state.AppOptions.AlwaysOnTop);
  EXPECT_EQ(state.AppOptions.HotkeyShow.sDescription, "Show Tarvolo Window");
  EXPECT_EQ(Names(), std::vector<std::string>{"Default"});
  ASSERT_TRUE(SaveSettings(state));
  EXPECT_EQ(FileSections(), (std::vector<std::string>{"Other", "Options", "Setting 0"}));
  EXPECT_EQ(SavedKeys("Options"), std::vector<std::string>(std::begin(kOptionKeys), std::end(kOptionKeys)));
}

TEST_F(SettingsFileTest, MissingKeysTakeTheirDefaultsAndTheNextSaveWritesThem) {
  desk.SetFile(kPath, Crlf("[Options]\nPassword=" + EncodePassword("pw") + "\nShow_vKey=84\n; end of options\n"
                           "[Setting 0]\nName=Sparse\nAction_NumLock=1\n"));
  LoadSettings(state);
  EXPECT_EQ(state.AppOptions.AdminPassword, "pw");
  EXPECT_EQ(state.AppOptions.HotkeyShow.lVKey, 84);
  EXPECT_EQ(state.AppOptions.HotkeyShow.sHotkey, "");
  EXPECT_FALSE(state.AppOptions.KeystrokeSimulation);
  const clsSetting& s = *state.Settings.Item("Sparse");
  EXPECT_EQ(s.Action_NumLock, 1);
  EXPECT_EQ(s.Action_CapsLock, 0);
  EXPECT_EQ(s.Filter_Title, "");
  EXPECT_EQ(s.Match_EXE, 0);

  ASSERT_TRUE(SaveSettings(state));
  const auto optionKeys = SavedKeys("Options");
  EXPECT_EQ(optionKeys.size(), 15u);
  EXPECT_EQ(optionKeys[0], "Password") << "present keys keep their place; missing ones follow";
  EXPECT_EQ(SavedKeys("Setting 0"), std::vector<std::string>(std::begin(kSettingKeys), std::end(kSettingKeys)));
  EXPECT_NE(desk.File(kPath)->find("Lower_Modifier=0\r\n; end of options\r\n"), std::string::npos);
}

TEST_F(SettingsFileTest, AValueThatDoesNotConvertTakesItsDefaultButCodesOutOfRangeAreKept) {
  desk.SetFile(kPath, Crlf("[Options]\nAlways On Top=maybe\nKeystroke Simulation=-1\nShow_vKey=12x\n"
                           "Lower_Modifier=99999999999\n"
                           "[Setting 0]\nName=Odd\nAction_CapsLock=abc\nAction_NumLock=9\nAction_ScrollLock=-3\n"
                           "Match_Title=7\nMatch_EXE=2.0\n"));
  LoadSettings(state);
  EXPECT_FALSE(state.AppOptions.AlwaysOnTop);
  EXPECT_TRUE(state.AppOptions.KeystrokeSimulation);
  EXPECT_EQ(state.AppOptions.HotkeyShow.lVKey, 0);
  EXPECT_EQ(state.AppOptions.HotkeyLower.lModifier, 0);
  const clsSetting& s = *state.Settings.Item("Odd");
  EXPECT_EQ(s.Action_CapsLock, 0);
  EXPECT_EQ(s.Action_NumLock, 9);
  EXPECT_EQ(s.Action_ScrollLock, -3);
  EXPECT_EQ(s.Match_Title, 7);
  EXPECT_EQ(s.Match_EXE, 0);
  ASSERT_TRUE(SaveSettings(state));
  EXPECT_EQ(SavedValue("Setting 0", "Action_NumLock"), "9");
  EXPECT_EQ(SavedValue("Setting 0", "Action_ScrollLock"), "-3");
  EXPECT_EQ(SavedValue("Setting 0", "Match_Title"), "7");
}

TEST_F(SettingsFileTest, SettingsWithTheSameNameAllSurvive) {
  desk.SetFile(kPath, Crlf(OptionsBlock() + SettingBlock("Setting 0", "Word", 1) + SettingBlock("Setting 1", "WORD", 2) +
                           SettingBlock("Setting 2", "Word", 3) + SettingBlock("Setting 3", "Word (2)", 4)));
  LoadSettings(state);
  EXPECT_EQ(Names(), (std::vector<std::string>{"Word", "WORD (2)", "Word (3)", "Word (2) (2)"}));
  EXPECT_EQ(state.Settings.Item("Word (3)")->Action_CapsLock, 3);
  EXPECT_EQ(state.Settings.Item("Word (2) (2)")->Action_CapsLock, 4);
  ASSERT_TRUE(SaveSettings(state));
  ProgramState again(desk);
  LoadSettings(again);
  EXPECT_EQ(again.Settings.Count(), 4);
  EXPECT_EQ(again.Settings.Item("WORD (2)")->Action_CapsLock, 2);
}

TEST_F(SettingsFileTest, ASettingWithoutANameTakesItsSectionName) {
  desk.SetFile(kPath, Crlf(OptionsBlock() + "[Setting 4]\nAction_CapsLock=1\n[Settings]\nName=\n"));
  LoadSettings(state);
  EXPECT_EQ(Names(), (std::vector<std::string>{"Setting 4", "Settings"}));
  EXPECT_EQ(state.Settings.Item("Setting 4")->Action_CapsLock, 1);
}

TEST_F(SettingsFileTest, OddBytesLineEndsAndLongLinesAreRead) {
  const std::string longTitle(100000, 'T');
  desk.SetFile(kPath, "\xEF\xBB\xBF[Options]\nAlways On Top=TRUE\r\nPassword=\xE9\r[Setting 0]\r\nName=Caf\xE9\n"
                      "Filter_Title=" + longTitle + "\r\nAction_CapsLock=2");
  LoadSettings(state);
  EXPECT_TRUE(state.AppOptions.AlwaysOnTop);
  EXPECT_EQ(state.AppOptions.AdminPassword, "\xE9");
  ASSERT_EQ(Names(), std::vector<std::string>{"Caf\xE9"});
  EXPECT_EQ(state.Settings.Item(1)->Filter_Title, longTitle);
  EXPECT_EQ(state.Settings.Item(1)->Action_CapsLock, 2);
  ASSERT_TRUE(SaveSettings(state));
  ProgramState again(desk);
  LoadSettings(again);
  EXPECT_EQ(again.Settings.Item(1)->Filter_Title, longTitle);
  EXPECT_TRUE(desk.File(kPath)->starts_with("\xEF\xBB\xBF[Options]\nAlways On Top=True\r\n"));
}

TEST_F(SettingsFileTest, ATitleWithLineBreaksCannotAddSectionsToTheFile) {
  desk.SetFile(kPath, std::string(ShippedSettingsText()));
  LoadSettings(state);
  state.Settings.Item("Default")->Filter_Title = "x\r\n[Options]\r\nPassword=";
  ASSERT_TRUE(SaveSettings(state));
  EXPECT_EQ(FileSections(), (std::vector<std::string>{"Options", "Setting 0"}));
  EXPECT_EQ(SavedValue("Setting 0", "Filter_Title"), "x  [Options]  Password=");
}

// ---- saving ----

TEST_F(SettingsFileTest, ASaveThatFailsLeavesTheOldFileAndTheNextSaveTriesAgain) {
  for (sim::WriteFault fault : {sim::WriteFault::HalfWay, sim::WriteFault::Replace}) {
    sim::SimDesktop d;
    d.SetFile(kPath, std::string(ShippedSettingsText()));
    ProgramState s(d);
    LoadSettings(s);
    s.AppOptions.AlwaysOnTop = true;
    d.FailWrites(fault);
    EXPECT_FALSE(SaveSettings(s));
    EXPECT_EQ(d.File(kPath), ShippedSettingsText());
    EXPECT_EQ(d.Paths(), std::vector<std::string>{kPath}) << "no temporary file is left behind";
    EXPECT_TRUE(SaveSettings(s));
    EXPECT_NE(d.File(kPath)->find("Always On Top=True\r\n"), std::string::npos);
    EXPECT_EQ(d.WriteAttempts(), 2);
  }
}

TEST_F(SettingsFileTest, NothingIsSavedBeforeTheFileWasLoaded) {
  EXPECT_FALSE(SaveSettings(state));
  EXPECT_EQ(desk.WriteAttempts(), 0);
}

TEST_F(SettingsFileTest, ASecondLoadStartsAfresh) {
  desk.SetFile(kPath, Crlf(OptionsBlock() + SettingBlock("Setting 0", "One")));
  LoadSettings(state);
  desk.SetFile(kPath, Crlf(OptionsBlock() + SettingBlock("Setting 0", "Two")));
  LoadSettings(state);
  EXPECT_EQ(Names(), std::vector<std::string>{"Two"});
}

// ---- where the file is ----

TEST(SettingsFilePath, IsTheProgramFolderWithTheFileName) {
  EXPECT_EQ(SettingsFilePath("C:\\Program Files\\Tarvolo"), "C:\\Program Files\\Tarvolo\\Tarvolo.INI");
  EXPECT_EQ(SettingsFilePath("C:\\"), "C:\\Tarvolo.INI");
  EXPECT_EQ(SettingsFilePath(""), "\\Tarvolo.INI");
}

TEST_F(SettingsFileTest, IsReadFromTheProgramFolder) {
  desk.SetProgramFolder("D:\\My Tools\\");
  desk.SetFile("D:\\My Tools\\Tarvolo.INI", Crlf(OptionsBlock() + SettingBlock("Setting 0", "Here")));
  LoadSettings(state);
  EXPECT_EQ(Names(), std::vector<std::string>{"Here"});
  ASSERT_TRUE(SaveSettings(state));
  EXPECT_EQ(desk.Paths(), std::vector<std::string>{"D:\\My Tools\\Tarvolo.INI"});
}

}  // namespace
