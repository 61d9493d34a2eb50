#pragma once
#include "platform/forms/form_data.h"

// The Options dialog as data: "Always On Top", starting with Windows and the
// tray icon's two options, the key mode, the four hot-key boxes, the
// password, OK and Cancel, and the capture's timer.
forms::FormSpec frmSettingsForm();
