#pragma once
// Where controls sit, for both backends: which have a window, which show,
// how they are stacked, the order Tab visits them in, and the keyboard's
// page switch of a tab control.
#include <vector>

#include "platform/forms/form_data.h"

namespace forms {

class Control;
class Form;

// Kinds that are a window of their own (not timers, image lists or menus).
bool HasWindow(ControlKind kind);
// Kinds that take the keyboard focus and are Tab stops.
bool TakesFocus(ControlKind kind);

// The frame or tab control the control sits in, or null.
Control* ContainerOf(const Control& control);
bool IsInside(const Control& control, const Control& container);
// Visible, and so is every container, each on the page its tab control shows.
bool Shown(const Control& control);

// The windowed controls from top to bottom. Windows visits Tab stops in this
// order, so the controls that take the focus keep the description's order
// among themselves; a run of labels, shapes and lines between them is stacked
// the other way, a later one above an earlier (the labels of a window field
// lie on top of each other); a frame or tab control lies below all it holds.
std::vector<Control*> StackingOrder(const Form& form);
// The Tab stops the user can reach now, in the order Tab visits them.
std::vector<Control*> TabOrder(const Form& form);
// The first Tab stop below the control in the stacking (wrapping round), as
// an access key of a label reaches the control after it; null when none.
Control* NextTabStop(const Form& form, const Control& from, bool backwards = false);

// Ctrl+Tab (or Ctrl+Shift+Tab): the first shown tab control of the form shows
// its next (previous) page, as a change made by the user; a focus left on a
// hidden page moves to the first Tab stop of the new one. False: no tab control.
bool SwitchPage(Form& form, bool backwards);

}  // namespace forms
