#pragma once
// The desktop both tick benchmarks run on: a few dozen processes, an editor
// with two windows, and N settings of which only the last matches the editor,
// so that a new foreground window walks the whole list.
#include <memory>
#include <string>

#include "platform/sim/sim_desktop.h"
#include "store/settings.h"

namespace bench {

// A settings file with the options and no setting: the settings themselves
// are put into the collection directly, the file's reading being no part of
// a tick.
inline constexpr char kOptionsOnly[] =
    "[Options]\r\nAlways On Top=False\r\nKeystroke Simulation=False\r\nPassword=\r\n"
    "Show_Disp=\r\nShow_vKey=0\r\nShow_Modifier=0\r\nCapitalize_Disp=\r\nCapitalize_vKey=0\r\n"
    "Capitalize_Modifier=0\r\nReverse_Disp=\r\nReverse_vKey=0\r\nReverse_Modifier=0\r\n"
    "Lower_Disp=\r\nLower_vKey=0\r\nLower_Modifier=0\r\n";

// Processes listed before the editor's in a snapshot, as on a desktop with a
// few dozen programs and services running.
inline constexpr int kOtherProcesses = 40;

struct EditorWindows {
  platform::WindowHandle first = 0;
  platform::WindowHandle second = 0;
};

inline EditorWindows AddEditor(sim::SimDesktop& os) {
  for (int i = 0; i < kOtherProcesses; ++i) os.AddProcess({"service" + std::to_string(i) + ".exe"});
  const std::uint32_t editor = os.AddProcess({"editor.exe"});
  EditorWindows windows;
  windows.first = os.AddWindow({.title = "Report.txt - Editor", .processId = editor});
  windows.second = os.AddWindow({.title = "Notes.txt - Editor", .processId = editor});
  return windows;
}

// settings-1 that never match the editor, then "Editor": Caps Lock
// "Maintain ON", Num Lock "Remember", Scroll Lock "Toggle OFF".
inline void AddSettings(clsSettings& settings, int count) {
  for (int i = 1; i < count; ++i) {
    auto other = std::make_shared<clsSetting>();
    other->Name = "Spreadsheet " + std::to_string(i);
    other->Filter_Title = other->Name;
    other->Filter_EXE = "calc.exe";
    other->Match_EXE = MatchExact;
    other->Action_CapsLock = ActionToggleOn;
    settings.Add(other, other->Name);
  }
  auto matching = std::make_shared<clsSetting>();
  matching->Name = "Editor";
  matching->Filter_EXE = "editor.exe";
  matching->Match_EXE = MatchExact;
  matching->Action_CapsLock = ActionMaintainOn;
  matching->Action_NumLock = ActionRemember;
  matching->Action_ScrollLock = ActionToggleOff;
  settings.Add(matching, matching->Name);
}

}  // namespace bench
