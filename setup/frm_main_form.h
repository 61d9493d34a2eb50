#pragma once
#include "platform/forms/form_data.h"

// The setup window as data: the tab control mstPage with the "Monitor" page
// (0) and the "Settings" page (1), every control at its place in twips
// relative to the tab control, the menu bar and the hidden pop-up menu.
forms::FormSpec frmMainForm();
