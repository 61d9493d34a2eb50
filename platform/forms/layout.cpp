#include "platform/forms/layout.h"

#include <algorithm>

#include "platform/forms/form.h"

namespace forms {
namespace {

bool IsContainerKind(ControlKind kind) { return kind == ControlKind::Frame || kind == ControlKind::TabControl; }

// A Tab stop the user can reach now.
bool IsTabStop(const Control& control) {
  return TakesFocus(control.Kind()) && control.Enabled() && Shown(control);
}

}  // namespace

bool HasWindow(ControlKind kind) {
  switch (kind) {
    case ControlKind::Timer:
    case ControlKind::ImageList:
    case ControlKind::Menu:
    case ControlKind::MenuItem: return false;
    default: return true;
  }
}

bool TakesFocus(ControlKind kind) {
  switch (kind) {
    case ControlKind::TextBox:
    case ControlKind::CommandButton:
    case ControlKind::CheckBox:
    case ControlKind::OptionButton:
    case ControlKind::ComboBox:
    case ControlKind::TabControl: return true;
    default: return false;
  }
}

Control* ContainerOf(const Control& control) {
  const std::string& name = control.Spec().Container;
  if (name.empty() || !control.Parent().Has(name)) return nullptr;
  Control& outer = control.Parent()[name];
  return IsContainerKind(outer.Kind()) ? &outer : nullptr;
}

bool IsInside(const Control& control, const Control& container) {
  for (const Control* outer = ContainerOf(control); outer; outer = ContainerOf(*outer))
    if (outer == &container) return true;
  return false;
}

bool Shown(const Control& control) {
  for (const Control* inner = &control; inner;) {
    if (!inner->Visible()) return false;
    const Control* outer = ContainerOf(*inner);
    if (outer && outer->Kind() == ControlKind::TabControl && inner->Spec().TabPage >= 0 &&
        inner->Spec().TabPage != outer->Tab())
      return false;
    inner = outer;
  }
  return true;
}

std::vector<Control*> StackingOrder(const Form& form) {
  std::vector<Control*> order;
  for (Control* control : form.Controls())
    if (HasWindow(control->Kind())) order.push_back(control);

  const auto plain = [](const Control* c) { return !TakesFocus(c->Kind()) && !IsContainerKind(c->Kind()); };
  for (auto run = order.begin(); run != order.end();) {
    if (!plain(*run)) {
      ++run;
      continue;
    }
    const auto end = std::find_if_not(run, order.end(), plain);
    std::reverse(run, end);
    run = end;
  }

  // Outer containers first: an inner frame then settles above its tab control.
  for (Control* container : form.Controls()) {
    if (!IsContainerKind(container->Kind())) continue;
    auto at = std::find(order.begin(), order.end(), container);
    std::size_t lowest = static_cast<std::size_t>(at - order.begin());
    for (std::size_t i = lowest + 1; i < order.size(); ++i)
      if (IsInside(*order[i], *container)) lowest = i;
    order.erase(at);
    order.insert(order.begin() + static_cast<std::ptrdiff_t>(lowest), container);
  }
  return order;
}

std::vector<Control*> TabOrder(const Form& form) {
  std::vector<Control*> stops;
  for (Control* control : StackingOrder(form))
    if (IsTabStop(*control)) stops.push_back(control);
  return stops;
}

Control* NextTabStop(const Form& form, const Control& from, bool backwards) {
  std::vector<Control*> order = StackingOrder(form);
  if (backwards) std::reverse(order.begin(), order.end());
  const auto at = std::find(order.begin(), order.end(), &from);
  if (at == order.end()) return nullptr;
  std::rotate(order.begin(), at + 1, order.end());
  for (Control* control : order)
    if (control != &from && IsTabStop(*control)) return control;
  return nullptr;
}

bool SwitchPage(Form& form, bool backwards) {
  Control* tab = nullptr;
  for (Control* control : form.Controls())
    if (control->Kind() == ControlKind::TabControl && control->Enabled() && Shown(*control)) {
      tab = control;
      break;
    }
  const int pages = tab ? static_cast<int>(tab->Spec().Items.size()) : 0;
  if (pages == 0) return false;
  // Windows may take the focus from a control it hides before we look.
  const Control* focused = form.ActiveControl();
  tab->UserTab((tab->Tab() + (backwards ? pages - 1 : 1)) % pages);
  if (focused && focused != tab && !Shown(*focused)) {
    for (Control* stop : TabOrder(form))
      if (IsInside(*stop, *tab)) {
        stop->SetFocus();
        return true;
      }
    tab->SetFocus();
  }
  return true;
}

}  // namespace forms
