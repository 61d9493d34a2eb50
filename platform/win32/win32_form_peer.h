#pragma once
#include "platform/win32/win32_api.h"

#include <map>
#include <memory>

#include "platform/forms/form.h"
#include "platform/win32/win32_form_ui.h"

namespace platform::win32 {

void RegisterFormClasses(HINSTANCE instance);
void RegisterPictureClass(HINSTANCE instance);
void RegisterShapeClass(HINSTANCE instance);
bool IsFormWindow(HWND hwnd);
// Width in pixels of text in that font.
int MeasureText(HWND hwnd, HFONT font, const std::string& text);
// Ctrl+Tab on a form window; false when it has no tab control.
bool SwitchFormPage(HWND form, bool backwards);

class Win32ControlPeer;

// A loaded form: a top-level window of our own class. Its window procedure
// turns the messages of the form and of its controls into the form layer's
// user calls; changes the program makes are applied with those
// notifications ignored, so no handler runs twice.
class Win32FormPeer : public forms::FormPeer {
 public:
  Win32FormPeer(Win32Ui& ui, forms::Form& form);
  ~Win32FormPeer() override;

  std::unique_ptr<forms::ControlPeer> CreateControlPeer(forms::Control& control) override;
  void Update(forms::FormProperty what) override;
  platform::WindowHandle hWnd() const override;
  forms::Control* PopupMenu(forms::Control& menu, unsigned flags, forms::Control* defaultItem) override;
  std::int32_t TextWidth(const std::string& text) override;
  void SetModalOwner(forms::Form* owner) override;
  bool Post() override;

  LRESULT HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

  // For the control peers.
  Win32Ui& Ui() { return ui_; }
  forms::Form& Form() { return form_; }
  HWND Window() const { return hwnd_; }
  UINT_PTR AddTimer(forms::Control& control);
  void RemoveTimer(UINT_PTR id);
  void AddChild(HWND child, Win32ControlPeer* peer) { children_[child] = peer; }
  void RemoveChild(HWND child) { children_.erase(child); }
  void SetToolTip(HWND child, const std::string& text);
  // Pixels, in the form's client area, of a control's rectangle (which is
  // relative to its frame or tab control).
  RECT PixelRect(const forms::Control& control) const;
  // Each control shown or hidden as its containers and their pages say.
  void ShowShownControls();
  void RebuildMenuBar();
  int NextControlId() { return nextControlId_++; }
  // The default button's id, which the dialog manager asks for at Enter.
  void SetDefaultButton(int id) { defaultButton_ = id; }

 private:
  void ApplyWindowState();
  // Stacks the controls' windows as forms::StackingOrder says.
  void Restack();
  void Activated(bool active);
  forms::TwipsRect WindowRectTwips() const;

  Win32Ui& ui_;
  forms::Form& form_;
  HWND hwnd_ = nullptr;
  HWND toolTips_ = nullptr;
  HMENU menuBar_ = nullptr;
  std::map<UINT, forms::Control*> menuCommands_;
  std::map<UINT_PTR, forms::Control*> timers_;
  UINT_PTR nextTimer_ = 1;
  std::map<HWND, Win32ControlPeer*> children_;
  int quiet_ = 0;  // >0 while the program itself changes the window
  int nextControlId_ = 100;
  int defaultButton_ = 0;
  HWND savedFocus_ = nullptr;
  HWND modalOwner_ = nullptr;
};

class Win32ControlPeer : public forms::ControlPeer {
 public:
  Win32ControlPeer(Win32FormPeer& form, forms::Control& control);
  ~Win32ControlPeer() override;
  void Update(forms::Property what) override;
  platform::WindowHandle hWnd() const override;

  std::int32_t TextWidth(const std::string& text) override;

  // A notification from the control's window (WM_COMMAND, WM_NOTIFY).
  void Notify(UINT code);
  LRESULT Colour(HDC dc);
  forms::Control& Control() { return control_; }
  Win32FormPeer& FormPeer() { return form_; }
  void ShowAsShown();
  HWND Window() const { return hwnd_; }
  HBRUSH Brush(COLORREF color);
  // A text box's WM_CHAR, in the window's own form (win32_form_input.cpp).
  LRESULT Typed(WPARAM unit, LPARAM lParam);

 private:
  void Create();
  void SyncTimer();
  void FillList();
  HFONT ControlFont() const;
  RECT WindowRect() const;
  // A shape's window covers the shape only, so what lies under it shows.
  void ShapeRegion();

  Win32FormPeer& form_;
  forms::Control& control_;
  HWND hwnd_ = nullptr;
  UINT_PTR timer_ = 0;
  int quiet_ = 0;
  GdiObject brush_;
  COLORREF brushColor_ = 0;
  // The first half of a character typed in two messages: a high surrogate,
  // or an ANSI double-byte character's lead byte.
  WPARAM heldHalf_ = 0;
};

// Mouse and focus messages of the controls' windows (win32_form_input.cpp).
void SubclassControl(HWND hwnd, Win32ControlPeer* peer);
void UnsubclassControl(HWND hwnd);
// The form layer's mouse arguments from a mouse message.
void RaiseMouse(forms::Control& control, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace platform::win32
