#include "platform/forms/control.h"

#include "platform/forms/form.h"
#include "platform/forms/form_error.h"
#include "platform/forms/ui.h"

namespace forms {

Control::Control(Form& form, ControlSpec spec) : form_(form), spec_(std::move(spec)) { Reset(); }

void Control::Reset() {
  caption_ = spec_.Caption;
  enabled_ = spec_.Enabled;
  visible_ = spec_.Visible;
  toolTip_ = spec_.ToolTip;
  rect_ = spec_.Rect;
  value_ = 0;
  checked_ = false;
  list_ = spec_.Kind == ControlKind::ComboBox ? spec_.Items : std::vector<std::string>{};
  listIndex_ = -1;
  tab_ = 0;
  foreColor_ = spec_.ForeColor;
  backColor_ = spec_.BackColor;
  fillColor_ = spec_.FillColor;
  fontBold_ = spec_.FontBold;
  fontUnderline_ = spec_.FontUnderline;
  picture_ = {};
  interval_ = spec_.Interval;
}

void Control::SetCaption(const std::string& text) {
  if (text == caption_) return;
  caption_ = text;
  Tell(Property::Caption);
  if (spec_.Kind == ControlKind::TextBox || spec_.Kind == ControlKind::ComboBox) Change.Raise();
}

void Control::UserText(const std::string& text) {
  if (text == caption_) return;
  caption_ = text;
  Change.Raise();
}

void Control::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Tell(spec_.Kind == ControlKind::Timer ? Property::Timer : Property::Enabled);
}

void Control::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  Tell(Property::Visible);
}

void Control::SetToolTip(const std::string& text) {
  toolTip_ = text;
  Tell(Property::ToolTip);
}

void Control::Move(const TwipsRect& rect) {
  // Ticks set the same places and colours again and again: nothing to redraw.
  if (rect.Left == rect_.Left && rect.Top == rect_.Top && rect.Width == rect_.Width && rect.Height == rect_.Height)
    return;
  rect_ = rect;
  Tell(Property::Rect);
}

void Control::SetValue(int value) {
  if (value == value_) return;
  value_ = value;
  if (spec_.Kind == ControlKind::OptionButton && value_ != 0) SelectOption();
  Tell(Property::Value);
  Click.Raise();
}

void Control::UserValue(int value) {
  if (value == value_) return;
  value_ = value;
  if (spec_.Kind == ControlKind::OptionButton && value_ != 0) SelectOption();
  Click.Raise();
}

// Only one option button of a container is selected; the others are cleared
// without a click of their own.
void Control::SelectOption() {
  for (Control* other : form_.Controls()) {
    if (other == this || other->Kind() != ControlKind::OptionButton) continue;
    if (other->spec_.Container != spec_.Container || other->value_ == 0) continue;
    other->value_ = 0;
    other->Tell(Property::Value);
  }
}

void Control::UserClick() {
  if (spec_.Kind == ControlKind::CheckBox) {
    UserValue(value_ == 1 ? 0 : 1);
  } else if (spec_.Kind == ControlKind::OptionButton) {
    if (value_ == 0) UserValue(1);
  } else {
    Click.Raise();
  }
}

void Control::SetChecked(bool checked) {
  checked_ = checked;
  Tell(Property::Checked);
}

void Control::AddItem(const std::string& item) {
  list_.push_back(item);
  Tell(Property::List);
}

void Control::SetItems(std::vector<std::string> items) {
  list_ = std::move(items);
  listIndex_ = -1;
  Tell(Property::List);
}

void Control::RemoveItem(int index) {
  if (index < 0 || index >= ListCount()) throw Error(381, "Invalid property array index");
  list_.erase(list_.begin() + index);
  if (listIndex_ == index) listIndex_ = -1;
  else if (listIndex_ > index) --listIndex_;
  Tell(Property::List);
}

void Control::Clear() {
  list_.clear();
  listIndex_ = -1;
  Tell(Property::List);
}

void Control::SetListIndex(int index) {
  if (index < -1 || index >= ListCount()) throw Error(380, "Invalid property value");
  if (index == listIndex_) return;
  listIndex_ = index;
  caption_ = index < 0 ? std::string() : list_[static_cast<std::size_t>(index)];
  Tell(Property::ListIndex);
  Click.Raise();
}

void Control::UserListIndex(int index) {
  if (index < -1 || index >= ListCount() || index == listIndex_) return;
  listIndex_ = index;
  caption_ = index < 0 ? std::string() : list_[static_cast<std::size_t>(index)];
  Click.Raise();
}

void Control::SetTab(int tab) {
  if (tab < 0 || tab >= static_cast<int>(spec_.Items.size())) throw Error(380, "Invalid property value");
  if (tab == tab_) return;
  const int previous = tab_;
  tab_ = tab;
  Tell(Property::Tab);
  TabClick.Raise(previous);
}

void Control::UserTab(int tab) {
  if (tab == tab_) return;
  const int previous = tab_;
  tab_ = tab;
  Tell(Property::Tab);  // the pages' controls follow the page shown
  TabClick.Raise(previous);
}

void Control::SetForeColor(std::int32_t color) {
  if (color == foreColor_) return;
  foreColor_ = color;
  Tell(Property::Colors);
}
void Control::SetBackColor(std::int32_t color) {
  if (color == backColor_) return;
  backColor_ = color;
  Tell(Property::Colors);
}
void Control::SetFillColor(std::int32_t color) {
  if (color == fillColor_) return;
  fillColor_ = color;
  Tell(Property::Colors);
}

void Control::SetFontBold(bool bold) {
  if (bold == fontBold_) return;
  fontBold_ = bold;
  Tell(Property::Font);
}
void Control::SetFontUnderline(bool underline) {
  if (underline == fontUnderline_) return;
  fontUnderline_ = underline;
  Tell(Property::Font);
}

void Control::UserFocus(bool got) {
  form_.UserFocusMoved(*this, got);
  (got ? GotFocus : LostFocus).Raise();
}

void Control::SetPicture(const Picture& picture) {
  picture_ = picture;
  Tell(Property::Picture);
}

Picture Control::ListImage(int index) {
  if (index < 0 || index >= static_cast<int>(spec_.Items.size())) throw Error(35600, "Index out of bounds");
  if (images_.empty())
    for (const auto& resource : spec_.Items) images_.push_back(form_.GetUi().LoadResPicture(resource));
  return images_[static_cast<std::size_t>(index)];
}

void Control::SetInterval(std::uint32_t milliseconds) {
  if (milliseconds == interval_) return;
  interval_ = milliseconds;
  Tell(Property::Timer);
}

bool Control::ShouldTick() const { return enabled_ && interval_ > 0 && form_.Loaded() && !form_.Loading(); }

void Control::TimerDue() {
  // A backend may deliver a tick while the last one still runs (a handler
  // that services events); that tick is dropped, not queued.
  if (ticking_ || !ShouldTick()) return;
  ticking_ = true;
  struct Done {
    bool& flag;
    ~Done() { flag = false; }
  } done{ticking_};
  Timer.Raise();
}

}  // namespace forms
