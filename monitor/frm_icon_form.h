#pragma once
#include "platform/forms/form_data.h"

// The hidden startup form as the form layer builds it.
forms::FormSpec frmIconForm();
