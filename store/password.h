#pragma once
#include <string>
#include <string_view>

// The administration password as the settings file stores it: every
// printable character (32 to 126) moved one place on, the tilde wrapping
// round to the space. Other characters are stored as they are, so that every
// password comes back exactly as it was set.
std::string EncodePassword(std::string_view password);
std::string DecodePassword(std::string_view stored);
