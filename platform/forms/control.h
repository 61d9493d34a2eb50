#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/forms/event.h"
#include "platform/forms/form_data.h"
#include "platform/forms/peers.h"
#include "platform/forms/picture.h"

namespace forms {

class Form;

// One control of a form: its properties and events. Which properties matter
// depends on the kind. Setting a property from code raises the event a user
// making the same change would raise, once; the backend reports the user's
// own changes through the User... calls.
class Control {
 public:
  Control(Form& form, ControlSpec spec);
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const ControlSpec& Spec() const { return spec_; }
  const std::string& Name() const { return spec_.Name; }
  int Index() const { return spec_.Index; }
  ControlKind Kind() const { return spec_.Kind; }
  Form& Parent() const { return form_; }

  // Caption of labels, buttons, frames and menus; the text of text and combo
  // boxes (changing it raises Change).
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& text);
  const std::string& Text() const { return caption_; }
  void SetText(const std::string& text) { SetCaption(text); }

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  const std::string& ToolTip() const { return toolTip_; }
  void SetToolTip(const std::string& text);

  const TwipsRect& Rect() const { return rect_; }
  void Move(const TwipsRect& rect);

  // Check boxes: 0 unticked, 1 ticked, 2 greyed. Option buttons: 1 selected.
  // A change raises Click; selecting an option clears the others of its
  // container.
  int Value() const { return value_; }
  void SetValue(int value);

  // Menu items.
  bool Checked() const { return checked_; }
  void SetChecked(bool checked);

  // Combo boxes. Changing ListIndex raises Click.
  int ListCount() const { return static_cast<int>(list_.size()); }
  const std::string& List(int index) const { return list_.at(static_cast<std::size_t>(index)); }
  void AddItem(const std::string& item);
  // The whole list at once, told to the native side once: a list of many
  // thousand entries filled item by item would be sent again at each one.
  void SetItems(std::vector<std::string> items);
  void RemoveItem(int index);
  void Clear();
  int ListIndex() const { return listIndex_; }
  void SetListIndex(int index);

  // Tab controls: the page shown. A change raises TabClick with the previous.
  int Tab() const { return tab_; }
  void SetTab(int tab);

  // Colours are RGB values or system colours (SystemColor, kColorWindow...),
  // which follow the user's colour scheme.
  std::int32_t ForeColor() const { return foreColor_; }
  std::int32_t BackColor() const { return backColor_; }
  std::int32_t FillColor() const { return fillColor_; }
  void SetForeColor(std::int32_t color);
  void SetBackColor(std::int32_t color);
  void SetFillColor(std::int32_t color);

  // The system's message font, bold or underlined as asked.
  bool FontBold() const { return fontBold_; }
  bool FontUnderline() const { return fontUnderline_; }
  void SetFontBold(bool bold);
  void SetFontUnderline(bool underline);
  // Width of text in twips in this control's font (0 while not loaded).
  std::int32_t TextWidth(const std::string& text) const { return peer_ ? peer_->TextWidth(text) : 0; }

  // Moves the keyboard focus here; GotFocus follows once it has arrived.
  void SetFocus() { Tell(Property::Focus); }

  // Picture boxes; for image lists, the icons listed in the description.
  const Picture& GetPicture() const { return picture_; }
  void SetPicture(const Picture& picture);
  Picture ListImage(int index);

  // Timers: Interval in milliseconds; Enabled starts and stops them. A tick
  // never starts while the same timer's handler still runs.
  std::uint32_t Interval() const { return interval_; }
  void SetInterval(std::uint32_t milliseconds);
  bool ShouldTick() const;

  platform::WindowHandle hWnd() const { return peer_ ? peer_->hWnd() : 0; }

  Event<> Click;
  Event<> DblClick;
  Event<> Change;
  // The character typed, a Unicode code point (one beyond the BMP too, not
  // its halves); set it to 0 to discard it, or to another to type that.
  Event<int&> KeyPress;
  Event<int, int, double, double> MouseDown;  // button, shift, x and y in twips
  Event<int, int, double, double> MouseUp;
  Event<int, int, double, double> MouseMove;
  Event<int> TabClick;  // the previous page
  Event<> Timer;
  Event<> GotFocus;
  Event<> LostFocus;

  // ---- for backends ----
  void UserClick();
  void UserDblClick() { DblClick.Raise(); }
  void UserText(const std::string& text);
  void UserValue(int value);
  void UserListIndex(int index);
  void UserTab(int tab);
  void UserKeyPress(int& character) { KeyPress.Raise(character); }
  void UserMouse(Event<int, int, double, double>& which, int button, int shift, double x, double y) {
    which.Raise(button, shift, x, y);
  }
  // The keyboard focus came (true) or went (false).
  void UserFocus(bool got);
  void TimerDue();
  void AttachPeer(std::unique_ptr<ControlPeer> peer) { peer_ = std::move(peer); }
  void DetachPeer() { peer_.reset(); }
  // Tells the native side to show the property's present value again.
  void Refresh(Property what) { Tell(what); }
  // Back to the description, as a fresh load of the form finds it.
  void Reset();

 private:
  void Tell(Property what) {
    if (peer_) peer_->Update(what);
  }
  void SelectOption();

  Form& form_;
  ControlSpec spec_;
  std::unique_ptr<ControlPeer> peer_;
  std::string caption_;
  bool enabled_ = true;
  bool visible_ = true;
  std::string toolTip_;
  TwipsRect rect_;
  int value_ = 0;
  bool checked_ = false;
  std::vector<std::string> list_;
  int listIndex_ = -1;
  int tab_ = 0;
  std::int32_t foreColor_ = kDefaultColor;
  std::int32_t backColor_ = kDefaultColor;
  std::int32_t fillColor_ = kDefaultColor;
  bool fontBold_ = false;
  bool fontUnderline_ = false;
  Picture picture_;
  std::vector<Picture> images_;
  std::uint32_t interval_ = 0;
  bool ticking_ = false;
};

}  // namespace forms
