#pragma once
// The three lock keys as the rest of the desktop sees them. A state is written
// as three characters, Caps Lock, Num Lock, Scroll Lock, each '1' (on) or '0'
// (off); a wanted pattern may hold 'x' for "either".
#include <string>

namespace e2e {

// Reads the toggle states. Under Wine the calling thread's key state follows
// the desktop's as long as the thread is not in the middle of handling input,
// so this reflects changes made by any process, whichever window is in front.
std::string ReadLockKeys();

bool KeysMatch(const std::string& state, const std::string& pattern);
bool IsKeyPattern(const std::string& pattern);

// Presses and releases a key as a user would: "caps", "num" or "scroll".
bool PressLockKey(const std::string& name);

// Presses the keys whose state differs from the pattern.
void PressTowards(const std::string& pattern);

}  // namespace e2e
