#pragma once
#include <cstdint>

#include "platform/forms/form_data.h"

// The hidden startup form as the form layer builds it.
forms::FormSpec frmIconForm();

// The tray menu's items, by their index in mnuPopup.
inline constexpr std::int16_t kMenuShow = 0;
inline constexpr std::int16_t kMenuHide = 1;
inline constexpr std::int16_t kMenuSeparator = 2;
inline constexpr std::int16_t kMenuExit = 3;
