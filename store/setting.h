#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// One named setting: which windows it recognises and what it does to each
// lock key. A plain record; the first ten fields are stored in the settings
// file, the remembered states live in memory only.
struct clsSetting {
  std::string Name;
  std::string Filter_Title;
  std::string Filter_Owner;
  std::string Filter_EXE;
  std::int32_t Match_Title = 0;
  std::int32_t Match_Owner = 0;
  std::int32_t Match_EXE = 0;
  std::int32_t Action_CapsLock = 0;
  std::int32_t Action_NumLock = 0;
  std::int32_t Action_ScrollLock = 0;
  bool Remembered_CapsLock = false;
  bool Remembered_NumLock = false;
  bool Remembered_ScrollLock = false;
};

// The setting in force for the windows no other setting matches; the setup
// window keeps it from being renamed or deleted.
inline constexpr std::string_view kDefaultSettingName = "Default";

// How a filter is compared; the order of the setup window's lists.
enum MatchType : std::int32_t { MatchBeginning = 0, MatchEnding = 1, MatchExact = 2 };

// What a setting does to one lock key; the order of the setup window's lists.
enum LockAction : std::int32_t {
  ActionIgnore = 0,
  ActionToggleOn = 1,
  ActionToggleOff = 2,
  ActionMaintainOn = 3,
  ActionMaintainOff = 4,
  ActionRemember = 5,
};
