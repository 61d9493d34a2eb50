#include "monitor/settings_save.h"

#include "monitor/program_state.h"
#include "platform/forms/ui.h"
#include "store/ini_document.h"
#include "store/settings_file.h"

void SaveSettingsTellingUser(ProgramState& state, forms::Ui& ui) {
  if (SaveSettings(state)) return;
  if (!state.SettingsDocument || !state.SettingsDocument->CanSave()) return;
  ui.MsgBox("Tarvolo could not save its settings to " + state.SettingsDocument->Path() +
                ".\r\n\r\nCheck that the file and its folder can be written to. "
                "Tarvolo will try again the next time it saves.",
            forms::kMbExclamation, ui.AppTitle());
}
