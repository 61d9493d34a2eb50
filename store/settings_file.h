#pragma once
#include <cstddef>
#include <memory>
#include <string>

#include "store/ini_document.h"

class SettingsStore;

// The settings file, Tarvolo.INI, in the program's folder or, when that
// takes no new files, in the user's AppData (see ChooseSettingsPlace).
//
// LoadSettings reads it into Settings and AppOptions and keeps the document
// for SaveSettings, which writes it back in the encoding it was read in (see
// IniDocument). What it does with a file that is not as it should be:
// - missing: the shipped settings are used, and the first save creates it;
// - there but unreadable (no permission, locked, not text, far too large):
//   the shipped settings are used, SettingsFileProblem says so in plain
//   words, and the file is never written over;
// - a missing "Options" section or key, or a value that does not convert to
//   its type: that field keeps its default, and the next save writes it;
// - a setting without a name takes its section's name; a name already taken
//   (in any letter case) is made unique with " (2)", " (3)", ...
// Temporary files of saves that were cut short are removed first.
void LoadSettings(SettingsStore& state, std::size_t maxFileBytes = IniDocument::kMaxFileBytes);
// The same with the file's place already chosen.
void LoadSettingsFrom(SettingsStore& state, const std::string& path,
                      std::size_t maxFileBytes = IniDocument::kMaxFileBytes);

// Writes Settings and AppOptions into the kept document and saves it in one
// step. Unless saved, the file on the disk is as it was: no document, a file
// that was unreadable at start-up or is marked read-only, settings grown
// past what a load accepts, or a failed write (tried again by the next
// save). A file someone changed meanwhile is kept beside it first.
IniSaveResult SaveSettings(SettingsStore& state);

// For a file changed by someone else while the program runs: once its size
// or time has changed and then stayed so between two calls (an editor may
// still be writing it), it is read into a fresh store, which is returned;
// nothing when it is unchanged or still changing, holds the same bytes, is
// gone, or cannot be read (the next save then keeps it aside as usual).
std::unique_ptr<SettingsStore> ReadSettingsChangedOnDisk(SettingsStore& state);

// Puts the settings, options and document of such a read in the place of
// those in use (the hot-keys' combinations; what lives in memory only, such
// as a pending request, stays). Hot-keys must be unregistered before and
// registered after, and the engine told (SettingsReplaced).
void AdoptSettings(SettingsStore& state, SettingsStore& loaded);

// The file's path for a program folder.
std::string SettingsFilePath(const std::string& programFolder);
