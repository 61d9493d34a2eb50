// Helper process for the settings file tests: loads Tarvolo.INI from the
// folder it lies in, exactly as tarvolo.exe does, adds a setting named
// "Added by tool" and saves. Exit code: 0 saved, 1 not saved, 2 when the
// file was unreadable (the problem text then goes to standard output), 3
// when it is read-only. A backup of a file changed by someone else is named
// on standard output as "backup: <path>". With "--folder-between" a folder,
// holding a file, takes the file's place between loading and saving.
// "--name <hex>" names the added setting by the hex digits of its UTF-8,
// since the 9x family's command lines carry only the ANSI code page.
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "app/program_state.h"
#include "platform/win32/win32_os.h"
#include "platform/win32/win32_text.h"
#include "store/settings_file.h"

int main(int argc, char** argv) {
  Win32Os os;
  ProgramState state(os);
  LoadSettings(state);
  std::string name = "Added by tool";
  if (argc > 1 && std::strcmp(argv[1], "--folder-between") == 0) {
    const std::wstring path = platform::win32::Widen(state.SettingsDocument->Path());
    ::DeleteFileW(path.c_str());
    ::CreateDirectoryW(path.c_str(), nullptr);
    ::CloseHandle(::CreateFileW((path + L"\\inside.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
  }
  if (argc > 2 && std::strcmp(argv[1], "--name") == 0) {
    name.clear();
    for (const char* hex = argv[2]; hex[0] != '\0' && hex[1] != '\0'; hex += 2)
      name += static_cast<char>(std::stoi(std::string(hex, 2), nullptr, 16));
  }
  auto added = std::make_shared<clsSetting>();
  added->Name = name;
  state.Settings.Add(added, name);
  const IniSaveResult saved = SaveSettings(state);
  if (!state.SettingsFileProblem.empty()) {
    std::fputs(state.SettingsFileProblem.c_str(), stdout);
    return 2;
  }
  if (!saved.backupPath.empty()) std::printf("backup: %s\n", saved.backupPath.c_str());
  if (saved.status == IniSaveStatus::ReadOnly) return 3;
  return saved ? 0 : 1;
}
