#pragma once

class ProgramState;
namespace forms {
class Ui;
}

// Saves the settings where the user asked for it (closing the setup window,
// "Exit") and says so when the file could not be written, since the changes
// would otherwise be lost without a word. A file that was unreadable at
// start-up is left alone, as the user was told then.
void SaveSettingsTellingUser(ProgramState& state, forms::Ui& ui);
