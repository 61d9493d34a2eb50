#include "monitor/settings_save.h"

#include <string>

#include "store/settings_store.h"
#include "platform/forms/ui.h"
#include "store/ini_document.h"
#include "store/settings_file.h"

void SaveSettingsTellingUser(SettingsStore& state, forms::Ui& ui, SaveOccasion occasion) {
  const IniSaveResult result = SaveSettings(state);
  const auto tell = [&](const std::string& text) { ui.MsgBox(text, forms::kMbExclamation, ui.AppTitle()); };
  const bool ends = occasion == SaveOccasion::ProgramEnds;
  const std::string file = state.SettingsDocument ? state.SettingsDocument->Path() : std::string();
  const std::string lost = ends ? "The file was left as it was; the changes made since Tarvolo started are not kept."
                                : "Tarvolo will try again the next time it saves.";

  switch (result.status) {
    case IniSaveStatus::Saved: {
      if (result.backupPath.empty()) return;
      const std::string kept = "\r\n\r\n" + result.backupPath + "\r\n\r\n";
      switch (result.backupReason) {
        case IniBackupReason::NotReadExactly:
          tell("Some characters in Tarvolo.INI could not be read as they were written (they are not text in "
               "the file's character set), so the saved file has other characters in their place. "
               "Tarvolo has kept the file as it was as" +
               kept + "Copy from it anything you want to keep.");
          return;
        case IniBackupReason::NotText:
          tell("Tarvolo.INI had been replaced by something that is not a settings file (it does not contain "
               "plain text), so Tarvolo did not use it. Tarvolo has saved its settings and kept that file as" +
               kept + "in case it is something you need.");
          return;
        case IniBackupReason::TooLarge:
          tell("Tarvolo.INI had been replaced by a file far too large to be a settings file, so Tarvolo did "
               "not use it. Tarvolo has saved its settings and moved that file to" +
               kept + "in case it is something you need.");
          return;
        case IniBackupReason::Folder:
          tell("A folder had taken the name Tarvolo.INI. Tarvolo has renamed the folder, with everything in "
               "it, to" +
               kept + "and saved its settings.");
          return;
        case IniBackupReason::ChangedMeanwhile:
          break;
      }
      tell("Tarvolo.INI had been changed by another program since Tarvolo read it. Tarvolo has saved its "
           "settings and kept that other version as" +
           kept + "Copy from it anything you want to keep.");
      return;
    }
    case IniSaveStatus::NoFile:
      return;
    case IniSaveStatus::ReadOnly:
      if (state.ToldSettingsReadOnly) return;
      state.ToldSettingsReadOnly = true;
      tell("Tarvolo could not save its settings to " + file +
           ", because the file is read-only.\r\n\r\nTarvolo does not change a read-only file. To keep your "
           "changes, clear the file's read-only attribute" +
           (ends ? std::string(" before you start Tarvolo again.") : std::string("; Tarvolo saves again when the "
                                                                                 "setup window closes and when it "
                                                                                 "ends.")));
      return;
    case IniSaveStatus::TooLarge:
      tell("Tarvolo could not save its settings to " + file +
           ": they have grown larger than the 8 MB a settings file may hold, and Tarvolo could not read such a "
           "file again. Delete settings you no longer need.\r\n\r\n" +
           lost);
      return;
    case IniSaveStatus::Failed: {
      std::string why;
      switch (result.cause) {
        case IniSaveCause::AccessDenied:
          why = "Windows refused Tarvolo access to the file or to its folder.";
          break;
        case IniSaveCause::DiskFull:
          why = "The disk is full.";
          break;
        case IniSaveCause::InUse:
          why = "Another program has the file open.";
          break;
        case IniSaveCause::NoBackup:
          why = "What is in its place now could not be kept aside first, and Tarvolo does not write over "
                "what it cannot keep.";
          break;
        case IniSaveCause::Other:
          why = "Check that the file and its folder can be written to.";
          break;
      }
      tell("Tarvolo could not save its settings to " + file + ".\r\n\r\n" + why + " " + lost);
      return;
    }
  }
}
