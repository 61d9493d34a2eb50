#pragma once
#include <string_view>

// The Tarvolo.INI that comes with the program (resources/Tarvolo.INI holds
// the same bytes). The program starts from it when its own file is missing
// or cannot be read.
std::string_view ShippedSettingsText();
