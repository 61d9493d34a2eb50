#pragma once
#include "platform/forms/form_data.h"

// The setup window as data: the tab control mstPage with the "Monitor" page
// and the "Settings" page, every control at its place in twips relative to
// the tab control, the menu bar and the hidden pop-up menu.
forms::FormSpec frmMainForm();

// The pages of mstPage.
inline constexpr int kMonitorPage = 0;
inline constexpr int kSettingsPage = 1;

// The pop-up menu's items, by their index in mnuPopup.
inline constexpr int kPopupCut = 0;
inline constexpr int kPopupCopy = 1;
inline constexpr int kPopupPaste = 2;
inline constexpr int kPopupDelete = 3;
