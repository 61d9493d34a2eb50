// Helper process for the settings file tests: loads Tarvolo.INI from the
// folder it lies in, exactly as tarvolo.exe does, adds a setting named
// "Added by tool" and saves. Exit code: 0 saved, 1 not saved, and 2 when the
// file was unreadable (the problem text then goes to standard output).
#include <cstdio>
#include <memory>

#include "monitor/program_state.h"
#include "platform/win32/win32_os.h"
#include "store/settings_file.h"

int main() {
  Win32Os os;
  ProgramState state(os);
  LoadSettings(state);
  auto added = std::make_shared<clsSetting>();
  added->Name = "Added by tool";
  added->Action_ScrollLock = ActionMaintainOn;
  state.Settings.Add(added, added->Name);
  const bool saved = SaveSettings(state);
  if (!state.SettingsFileProblem.empty()) {
    std::fputs(state.SettingsFileProblem.c_str(), stdout);
    return 2;
  }
  return saved ? 0 : 1;
}
