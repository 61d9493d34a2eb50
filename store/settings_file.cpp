#include "store/settings_file.h"

#include <map>
#include <memory>
#include <optional>
#include <string_view>
#include <utility>

#include "store/settings_store.h"
#include "store/desktop.h"
#include "store/hotkey_table.h"
#include "store/settings_place.h"
#include "store/password.h"
#include "store/shipped_settings.h"
#include "store/text.h"

namespace {

constexpr std::string_view kOptions = "Options";

// Exact letter case: a section starting "setting" is none of the program's.
bool IsSettingSection(std::string_view name) { return name.starts_with("Setting"); }

// Reading: a key that is missing or does not convert leaves the default.
void Read(const IniKeys* keys, std::string_view name, std::string& field) {
  if (const IniKey* key = keys ? keys->Item(name) : nullptr) field = key->Value().AsString();
}
void Read(const IniKeys* keys, std::string_view name, std::int32_t& field) {
  if (const IniKey* key = keys ? keys->Item(name) : nullptr) field = key->Value().AsInt32().value_or(field);
}
void Read(const IniKeys* keys, std::string_view name, bool& field) {
  if (const IniKey* key = keys ? keys->Item(name) : nullptr) field = key->Value().AsBool().value_or(field);
}

// Writing into "Options": the key's value in place, or the key added when it
// is missing, so that an incomplete file heals.
void Put(IniKeys& keys, std::string_view name, const IniValue& value) {
  if (IniKey* key = keys.Item(name))
    key->SetValue(value);
  else
    keys.Add(name, value, "");
}

// The newer flags are written once they are on or the file already has them,
// so a file that never used them keeps its lines as they were.
constexpr std::string_view kShowLockKeysInTrayKey = "Lock Keys In Tray Icon";
constexpr std::string_view kTellLockKeyChangesKey = "Tell Lock Key Changes";
void PutWhenUsed(IniKeys& keys, std::string_view name, bool value) {
  if (value || keys.Item(name)) Put(keys, name, value);
}

// Names already taken get " (2)", " (3)", ...; `next` remembers where each
// name's count stands, so many copies of one name stay cheap.
std::string UniqueName(const clsSettings& settings, const std::string& name, std::map<std::string, int>& next) {
  if (!settings.Item(name)) return name;
  int& n = next.try_emplace(UpperCase(name), 2).first->second;
  for (;; ++n) {
    std::string candidate = name + " (" + std::to_string(n) + ")";
    if (!settings.Item(candidate)) return candidate;
  }
}

clsSettings::Ref ReadSetting(const IniSection& section) {
  auto setting = std::make_shared<clsSetting>();
  const IniKeys* keys = &section.Keys();
  Read(keys, "Name", setting->Name);
  Read(keys, "Action_CapsLock", setting->Action_CapsLock);
  Read(keys, "Action_NumLock", setting->Action_NumLock);
  Read(keys, "Action_ScrollLock", setting->Action_ScrollLock);
  Read(keys, "Filter_EXE", setting->Filter_EXE);
  Read(keys, "Filter_Owner", setting->Filter_Owner);
  Read(keys, "Filter_Title", setting->Filter_Title);
  Read(keys, "Match_EXE", setting->Match_EXE);
  Read(keys, "Match_Owner", setting->Match_Owner);
  Read(keys, "Match_Title", setting->Match_Title);
  // A setting must have a name to be listed, chosen and saved.
  if (setting->Name.empty()) setting->Name = section.Name();
  return setting;
}

// The password's stored form moves printable ASCII one place on. Earlier
// versions did that to the code page's bytes, and an ANSI file keeps it so:
// with two bytes to a character the second byte may be ASCII, and a password
// set then must still be the same password.
std::string PasswordFromFile(const std::string& stored, FileEncoding encoding, platform::OsText& os) {
  if (encoding == FileEncoding::Ansi)
    if (const std::optional<std::string> bytes = os.ToAnsiCodePage(stored))
      return os.FromAnsiCodePage(DecodePassword(*bytes));
  return DecodePassword(stored);
}

// Nothing when the stored form's bytes are no text of the ANSI code page: the
// file must then be written in UTF-8.
std::optional<std::string> PasswordForFile(const std::string& password, FileEncoding encoding,
                                           platform::OsText& os) {
  if (encoding != FileEncoding::Ansi) return EncodePassword(password);
  const std::optional<std::string> bytes = os.ToAnsiCodePage(password);
  if (!bytes) return std::nullopt;
  const std::string stored = EncodePassword(*bytes);
  std::string text = os.FromAnsiCodePage(stored);
  if (os.ToAnsiCodePage(text) != stored) return std::nullopt;
  return text;
}

void ReadOptions(const IniSection* section, FileEncoding encoding, platform::OsText& os,
                 AppOptionsRecord& options) {
  const IniKeys* keys = section ? &section->Keys() : nullptr;
  options.AlwaysOnTop = false;
  options.KeystrokeSimulation = false;
  options.ShowLockKeysInTray = false;
  options.TellLockKeyChanges = false;
  std::string password;
  Read(keys, "Always On Top", options.AlwaysOnTop);
  Read(keys, "Keystroke Simulation", options.KeystrokeSimulation);
  Read(keys, kShowLockKeysInTrayKey, options.ShowLockKeysInTray);
  Read(keys, kTellLockKeyChangesKey, options.TellLockKeyChanges);
  Read(keys, "Password", password);
  options.AdminPassword = PasswordFromFile(password, encoding, os);
  for (const HotkeyEntry& h : kHotkeys) {
    clsHotkey& hotkey = options.*h.record;
    const std::string prefix(h.filePrefix);
    hotkey.sDescription = h.description;
    hotkey.sHotkey.clear();
    hotkey.lVKey = 0;
    hotkey.lModifier = 0;
    Read(keys, prefix + "_Disp", hotkey.sHotkey);
    Read(keys, prefix + "_vKey", hotkey.lVKey);
    Read(keys, prefix + "_Modifier", hotkey.lModifier);
  }
}

std::string ProblemText(const std::string& path, IniLoadResult result) {
  std::string reason;
  switch (result) {
    case IniLoadResult::AccessDenied:
      reason = "Windows refused access to it.";
      break;
    case IniLoadResult::InUse:
      reason = "Another program is using it.";
      break;
    case IniLoadResult::TooLarge:
      reason = "It is far too large to be a settings file.";
      break;
    case IniLoadResult::NotText:
      reason = "It does not contain plain text.";
      break;
    case IniLoadResult::Folder:
      reason = "It is a folder, not a file.";
      break;
    default:
      reason = "An error occurred while reading it.";
      break;
  }
  return "Tarvolo could not read its settings file\n\n" + path + "\n\n" + reason +
         "\n\nTarvolo has started with its original settings and will not save over that file, so "
         "nothing in it is lost; changes you make now will not be kept. Make the file readable, or "
         "move it away, and start Tarvolo again.";
}

}  // namespace

std::unique_ptr<SettingsStore> ReadSettingsChangedOnDisk(SettingsStore& state) {
  if (!state.SettingsDocument || !state.SettingsDocument->StampChangedAndSettled()) return nullptr;
  if (!state.SettingsDocument->ChangedOnDisk()) return nullptr;
  auto loaded = std::make_unique<SettingsStore>(state.files, state.text);
  // A removed file is made again by the next save from what is in use.
  if (state.files.GetFileInfo(state.SettingsDocument->Path()) == std::nullopt) return nullptr;
  LoadSettingsFrom(*loaded, state.SettingsDocument->Path());
  if (!loaded->SettingsFileProblem.empty()) return nullptr;
  // A file without "Default" (an empty one, say) would leave no setting for
  // the windows no other setting matches: it is not taken, and the next save
  // keeps it aside.
  if (!loaded->Settings.Item(kDefaultSettingName)) return nullptr;
  return loaded;
}

void AdoptSettings(SettingsStore& state, SettingsStore& loaded) {
  state.Settings = std::move(loaded.Settings);
  state.SettingsDocument = std::move(loaded.SettingsDocument);
  AppOptionsRecord& options = state.AppOptions;
  const AppOptionsRecord& read = loaded.AppOptions;
  options.AlwaysOnTop = read.AlwaysOnTop;
  options.KeystrokeSimulation = read.KeystrokeSimulation;
  options.ShowLockKeysInTray = read.ShowLockKeysInTray;
  options.TellLockKeyChanges = read.TellLockKeyChanges;
  options.AdminPassword = read.AdminPassword;
  // Not registered yet (bActivated false): the caller registers them next.
  for (const HotkeyEntry& h : kHotkeys) CopyHotkey(read.*h.record, options.*h.record);
}

std::string SettingsFilePath(const std::string& programFolder) {
  return AddBackslash(programFolder, "\\") + "Tarvolo.INI";
}

void LoadSettings(SettingsStore& state, std::size_t maxFileBytes) {
  SettingsPlace place = ChooseSettingsPlace(state.files, maxFileBytes);
  state.SettingsFileNotice = std::move(place.notice);
  LoadSettingsFrom(state, place.path, maxFileBytes);
}

void LoadSettingsFrom(SettingsStore& state, const std::string& path, std::size_t maxFileBytes) {
  // Only one Tarvolo runs, so any temporary file of a save is left over from
  // one that was cut short.
  state.files.RemoveStaleTemporaryFiles(path);
  state.SettingsDocument = std::make_unique<IniDocument>(state.files, state.text, maxFileBytes);
  IniDocument& document = *state.SettingsDocument;
  const IniLoadResult result = document.Load(path);
  state.SettingsFileProblem.clear();
  if (result != IniLoadResult::Loaded) {
    document.LoadText(ShippedSettingsText());
    if (result != IniLoadResult::Missing) state.SettingsFileProblem = ProblemText(path, result);
  }

  state.Settings.Clear();
  std::map<std::string, int> nextNumber;
  for (const IniSection& section : document.Sections()) {
    if (!IsSettingSection(section.Name())) continue;
    clsSettings::Ref setting = ReadSetting(section);
    // Two sections may carry the same name; the later one is kept under a
    // new name rather than lost at the next save.
    setting->Name = UniqueName(state.Settings, setting->Name, nextNumber);
    state.Settings.Add(setting, setting->Name);
  }

  ReadOptions(document.Sections().Item(kOptions), document.Encoding(), state.text, state.AppOptions);
}

IniSaveResult SaveSettings(SettingsStore& state) {
  if (!state.SettingsDocument || !state.SettingsDocument->CanSave()) return {};
  IniDocument& document = *state.SettingsDocument;
  IniSections& sections = document.Sections();

  sections.RemoveIf([](const IniSection& section) { return IsSettingSection(section.Name()); });
  // Made before the settings' sections so that it stays above them.
  if (!sections.Item(kOptions)) sections.Add(kOptions, "");

  std::int32_t counter = 0;
  for (const clsSettings::Ref& setting : state.Settings) {
    const std::string name = "Setting " + std::to_string(counter);
    IniKeys& keys = sections.Add(name, "").Keys();
    keys.Add("Name", setting->Name, "");
    keys.Add("Action_CapsLock", setting->Action_CapsLock, "");
    keys.Add("Action_NumLock", setting->Action_NumLock, "");
    keys.Add("Action_ScrollLock", setting->Action_ScrollLock, "");
    keys.Add("Filter_EXE", setting->Filter_EXE, "");
    keys.Add("Filter_Owner", setting->Filter_Owner, "");
    keys.Add("Filter_Title", setting->Filter_Title, "");
    keys.Add("Match_EXE", setting->Match_EXE, "");
    keys.Add("Match_Owner", setting->Match_Owner, "");
    keys.Add("Match_Title", setting->Match_Title, "");
    ++counter;
  }

  IniKeys& options = sections.Item(kOptions)->Keys();
  const AppOptionsRecord& app = state.AppOptions;
  Put(options, "Always On Top", app.AlwaysOnTop);
  Put(options, "Keystroke Simulation", app.KeystrokeSimulation);
  PutWhenUsed(options, kShowLockKeysInTrayKey, app.ShowLockKeysInTray);
  PutWhenUsed(options, kTellLockKeyChangesKey, app.TellLockKeyChanges);
  const std::optional<std::string> password = PasswordForFile(app.AdminPassword, document.Encoding(), state.text);
  Put(options, "Password", password.value_or(""));
  for (const HotkeyEntry& h : kHotkeys) {
    const clsHotkey& hotkey = app.*h.record;
    const std::string prefix(h.filePrefix);
    Put(options, prefix + "_Disp", hotkey.sHotkey);
    Put(options, prefix + "_vKey", hotkey.lVKey);
    Put(options, prefix + "_Modifier", hotkey.lModifier);
  }

  // Text the ANSI code page cannot hold makes the whole file UTF-8 (as Save
  // would), and the password is then stored as UTF-8 files store it.
  if (document.Encoding() == FileEncoding::Ansi && (!password || !document.FitsItsEncoding())) {
    document.SetEncoding(FileEncoding::Utf8WithMark);
    Put(options, "Password", EncodePassword(app.AdminPassword));
  }
  return document.Save();
}
