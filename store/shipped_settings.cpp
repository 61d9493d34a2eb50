#include "store/shipped_settings.h"

std::string_view ShippedSettingsText() {
  // A test compares this with resources/Tarvolo.INI byte for byte.
  static constexpr std::string_view kText =
    "; Tarvolo's settings: the program options and one section per setting.\r\n"
    "; Tarvolo reads this file when it starts and writes it back when its setup\r\n"
    "; window closes and when it exits.\r\n"
    "[Options]\r\n"
    "Always On Top=False\r\n"
    "Keystroke Simulation=False\r\n"
    "Password=\r\n"
    "Show_Disp=\r\n"
    "Show_vKey=0\r\n"
    "Show_Modifier=0\r\n"
    "Capitalize_Disp=\r\n"
    "Capitalize_vKey=0\r\n"
    "Capitalize_Modifier=0\r\n"
    "Reverse_Disp=\r\n"
    "Reverse_vKey=0\r\n"
    "Reverse_Modifier=0\r\n"
    "Lower_Disp=\r\n"
    "Lower_vKey=0\r\n"
    "Lower_Modifier=0\r\n"
    "\r\n"
    "[Setting 0]\r\n"
    "Name=Default\r\n"
    "Action_CapsLock=0\r\n"
    "Action_NumLock=0\r\n"
    "Action_ScrollLock=0\r\n"
    "Filter_EXE=\r\n"
    "Filter_Owner=\r\n"
    "Filter_Title=\r\n"
    "Match_EXE=0\r\n"
    "Match_Owner=0\r\n"
    "Match_Title=0\r\n";
  return kText;
}
