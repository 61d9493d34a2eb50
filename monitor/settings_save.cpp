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
    case IniSaveStatus::Saved:
      if (result.backupPath.empty()) return;
      if (result.backupReason == IniBackupReason::NotReadExactly)
        tell("Some characters in Tarvolo.INI could not be read as they were written (they are not text in "
             "the file's character set), so the saved file has other characters in their place. "
             "Tarvolo has kept the file as it was as\r\n\r\n" +
             result.backupPath + "\r\n\r\nCopy from it anything you want to keep.");
      else
        tell("Tarvolo.INI had been changed by another program since Tarvolo read it. Tarvolo has saved its "
             "settings and kept that other version as\r\n\r\n" +
             result.backupPath + "\r\n\r\nCopy from it anything you want to keep.");
      return;
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
    case IniSaveStatus::Failed:
      tell("Tarvolo could not save its settings to " + file +
           ".\r\n\r\nCheck that the file and its folder can be written to. " + lost);
      return;
  }
}
