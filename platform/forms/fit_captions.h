#pragma once
#include <cstdint>

namespace forms {
class Form;
}

// Widens the labels and check boxes whose caption does not fit in the font
// the system gives them (the window's places are measured for one font;
// users have others, and larger ones), as far as the next control on their
// row allows, or further where the column of text boxes or lists beside
// them can move right and narrow to make room; a section line that starts after a widened heading starts
// after it still. Called once the form's controls exist.
namespace forms {
void FitCaptions(Form& form, std::int32_t twipsPerPixel);
}
