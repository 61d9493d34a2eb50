// The driver's mouse and keyboard: what a user's action on a form raises,
// as the Windows backend raises it from the real messages.
#include <cctype>

#include "platform/forms/layout.h"
#include "platform/sim/headless_ui.h"

namespace sim {
namespace {

using forms::ControlKind;

// The letter after a single "&" of a caption ("&&" is a plain ampersand).
char AccessKeyOf(const std::string& caption) {
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] != '&') return static_cast<char>(std::tolower(static_cast<unsigned char>(caption[i + 1])));
    ++i;
  }
  return '\0';
}

bool Usable(const forms::Control& control) { return control.Enabled() && forms::Shown(control); }

}  // namespace

bool HeadlessUi::Disabled(const forms::Form& form) const {
  for (const forms::Form* other : loaded_)
    if (other->ModalOwner() == &form) return true;
  return false;
}

bool HeadlessUi::Click(forms::Control& control) {
  if (Disabled(control.Parent())) return false;
  control.UserClick();
  return true;
}

bool HeadlessUi::Type(forms::Control& control, const std::string& text) {
  if (Disabled(control.Parent())) return false;
  control.UserText(text);
  return true;
}

bool HeadlessUi::Select(forms::Control& control, int index) {
  if (Disabled(control.Parent())) return false;
  control.UserListIndex(index);
  return true;
}

bool HeadlessUi::DoubleClick(forms::Control& control) {
  if (Disabled(control.Parent())) return false;
  control.UserDblClick();
  return true;
}

bool HeadlessUi::MouseDown(forms::Control& control, int button, double x, double y, int shift) {
  if (Disabled(control.Parent())) return false;
  if (forms::TakesFocus(control.Kind())) Focus(control);
  control.UserMouse(control.MouseDown, button, shift, x, y);
  return true;
}

bool HeadlessUi::MouseUp(forms::Control& control, int button, double x, double y, int shift) {
  if (Disabled(control.Parent())) return false;
  control.UserMouse(control.MouseUp, button, shift, x, y);
  return true;
}

bool HeadlessUi::Focus(forms::Control& control) {
  if (Disabled(control.Parent()) || !forms::TakesFocus(control.Kind()) || !Usable(control)) return false;
  control.SetFocus();
  return focus_ == &control;
}

bool HeadlessUi::PressTab(forms::Form& form, bool backwards) {
  if (Disabled(form)) return false;
  const auto stops = forms::TabOrder(form);
  if (stops.empty()) return false;
  forms::Control* next = form.ActiveControl() ? forms::NextTabStop(form, *form.ActiveControl(), backwards)
                                              : (backwards ? stops.back() : stops.front());
  if (next) next->SetFocus();
  return next != nullptr;
}

bool HeadlessUi::PressCtrlTab(forms::Form& form, bool backwards) {
  return !Disabled(form) && forms::SwitchPage(form, backwards);
}

bool HeadlessUi::PressEnter(forms::Form& form) {
  if (Disabled(form)) return false;
  // A focused button takes Enter itself, as the dialog manager lets it.
  forms::Control* focused = form.ActiveControl();
  if (focused && focused->Kind() == ControlKind::CommandButton) return Click(*focused);
  for (forms::Control* control : form.Controls())
    if (control->Kind() == ControlKind::CommandButton && control->Spec().Default && Usable(*control))
      return Click(*control);
  return false;
}

bool HeadlessUi::PressEscape(forms::Form& form) {
  if (Disabled(form)) return false;
  for (forms::Control* control : form.Controls())
    if (control->Kind() == ControlKind::CommandButton && control->Spec().Cancel && Usable(*control))
      return Click(*control);
  return false;
}

bool HeadlessUi::PressAccessKey(forms::Form& form, char letter) {
  if (Disabled(form) || (focus_ != nullptr && focus_->Spec().CapturesKeys)) return false;
  const char wanted = static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
  for (forms::Control* control : forms::StackingOrder(form)) {
    if (AccessKeyOf(control->Caption()) != wanted || !Usable(*control)) continue;
    switch (control->Kind()) {
      case ControlKind::CommandButton:
      case ControlKind::CheckBox:
      case ControlKind::OptionButton:
        Focus(*control);
        return Click(*control);
      case ControlKind::Label:
      case ControlKind::Frame:
        if (forms::Control* next = forms::NextTabStop(form, *control)) return Focus(*next);
        return false;
      default:
        break;
    }
  }
  return false;
}

}  // namespace sim
