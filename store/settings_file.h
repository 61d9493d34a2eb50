#pragma once
#include <string>

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
void LoadSettings(ProgramState& state);

// Writes Settings and AppOptions into the kept document and saves it in one
// step. False when nothing was written: no document, a file that must not be
// overwritten, or a failed write, which leaves the old file as it was and is
// tried again by the next save.
bool SaveSettings(ProgramState& state);

// The file's path for a program folder.
std::string SettingsFilePath(const std::string& programFolder);
