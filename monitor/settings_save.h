#pragma once

class SettingsStore;
namespace forms {
class Ui;
}

enum class SaveOccasion {
  ProgramGoesOn,  // the setup window closed: later saves can try again
  ProgramEnds,    // "Exit": this is the last chance
};

// Saves the settings where the user asked for it (closing the setup window,
// "Exit") and says so when the file could not be written, since the changes
// would otherwise be lost without a word, or when a version of the file that
// someone else wrote was kept aside. A file that was unreadable at start-up
// is left alone, as the user was told then; a read-only file is told once.
void SaveSettingsTellingUser(SettingsStore& state, forms::Ui& ui, SaveOccasion occasion);
