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
    "Show_Disp=Ctrl + Alt + Shift + T\r\n"
    "Show_vKey=84\r\n"
    "Show_Modifier=7\r\n"
    "Capitalize_Disp=Ctrl + Alt + Shift + U\r\n"
    "Capitalize_vKey=85\r\n"
    "Capitalize_Modifier=7\r\n"
    "Reverse_Disp=Ctrl + Alt + Shift + R\r\n"
    "Reverse_vKey=82\r\n"
    "Reverse_Modifier=7\r\n"
    "Lower_Disp=Ctrl + Alt + Shift + L\r\n"
    "Lower_vKey=76\r\n"
    "Lower_Modifier=7\r\n"
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
