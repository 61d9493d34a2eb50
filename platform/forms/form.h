#pragma once
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/forms/control.h"
#include "platform/forms/event.h"
#include "platform/forms/form_data.h"
#include "platform/forms/peers.h"

namespace forms {

class Ui;

// A form made from its description. Loading creates the native window and
// its controls (through the backend) and raises Load; its timers start only
// after the Load handler has returned. Unloading asks QueryUnload, raises
// Unload and destroys the native side; the control objects stay, and the
// next load starts them afresh from the description.
class Form {
 public:
  Form(Ui& ui, FormSpec spec);
  ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  const FormSpec& Spec() const { return spec_; }
  const std::string& Name() const { return spec_.Name; }
  Ui& GetUi() const { return ui_; }

  // The control of that name (the element of that index in a control array).
  Control& operator[](std::string_view name) const { return Item(name, -1); }
  Control& Item(std::string_view name, int index) const;
  bool Has(std::string_view name, int index = -1) const;
  std::vector<Control*> Controls() const;
  // Adds a control while the program runs; error 727 when one of that name
  // and index is already there.
  Control& AddControl(ControlSpec spec);

  bool Loaded() const { return peer_ != nullptr; }
  bool Loading() const { return loading_; }
  void Load();
  void Show();
  // Shows the form owned by owner, which the user cannot use until this form
  // is hidden or unloaded; returns then. Timers of every form keep running.
  void ShowModal(Form& owner);
  Form* ModalOwner() const { return modalOwner_; }
  void Hide();
  // False when QueryUnload or Unload cancelled it.
  bool Unload(UnloadMode mode = UnloadMode::FormCode);
  void SetFocus();

  bool Visible() const { return visible_; }
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  WindowState GetWindowState() const { return windowState_; }
  void SetWindowState(WindowState state);
  const TwipsRect& Rect() const { return rect_; }
  void Move(const TwipsRect& rect);
  Picture Icon();
  platform::WindowHandle hWnd() const { return peer_ ? peer_->hWnd() : 0; }
  std::int32_t TextWidth(const std::string& text) const { return peer_ ? peer_->TextWidth(text) : 0; }
  // The control that has the keyboard focus, or null.
  Control* ActiveControl() const { return activeControl_; }

  // Asks for Posted to be raised from the message loop, after the handler
  // now running has returned. Asking again before then asks once.
  void Post();

  // Shows a Menu control's items as a pop-up menu and raises the Click of the
  // item picked, after the menu has closed.
  void PopupMenu(Control& menu, unsigned flags = 0, Control* defaultItem = nullptr);

  Event<> LoadEvent;
  Event<> Activate;
  Event<> Deactivate;
  Event<> Resize;
  Event<int&, UnloadMode> QueryUnload;  // set the first argument to cancel
  Event<int&> UnloadEvent;
  // The shell has started again (after a crash of the task bar) and has
  // forgotten every notification-area icon.
  Event<> ShellRestarted;
  // Windows asks whether the session may end; WM_ENDSESSION then unloads
  // the form with UnloadMode::AppWindows.
  Event<> QueryEndSession;
  // The user asked for help (F1) on a control, or on the form itself: the
  // help topic of the one asked about, or of the form when it has none.
  Event<std::int32_t> HelpRequested;
  // What Post asked for.
  Event<> Posted;
  // A hot-key registered for the form's window was pressed: the message has
  // passed any procedure put in front of the form's own.
  Event<> Hotkey;

  // ---- for backends ----
  void UserActivated(bool active) { (active ? Activate : Deactivate).Raise(); }
  void UserResized(WindowState state, const TwipsRect& rect);
  void UserMoved(const TwipsRect& rect) { rect_ = rect; }
  void UserFocusMoved(Control& control, bool got) {
    if (got) activeControl_ = &control;
    else if (activeControl_ == &control) activeControl_ = nullptr;
  }
  void PostArrived();
  void UserHelp(const Control* control) {
    HelpRequested.Raise(control && control->Spec().HelpTopic != 0 ? control->Spec().HelpTopic : spec_.HelpTopic);
  }

 private:
  void Tell(FormProperty what) {
    if (peer_) peer_->Update(what);
  }
  void EndModal();

  Ui& ui_;
  FormSpec spec_;
  std::vector<std::unique_ptr<Control>> controls_;
  // Controls added at run time and dropped by an unload; kept alive because
  // a handler of theirs may still be running.
  std::vector<std::unique_ptr<Control>> retired_;
  std::size_t designControls_ = 0;
  std::unique_ptr<FormPeer> peer_;
  bool loading_ = false;
  bool posted_ = false;
  bool visible_ = false;
  std::string caption_;
  WindowState windowState_ = WindowState::Normal;
  TwipsRect rect_;
  Form* modalOwner_ = nullptr;
  Control* activeControl_ = nullptr;
};

}  // namespace forms
