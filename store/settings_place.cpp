#include "store/settings_place.h"

#include "store/desktop.h"
#include "store/settings_file.h"
#include "store/shipped_settings.h"

namespace {

std::string MovedText(const std::string& programFolder, const std::string& path, bool copied) {
  return "Tarvolo cannot keep its settings in its own folder\r\n\r\n" + programFolder +
         "\r\n\r\nbecause Windows does not let it make files there. From now on they are kept in\r\n\r\n" + path +
         "\r\n\r\n" +
         (copied ? "which starts as a copy of the Tarvolo.INI beside the program; that file is left as it was."
                 : "which starts with Tarvolo's original settings.") +
         " Tarvolo uses this file for as long as its own folder cannot be written to.";
}

}  // namespace

SettingsPlace ChooseSettingsPlace(platform::OsFiles& files, std::size_t maxFileBytes) {
  const std::string folder = files.ProgramFolder();
  const std::string beside = SettingsFilePath(folder);
  if (files.CanCreateFileIn(folder)) return {beside, {}};
  const std::string appData = files.AppDataFolder();
  if (appData.empty()) return {beside, {}};
  const std::string ownFolder = AddBackslash(appData) + "Tarvolo";
  const std::string moved = SettingsFilePath(ownFolder);
  if (files.GetFileInfo(moved)) return {moved, {}};

  std::string bytes;
  const platform::FileReadStatus read = files.ReadWholeFile(beside, maxFileBytes, bytes);
  // A file that cannot be read is not left behind for a copy of the shipped
  // settings: the load says what is wrong with it.
  if (read != platform::FileReadStatus::Ok && read != platform::FileReadStatus::Missing) return {beside, {}};
  if (read == platform::FileReadStatus::Missing) bytes = ShippedSettingsText();
  if (!files.CreateFolder(ownFolder) || files.WriteFileAtomically(moved, bytes) != platform::FileWriteStatus::Written)
    return {beside, {}};
  return {moved, MovedText(folder, moved, read == platform::FileReadStatus::Ok)};
}
