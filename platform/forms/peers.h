#pragma once
// What a backend supplies for each loaded form and control: the native side
// that mirrors the control object. A peer reads the new value from its
// control when told which property changed; it never raises the control's
// events for a change the program made itself.
#include <memory>
#include <string>

#include "platform/forms/form_data.h"
#include "platform/forms/picture.h"
#include "platform/os_types.h"

namespace forms {

class Control;
class Form;

enum class Property {
  Caption,
  Enabled,
  Visible,
  Value,
  Rect,
  List,
  ListIndex,
  Colors,
  Picture,
  Timer,  // enabled or interval of a timer
  Tab,
  ToolTip,
  Checked,
  Font,
  Focus,  // the program moves the keyboard focus to the control
};

class ControlPeer {
 public:
  virtual ~ControlPeer() = default;
  virtual void Update(Property what) = 0;
  virtual platform::WindowHandle hWnd() const = 0;
  // Width of text in twips, in the control's own font.
  virtual std::int32_t TextWidth(const std::string& text) = 0;
};

// Controls: the set of controls changed (a load, a control added), so the
// backend stacks them again.
enum class FormProperty { Caption, Visible, WindowState, Rect, Icon, Focus, Controls };

class FormPeer {
 public:
  virtual ~FormPeer() = default;
  virtual std::unique_ptr<ControlPeer> CreateControlPeer(Control& control) = 0;
  virtual void Update(FormProperty what) = 0;
  virtual platform::WindowHandle hWnd() const = 0;
  // Shows the items of menu (a Menu control) at the mouse position and
  // returns the item picked, or null; it raises no event itself.
  virtual Control* PopupMenu(Control& menu, unsigned flags, Control* defaultItem) = 0;
  // Width of text in twips, in the form's font.
  virtual std::int32_t TextWidth(const std::string& text) = 0;
  // The form is about to be shown modally, owned by owner (which the user
  // cannot use meanwhile); null: that time ends, the owner is usable again.
  virtual void SetModalOwner(Form* owner) = 0;
  // Posts a message of the form layer's own to the form's window; when the
  // message loop hands it out, the peer calls the form's PostArrived. False
  // when the message could not be posted.
  virtual bool Post() = 0;
};

}  // namespace forms
