#include "store/settings_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/program_state.h"
#include "platform/sim/sim_desktop.h"
#include "platform/text/utf8.h"
#include "store/file_encoding.h"
#include "store/ini_document.h"
#include "store/password.h"
#include "store/shipped_settings.h"

namespace {

using Names = std::vector<std::string>;
const std::string kPath = "C:\\Program Files\\Tarvolo\\Tarvolo.INI";

std::string Crlf(const std::string& lf) {
  std::string out;
  for (char c : lf) out += c == '\n' ? std::string("\r\n") : std::string(1, c);
  return out;
}

// Every option with a value of its own; the hot-keys are Ctrl + Alt + T, U, R, L.
std::string OptionsBlock(const std::string& storedPassword = "") {
  std::string text = "[Options]\nAlways On Top=True\nKeystroke Simulation=True\nPassword=" + storedPassword + "\n";
  for (auto [name, key] : {std::pair{"Show", 'T'}, {"Capitalize", 'U'}, {"Reverse", 'R'}, {"Lower", 'L'}})
    text += std::string(name) + "_Disp=Ctrl + Alt + " + key + "\n" + name + "_vKey=" + std::to_string(key) + "\n" +
            name + "_Modifier=3\n";
  return text;
}

std::string SettingBlock(const std::string& section, const std::string& name, int caps = 0,
                         const std::string& title = "") {
  return "[" + section + "]\nName=" + name + "\nAction_CapsLock=" + std::to_string(caps) +
         "\nAction_NumLock=2\nAction_ScrollLock=5\nFilter_EXE=NOTEPAD.EXE\nFilter_Owner=Word\nFilter_Title=" + title +
         "\nMatch_EXE=2\nMatch_Owner=1\nMatch_Title=0\n";
}

// Greek and Japanese, which Windows-1252 cannot hold, and a file in it.
const std::string kGreek = "\xCE\x95\xCE\xBB\xCE\xBB\xCE\xAC\xCE\xB4\xCE\xB1";
const std::string kJapanese = "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\xE3\x83\xA1\xE3\x83\xA2";  // Nihongo memo
const std::string kAnsiFile =
    Crlf("; caf\xE9 notes\n" + OptionsBlock("\xE9!b") + "\n" + SettingBlock("Setting 0", "Caf\xE9", 1, "Caf\xE9"));

// UTF-16LE code units, and a file of them as Windows' profile functions keep one.
std::string Utf16Units(const std::string& utf8) {
  std::string bytes;
  for (const char16_t unit : text::Utf8ToUtf16(utf8))
    bytes += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
  return bytes;
}
std::string Utf16File(const std::string& utf8) { return "\xFF\xFE" + Utf16Units(utf8); }

class SettingsFileTest : public ::testing::Test {
 protected:
  // Loads the text as the settings file into a fresh state.
  ProgramState& Load(const std::string& text) {
    desk.SetFile(kPath, text);
    LoadSettings(state);
    return state;
  }
  ProgramState& Reload() {
    again = std::make_unique<ProgramState>(desk);
    LoadSettings(*again);
    return *again;
  }
  static Names NamesOf(const SettingsStore& s) {
    Names names;
    for (const auto& setting : s.Settings) names.push_back(setting->Name);
    return names;
  }
  // The saved file's sections, or the keys of one of them.
  Names SavedNames(const std::string& section = "") {
    IniDocument doc;
    doc.LoadText(DecodeFile(desk.File(kPath).value_or(""), desk).text);
    Names names;
    if (section.empty())
      for (const IniSection& s : doc.Sections()) names.push_back(s.Name());
    else
      for (const IniKey* k : doc.Sections().Item(section)->Keys().List()) names.push_back(k->Name());
    return names;
  }
  bool SavedHas(const std::string& text) { return desk.File(kPath).value_or("").find(text) != std::string::npos; }

  sim::SimDesktop desk;
  ProgramState state{desk};
  std::unique_ptr<ProgramState> again;
};

TEST_F(SettingsFileTest, TheShippedFileIsTheFallbackAndAnUnchangedSaveReproducesIt) {
  const auto shipped = std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "resources" /
                       "Tarvolo.INI";
  std::ifstream in(shipped, std::ios::binary);
  ASSERT_TRUE(in) << shipped;
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), ShippedSettingsText());

  LoadSettings(state);  // no file yet
  EXPECT_EQ(NamesOf(state), Names{"Default"});
  EXPECT_EQ(state.SettingsFileProblem, "");
  EXPECT_FALSE(desk.File(kPath).has_value());
  ASSERT_TRUE(SaveSettings(state));
  EXPECT_EQ(desk.File(kPath), ShippedSettingsText());
}

TEST_F(SettingsFileTest, EveryFieldIsWrittenUnderItsOwnKeyAndReadBackFromIt) {
  LoadSettings(state);
  AppOptionsRecord& o = state.AppOptions;
  o.AlwaysOnTop = o.KeystrokeSimulation = o.ShowLockKeysInTray = o.TellLockKeyChanges = true;
  o.AdminPassword = "\xC3\xA9 a}~";  // as typed: UTF-8
  const auto hotkeys = {std::pair{&AppOptionsRecord::HotkeyShow, 'T'}, {&AppOptionsRecord::HotkeyCapitalize, 'U'},
                        {&AppOptionsRecord::HotkeyReverse, 'R'}, {&AppOptionsRecord::HotkeyLower, 'L'}};
  for (auto [hotkey, key] : hotkeys) o.*hotkey = {"", std::string("Ctrl + Alt + ") + key, 3, key, false, "", false};
  clsSetting& d = *state.Settings.Item(1);
  d = {"Editor", "Untitled", "Word", "NOTEPAD.EXE", 0, 1, 2, 3, 2, 5, false, false, false};
  ASSERT_TRUE(SaveSettings(state));
  EXPECT_TRUE(desk.File(kPath)->ends_with(
      Crlf(OptionsBlock("\"\xE9!b~ \"") + "Lock Keys In Tray Icon=True\nTell Lock Key Changes=True\n\n" +
           SettingBlock("Setting 0", "Editor", 3, "Untitled"))))
      << *desk.File(kPath);

  const AppOptionsRecord& r = Reload().AppOptions;
  EXPECT_TRUE(r.AlwaysOnTop && r.KeystrokeSimulation && r.ShowLockKeysInTray && r.TellLockKeyChanges);
  EXPECT_EQ(r.AdminPassword, "\xC3\xA9 a}~") << "stored as \"\xE9!b~ \", quoted for its closing space";
  for (auto [hotkey, key] : hotkeys)
    EXPECT_EQ((std::tuple{(r.*hotkey).sHotkey, (r.*hotkey).lVKey, (r.*hotkey).lModifier}),
              (std::tuple{std::string("Ctrl + Alt + ") + key, std::int32_t{key}, 3}));
  const clsSetting& e = *again->Settings.Item("editor");
  EXPECT_EQ((std::vector<std::int32_t>{e.Action_CapsLock, e.Action_NumLock, e.Action_ScrollLock, e.Match_EXE,
                                       e.Match_Owner, e.Match_Title}),
            (std::vector<std::int32_t>{3, 2, 5, 2, 1, 0}));
  EXPECT_EQ((Names{e.Filter_EXE, e.Filter_Owner, e.Filter_Title}), (Names{"NOTEPAD.EXE", "Word", "Untitled"}));
}

TEST_F(SettingsFileTest, AFileInEachEncodingIsReadAndAnUnchangedSaveGivesBackItsBytes) {
  const std::string cyrillic = "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82";  // Privet
  const std::string cjkAndEmoji = kJapanese + " \xF0\x9F\x98\x80";
  const std::string password = "\xD0\x9F\xD0\xB0\xD1\x80\xD0\xBE\xD0\xBB\xD1\x8C 1";  // Parol' 1
  // Lines the program does not own, with every kind of line end, come back byte for byte.
  const std::string world =
      Crlf("; notes \xE2\x80\x94 \xE2\x9C\x93\n" + OptionsBlock(EncodePassword(password)) + "Extra=kept\n\n") +
      "[Fonts]\rSize=12\n; keep this\r\n\r\n" +
      Crlf(SettingBlock("Setting 0", cyrillic, 1, kGreek) + "\n" +
           SettingBlock("Setting 1", cjkAndEmoji, 1, "Caf\xC3\xA9"));
  const struct {
    const char* what;
    std::string bytes;
    FileEncoding encoding;
    Names names;
    std::string password;
  } cases[] = {
      {"ANSI", kAnsiFile, FileEncoding::Ansi, {"Caf\xC3\xA9"}, "\xC3\xA9 a"},
      {"UTF-8", world, FileEncoding::Utf8, {cyrillic, cjkAndEmoji}, password},
      {"UTF-8 with a mark", "\xEF\xBB\xBF" + world, FileEncoding::Utf8WithMark, {cyrillic, cjkAndEmoji}, password},
      {"UTF-16LE", Utf16File(world), FileEncoding::Utf16WithMark, {cyrillic, cjkAndEmoji}, password},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    sim::SimDesktop d;
    d.SetFile(kPath, c.bytes);
    ProgramState s(d);
    LoadSettings(s);
    EXPECT_EQ(s.SettingsFileProblem, "");
    EXPECT_EQ(s.SettingsDocument->Encoding(), c.encoding);
    EXPECT_EQ(NamesOf(s), c.names);
    EXPECT_EQ(s.AppOptions.AdminPassword, c.password);

    ASSERT_TRUE(SaveSettings(s));
    EXPECT_EQ(d.File(kPath), c.bytes);
    EXPECT_EQ(d.Paths(), Names{kPath});
  }
}

TEST_F(SettingsFileTest, TextTheAnsiCodePageCannotHoldMakesTheWholeFileUtf8WithAMarkNeverQuestionMarks) {
  Load(kAnsiFile);
  auto memo = std::make_shared<clsSetting>();
  memo->Name = kJapanese;
  memo->Filter_Title = kGreek;
  state.Settings.Add(memo, memo->Name);
  ASSERT_TRUE(SaveSettings(state));
  const std::string saved = desk.File(kPath).value();
  EXPECT_TRUE(saved.starts_with("\xEF\xBB\xBF" + Crlf("; caf\xC3\xA9 notes\n[Options]\n"))) << saved;
  EXPECT_EQ(saved.find('?'), std::string::npos) << saved;
  EXPECT_EQ(desk.Paths(), Names{kPath}) << "nothing of the old file was lost, so nothing is kept aside";
  EXPECT_EQ(NamesOf(Reload()), (Names{"Caf\xC3\xA9", kJapanese}));
  EXPECT_EQ(again->Settings.Item(2)->Filter_Title, kGreek);
  EXPECT_EQ(again->AppOptions.AdminPassword, "\xC3\xA9 a") << "stored as UTF-8 files store it";

  // A password alone that the code page cannot hold does the same, and is kept.
  Load(kAnsiFile);
  state.AppOptions.AdminPassword = kJapanese;
  ASSERT_TRUE(SaveSettings(state));
  EXPECT_TRUE(desk.File(kPath)->starts_with("\xEF\xBB\xBF;"));
  EXPECT_EQ(Reload().AppOptions.AdminPassword, kJapanese);

  // Bytes that are not UTF-8 have no form in UTF-16 either; UTF-8 with a
  // mark keeps them as they are, and the file does not go back and forth.
  Load(Utf16File(Crlf(OptionsBlock() + "\n" + SettingBlock("Setting 0", "A"))));
  state.Settings.Item(1)->Filter_Title = "caf\xE9";
  ASSERT_TRUE(SaveSettings(state));
  EXPECT_TRUE(SavedHas("\r\nFilter_Title=caf\xE9\r\n"));
  state.Settings.Item(1)->Filter_Title = "cafe";
  ASSERT_TRUE(SaveSettings(state));
  EXPECT_TRUE(desk.File(kPath)->starts_with("\xEF\xBB\xBF[Options]"));
}

// Three katakana of Shift JIS, a code page of two bytes to a character
// whose second byte may be printable ASCII; other bytes above ASCII read as
// U+30FB and other characters have no form in it.
class KatakanaCodePage : public platform::OsText {
 public:
  std::string CharUpper(std::string_view text) override { return std::string(text); }
  std::string CharLower(std::string_view text) override { return std::string(text); }
  std::string FromAnsiCodePage(std::string_view bytes) override { return *Convert(bytes, 1); }
  std::optional<std::string> ToAnsiCodePage(std::string_view text) override { return Convert(text, 0); }

 private:
  static std::optional<std::string> Convert(std::string_view in, int from) {
    static const std::string kChars[][2] = {
        {"\xE3\x82\xBD", "\x83\x5C"}, {"\xE3\x82\xBE", "\x83\x5D"}, {"\xE3\x83\x9F", "\x83\x7E"}};
    std::string out;
    while (!in.empty()) {
      const auto* c = std::ranges::find_if(kChars, [&](const auto& pair) { return in.starts_with(pair[from]); });
      const bool known = c != std::end(kChars);
      if (known)
        out += (*c)[1 - from];
      else if (static_cast<unsigned char>(in[0]) < 0x80)
        out += in[0];
      else if (from == 1)
        out += "\xE3\x83\xBB";
      else
        return std::nullopt;
      in.remove_prefix(known ? (*c)[from].size() : 1);
    }
    return out;
  }
};

TEST_F(SettingsFileTest, APasswordSetInACodePageOfTwoBytesACharacterIsStillTheSame) {
  const std::string so = "\xE3\x82\xBD";  // U+30BD, 83 5C
  const std::string mi = "\xE3\x83\x9F";  // U+30DF, 83 7E: stored, its second byte becomes a space
  KatakanaCodePage codePage;
  // As earlier versions stored "<so> a": each byte of 83 5C 20 61 moved on.
  const std::string file = Crlf(OptionsBlock("\x83\x5D!b") + "\n" + SettingBlock("Setting 0", "\x83\x5C"));
  for (const std::string& password : {so + " a", mi}) {
    SCOPED_TRACE(password);
    desk.SetFile(kPath, file);
    SettingsStore s(desk, codePage);
    LoadSettings(s);
    EXPECT_EQ(NamesOf(s), Names{so});
    EXPECT_EQ(s.AppOptions.AdminPassword, so + " a");
    ASSERT_TRUE(SaveSettings(s));
    EXPECT_EQ(desk.File(kPath), file);

    // UTF-8 it becomes for a name outside the code page, or for a password
    // whose stored form is no text of it; either way the password stays.
    s.AppOptions.AdminPassword = password;
    if (password != mi) s.Settings.Item(1)->Name = "\xCE\x95";
    ASSERT_TRUE(SaveSettings(s));
    EXPECT_TRUE(desk.File(kPath)->starts_with("\xEF\xBB\xBF"));
    SettingsStore t(desk, codePage);
    LoadSettings(t);
    EXPECT_EQ(t.AppOptions.AdminPassword, password);
  }
}

// Names already taken get a number; a section without a name gives its own.
TEST_F(SettingsFileTest, OnlySectionsBeginningWithSettingInExactCaseAreSettingsUniquelyNamedAndRenumbered) {
  Load(Crlf(OptionsBlock() + SettingBlock("Settings", "Word", 1) + SettingBlock("setting 0", "lower") +
            SettingBlock("Setting 7", "WORD", 2) + SettingBlock("SETTING 3", "upper") +
            SettingBlock("Setting 0", "Word", 3) + SettingBlock("Setting 3", "Word (2)", 4) +
            "[Setting 4]\nAction_CapsLock=1\n[Setting]\nName=\n"));
  EXPECT_EQ(NamesOf(state), (Names{"Word", "WORD (2)", "Word (3)", "Word (2) (2)", "Setting 4", "Setting"}));
  EXPECT_EQ(state.Settings.Item("Word (2) (2)")->Action_CapsLock, 4);
  ASSERT_TRUE(SaveSettings(state));
  EXPECT_EQ(SavedNames(), (Names{"Options", "setting 0", "SETTING 3", "Setting 0", "Setting 1", "Setting 2",
                                 "Setting 3", "Setting 4", "Setting 5"}));
  EXPECT_TRUE(SavedHas("[Setting 2]\r\nName=Word (3)\r\n"));
  EXPECT_TRUE(SavedHas("[setting 0]\r\nName=lower\r\n")) << "left exactly as it was";
  EXPECT_EQ(NamesOf(Reload()), NamesOf(state));

  state.Settings.Clear();
  ASSERT_TRUE(SaveSettings(state));
  EXPECT_EQ(SavedNames(), (Names{"Options", "setting 0", "SETTING 3"}));
}

TEST_F(SettingsFileTest, AnUnreadableFileIsReportedAndNeverWrittenOver) {
  const struct {
    const char* what;
    std::string bytes;
    platform::FileReadStatus fault;
    const char* reason;
  } cases[] = {
      {"no permission", Crlf(OptionsBlock()), platform::FileReadStatus::AccessDenied, "refused access"},
      {"locked", Crlf(OptionsBlock()), platform::FileReadStatus::InUse, "Another program"},
      {"read error", Crlf(OptionsBlock()), platform::FileReadStatus::Failed, "error occurred"},
      {"not text", Crlf(OptionsBlock()) + std::string(3, '\0'), platform::FileReadStatus::Ok, "plain text"},
      {"huge", std::string(IniDocument::kMaxFileBytes + 10, ';'), platform::FileReadStatus::Ok, "too large"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    sim::SimDesktop d;
    d.SetFile(kPath, c.bytes);
    if (c.fault != platform::FileReadStatus::Ok) d.FailReads(kPath, c.fault);
    ProgramState s(d);
    LoadSettings(s);
    EXPECT_EQ(NamesOf(s), Names{"Default"});
    EXPECT_FALSE(s.AppOptions.AlwaysOnTop) << "the unreadable file's options are not used";
    for (const std::string& part : {kPath, std::string(c.reason), std::string("will not save over that file")})
      EXPECT_NE(s.SettingsFileProblem.find(part), std::string::npos) << part;
    EXPECT_FALSE(SaveSettings(s));
    EXPECT_EQ(d.WriteAttempts(), 0);
    EXPECT_EQ(d.File(kPath), c.bytes);
  }
}

TEST_F(SettingsFileTest, MissingOrUnconvertibleValuesTakeTheirDefaultsOutOfRangeCodesStayAndASaveWritesAll) {
  Load(Crlf("[Other]\nx=1\n[Setting 0]\nName=Sparse\nAction_CapsLock=abc\nAction_NumLock=9\nAction_ScrollLock=-3\n"
            "Match_Title=7\nMatch_EXE=2.0\n"));
  EXPECT_EQ(state.AppOptions.HotkeyShow.sDescription, "Show Tarvolo Window");
  const clsSetting& s = *state.Settings.Item("Sparse");
  EXPECT_EQ((std::vector<std::int32_t>{s.Action_CapsLock, s.Action_NumLock, s.Action_ScrollLock, s.Match_Title,
                                       s.Match_EXE}),
            (std::vector<std::int32_t>{0, 9, -3, 7, 0}));
  ASSERT_TRUE(SaveSettings(state));
  EXPECT_EQ(SavedNames(), (Names{"Other", "Options", "Setting 0"})) << "the options go above the settings";
  EXPECT_EQ(SavedNames("Options").size(), 15u) << "every option is written";
  EXPECT_TRUE(SavedHas("\r\nAction_ScrollLock=-3\r\n"));

  state.AppOptions.AlwaysOnTop = true;  // left over from before: the load resets it
  Load(Crlf("[Options]\nPassword=" + EncodePassword("pw") + "\nShow_vKey=84\nAlways On Top=maybe\n"
            "Keystroke Simulation=-1\nShow_Modifier=12x\nLower_Modifier=99999999999\n; end of options\n"));
  const AppOptionsRecord& o = state.AppOptions;
  EXPECT_EQ((std::vector<std::int32_t>{o.AlwaysOnTop, o.KeystrokeSimulation, o.HotkeyShow.lVKey,
                                       o.HotkeyShow.lModifier, o.HotkeyLower.lModifier}),
            (std::vector<std::int32_t>{false, true, 84, 0, 0}));
  EXPECT_EQ(o.AdminPassword, "pw");
  ASSERT_TRUE(SaveSettings(state));
  const Names keys = SavedNames("Options");
  EXPECT_EQ(Names(keys.begin(), keys.begin() + 2), (Names{"Password", "Show_vKey"})) << "present keys keep their place";
  EXPECT_EQ(keys.size(), 15u);
  EXPECT_TRUE(SavedHas("Lower_vKey=0\r\n; end of options\r\n"));
}

TEST_F(SettingsFileTest, ATitleWithLineBreaksCannotWriteSectionsOfItsOwn) {
  // A window title is anyone's to choose.
  LoadSettings(state);
  state.Settings.Item(1)->Filter_Title = "x\r\n[Options]\nPassword=" + std::string(1, '\0');
  ASSERT_TRUE(SaveSettings(state));
  EXPECT_EQ(SavedNames(), (Names{"Options", "Setting 0"}));
  EXPECT_TRUE(SavedHas("\r\nFilter_Title=\"x  [Options] Password= \"\r\n"));
  EXPECT_TRUE(LooksLikeText(*desk.File(kPath)));
}

TEST_F(SettingsFileTest, ASaveThatFailsLeavesTheOldFileAndTheNextSaveTriesAgain) {
  EXPECT_FALSE(SaveSettings(state)) << "nothing is saved before the file was loaded";
  EXPECT_EQ(desk.WriteAttempts(), 0);
  for (sim::WriteFault fault : {sim::WriteFault::HalfWay, sim::WriteFault::Replace}) {
    Load(std::string(ShippedSettingsText()));
    state.AppOptions.AlwaysOnTop = true;
    desk.FailWrites(fault);
    EXPECT_FALSE(SaveSettings(state));
    EXPECT_EQ(desk.File(kPath), ShippedSettingsText());
    EXPECT_EQ(desk.Paths(), Names{kPath}) << "no temporary file is left behind";
    EXPECT_TRUE(SaveSettings(state));
    EXPECT_TRUE(SavedHas("Always On Top=True\r\n"));
  }
}

TEST_F(SettingsFileTest, IsTheProgramFoldersAndASecondLoadStartsAfresh) {
  EXPECT_EQ(SettingsFilePath("C:\\"), "C:\\Tarvolo.INI");
  EXPECT_EQ(SettingsFilePath(""), "\\Tarvolo.INI");
  desk.SetProgramFolder("D:\\My Tools\\");
  desk.SetFile("D:\\My Tools\\Tarvolo.INI", Crlf(OptionsBlock() + SettingBlock("Setting 0", "Here")));
  LoadSettings(state);
  EXPECT_EQ(NamesOf(state), Names{"Here"});
  desk.SetFile("D:\\My Tools\\Tarvolo.INI", Crlf(SettingBlock("Setting 0", "Two")));
  LoadSettings(state);
  EXPECT_EQ(NamesOf(state), Names{"Two"});
  EXPECT_TRUE(state.AppOptions.HotkeyShow.sHotkey.empty());
  ASSERT_TRUE(SaveSettings(state));
  EXPECT_EQ(desk.Paths(), Names{"D:\\My Tools\\Tarvolo.INI"});
}

// While the program's folder takes no new file, the settings live in
// AppData: made there once, from the file beside the program or the shipped
// one, and read and written there from then on.
TEST_F(SettingsFileTest, AProgramFolderThatTakesNoNewFileKeepsTheSettingsInAppData) {
  const std::string moved = "C:\\Users\\Ann\\AppData\\Roaming\\Tarvolo\\Tarvolo.INI";
  const std::string text = Crlf(OptionsBlock() + SettingBlock("Setting 0", "Beside"));
  desk.SetFile(kPath, text);
  desk.DenyNewFilesIn("C:\\Program Files\\Tarvolo");
  LoadSettings(state);
  ASSERT_EQ(state.SettingsDocument->Path(), moved);
  EXPECT_TRUE(desk.GetFileInfo("C:\\Users\\Ann\\AppData\\Roaming\\Tarvolo")->folder);
  EXPECT_EQ(desk.File(moved), text);
  EXPECT_NE(state.SettingsFileNotice.find("\r\n\r\n" + moved + "\r\n\r\nwhich starts as a copy"), std::string::npos);
  state.AppOptions.AlwaysOnTop = false;
  ASSERT_TRUE(SaveSettings(state));
  EXPECT_EQ(desk.File(kPath), text);

  EXPECT_EQ(Reload().SettingsDocument->Path(), moved);
  EXPECT_EQ(again->SettingsFileNotice, "") << "told once";
  EXPECT_FALSE(again->AppOptions.AlwaysOnTop);
  // Changed by hand while in use, it is read again from where it is, even
  // when the program's folder has become writable meanwhile.
  desk.DenyNewFilesIn("C:\\Program Files\\Tarvolo", false);
  desk.SetFile(moved, Crlf(SettingBlock("Setting 0", "Default")));
  ReadSettingsChangedOnDisk(*again);
  const std::unique_ptr<SettingsStore> byHand = ReadSettingsChangedOnDisk(*again);
  ASSERT_TRUE(byHand);
  EXPECT_EQ(NamesOf(*byHand), Names{"Default"});
  desk.DenyNewFilesIn("C:\\Program Files\\Tarvolo");

  desk.RemoveFile(moved);
  desk.RemoveFile(kPath);
  EXPECT_NE(Reload().SettingsFileNotice.find("original settings"), std::string::npos);
  EXPECT_EQ(desk.File(moved), ShippedSettingsText());

  // A file beside the program that cannot be read is not left behind; nor
  // are the settings without an AppData folder.
  desk.RemoveFile(moved);
  desk.SetFile(kPath, text);
  desk.FailReads(kPath, platform::FileReadStatus::AccessDenied);
  EXPECT_NE(Reload().SettingsFileProblem.find(kPath), std::string::npos);
  desk.FailReads(kPath, platform::FileReadStatus::Ok);
  desk.SetAppDataFolder("");
  EXPECT_EQ(Reload().SettingsDocument->Path(), kPath);
  EXPECT_EQ(desk.File(moved), std::nullopt);
}

TEST_F(SettingsFileTest, AFileChangedByHandOrNotReadExactlyIsKeptBesideItBeforeASaveWritesOverIt) {
  Load(Crlf(OptionsBlock() + SettingBlock("Setting 0", "Mine")));
  const std::string byHand = Crlf(OptionsBlock() + SettingBlock("Setting 0", "Mine") +
                                  SettingBlock("Setting 1", "Added by hand"));
  desk.SetFile(kPath, byHand);
  const IniSaveResult first = SaveSettings(state);
  ASSERT_TRUE(first.Saved());
  EXPECT_EQ(first.backupPath, kPath + ".bak");
  EXPECT_EQ(first.backupReason, IniBackupReason::ChangedMeanwhile);
  EXPECT_EQ(desk.File(kPath + ".bak"), byHand);
  EXPECT_EQ(SavedNames(), (Names{"Options", "Setting 0"}));

  EXPECT_EQ(SaveSettings(state).backupPath, "") << "the program's own last save is no one else's change";
  EXPECT_EQ(desk.Paths(), (Names{kPath, kPath + ".bak"}));

  desk.SetFile(kPath, "; edited again\r\n");
  EXPECT_EQ(SaveSettings(state).backupPath, kPath + ".2.bak") << "an older backup is never written over";
  EXPECT_EQ(desk.File(kPath + ".bak"), byHand);
  EXPECT_EQ(desk.File(kPath + ".2.bak"), "; edited again\r\n");

  // Made by hand where there was none: kept as well.
  sim::SimDesktop d;
  ProgramState s(d);
  LoadSettings(s);
  d.SetFile(kPath, "[Options]\r\n");
  EXPECT_EQ(SaveSettings(s).backupPath, kPath + ".bak");

  // A lone surrogate in a UTF-16 file's comment reads as U+FFFD: the file
  // did not read exactly and is kept as well.
  const std::string inexact = Utf16File("; ") + std::string("\x00\xD8", 2) + Utf16Units(Crlf("\n" + OptionsBlock()));
  Load(inexact);
  const IniSaveResult kept = SaveSettings(state);
  EXPECT_EQ(kept.backupPath, kPath + ".3.bak");
  EXPECT_EQ(kept.backupReason, IniBackupReason::NotReadExactly);
  EXPECT_EQ(desk.File(kPath + ".3.bak"), inexact);
  EXPECT_TRUE(desk.File(kPath)->starts_with(Utf16File("; \xEF\xBF\xBD\r\n[Options]\r\n")));

  // The backup cannot be written: the changed file stays and nothing is saved.
  desk.SetFile(kPath, "; third edit\r\n");
  desk.FailWrites(sim::WriteFault::HalfWay);
  EXPECT_EQ(SaveSettings(state).status, IniSaveStatus::Failed);
  EXPECT_EQ(desk.File(kPath), "; third edit\r\n");
}

TEST_F(SettingsFileTest, ALinkIsWrittenThroughToItsTargetUnlessThatIsReadOnly) {
  const std::string target = "D:\\Sync\\Tarvolo.INI";
  const std::string text = Crlf(OptionsBlock() + SettingBlock("Setting 0", "Synced"));
  desk.SetLink(kPath, target);
  desk.SetFile(target, text);
  LoadSettings(state);
  EXPECT_EQ(NamesOf(state), Names{"Synced"});
  state.AppOptions.AlwaysOnTop = false;
  desk.SetReadOnly(target, true);
  EXPECT_EQ(SaveSettings(state).status, IniSaveStatus::ReadOnly);
  EXPECT_EQ(desk.File(target), text);
  EXPECT_EQ(desk.WriteAttempts(), 0);
  desk.SetReadOnly(target, false);
  ASSERT_TRUE(SaveSettings(state));
  EXPECT_TRUE(desk.IsLink(kPath)) << "the link stays a link";
  EXPECT_TRUE(SavedHas("\r\nAlways On Top=False\r\n"));
  EXPECT_EQ(desk.Paths(), (Names{kPath, target}));
}

TEST_F(SettingsFileTest, WhatASaveWritesALoadReadsAgainEvenNearTheSizeLimit) {
  // Settings with LF line ends that grow past the limit once written with
  // CRLF (long titles keep their number, and the test, small).
  std::string text = OptionsBlock();
  const std::string title(8000, 't');
  for (int n = 0; text.size() < IniDocument::kMaxFileBytes - 8192; ++n)
    text += SettingBlock("Setting " + std::to_string(n), std::string("S").append(std::to_string(n)), 0, title);
  text += std::string(IniDocument::kMaxFileBytes - text.size(), '\n');
  Load(text);
  ASSERT_EQ(state.SettingsFileProblem, "");
  EXPECT_EQ(SaveSettings(state).status, IniSaveStatus::TooLarge);
  EXPECT_EQ(desk.File(kPath), text) << "the file that loads is left as it was";
}

}  // namespace
