#pragma once
#include <cstddef>
#include <string>

#include "store/ini_document.h"

class ProgramState;

// The settings file, Tarvolo.INI, in the program's folder.
//
// LoadSettings reads it into Settings and AppOptions and keeps the document
// for SaveSettings. What it does with a file that is not as it should be:
// - missing: the shipped settings are used, and the first save creates it;
// - there but unreadable (no permission, locked, not text, far too large):
//   the shipped settings are used, SettingsFileProblem says so in plain
//   words, and the file is never written over;
// - a missing "Options" section or key, or a value that does not convert to
//   its type: that field keeps its default, and the next save writes it;
// - a setting without a name takes its section's name; a name already taken
//   (in any letter case) is made unique with " (2)", " (3)", ...
// Temporary files of saves that were cut short are removed first.
void LoadSettings(ProgramState& state, std::size_t maxFileBytes = IniDocument::kMaxFileBytes);

// Writes Settings and AppOptions into the kept document and saves it in one
// step. Unless saved, the file on the disk is as it was: no document, a file
// that was unreadable at start-up or is marked read-only, settings grown
// past what a load accepts, or a failed write (tried again by the next
// save). A file someone changed meanwhile is kept beside it first.
IniSaveResult SaveSettings(ProgramState& state);

// The file's path for a program folder.
std::string SettingsFilePath(const std::string& programFolder);
