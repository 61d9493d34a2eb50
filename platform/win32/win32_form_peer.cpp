#include "platform/win32/win32_form_peer.h"

#include <commctrl.h>
#include <windowsx.h>

#include "platform/forms/form_error.h"
#include "platform/forms/layout.h"
#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_text.h"

namespace platform::win32 {
namespace {

Win32FormPeer* PeerOf(HWND hwnd) {
  return reinterpret_cast<Win32FormPeer*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

LRESULT CALLBACK FormProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    // The creation parameter comes first in either form of CREATESTRUCT.
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  if (Win32FormPeer* peer = PeerOf(hwnd)) return peer->HandleMessage(hwnd, msg, wParam, lParam);
  return DefWindowProcOf(hwnd, msg, wParam, lParam);
}

DWORD StyleOf(const forms::FormSpec& spec) {
  DWORD style = WS_CLIPCHILDREN;
  switch (spec.Border) {
    case forms::BorderStyle::None: style |= WS_POPUP; break;
    case forms::BorderStyle::FixedSingle: style |= WS_OVERLAPPED | WS_CAPTION | WS_MINIMIZEBOX; break;
    case forms::BorderStyle::Sizable: style |= WS_OVERLAPPEDWINDOW; break;
    case forms::BorderStyle::FixedDialog: style |= WS_POPUP | WS_CAPTION; break;
  }
  if (spec.ControlBox && spec.Border != forms::BorderStyle::None) style |= WS_SYSMENU;
  return style;
}

forms::WindowState StateOf(WPARAM sizeType) {
  if (sizeType == SIZE_MINIMIZED) return forms::WindowState::Minimized;
  if (sizeType == SIZE_MAXIMIZED) return forms::WindowState::Maximized;
  return forms::WindowState::Normal;
}

// Form windows are of our own class, so the application range is ours.
constexpr UINT kPostedMessage = WM_APP + 0x10;

struct MenuDestroyer {
  void operator()(HMENU menu) const { ::DestroyMenu(menu); }
};

}  // namespace

void RegisterFormClasses(HINSTANCE instance) {
  WNDCLASSEXA form{};
  form.cbSize = sizeof form;
  form.lpfnWndProc = FormProc;
  form.hInstance = instance;
  form.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  form.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  form.lpszClassName = kFormClass;
  form.hIcon = static_cast<HICON>(::LoadImageA(instance, "APPICON", IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
  RegisterClassUtf8(form);
  RegisterPictureClass(instance);
  RegisterShapeClass(instance);
}

bool SwitchFormPage(HWND form, bool backwards) {
  Win32FormPeer* peer = PeerOf(form);
  return peer && forms::SwitchPage(peer->Form(), backwards);
}

bool IsFormWindow(HWND hwnd) {
  char name[32] = "";
  ::GetClassNameA(hwnd, name, sizeof name);
  return lstrcmpA(name, kFormClass) == 0;
}

Win32FormPeer::Win32FormPeer(Win32Ui& ui, forms::Form& form) : ui_(ui), form_(form) {
  const forms::FormSpec& spec = form.Spec();
  const DWORD exStyle = spec.ShowInTaskbar ? WS_EX_APPWINDOW : 0;
  const int width = spec.Rect.Width / ui_.TwipsPerPixelX();
  const int height = spec.Rect.Height / ui_.TwipsPerPixelY();
  hwnd_ = CreateWindowUtf8(exStyle | WS_EX_CONTROLPARENT, kFormClass, form.Caption(), StyleOf(spec), CW_USEDEFAULT,
                           CW_USEDEFAULT, width, height, nullptr, nullptr, ui_.Instance(), this);
  if (!hwnd_) throw forms::Error(forms::kErrCannotCreateWindow, "Can't create the window of form " + spec.Name);
  if (HICON icon = reinterpret_cast<HICON>(form.Icon().Handle))
    ::SendMessageA(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  toolTips_ = CreateWindowUtf8(0, TOOLTIPS_CLASSA, "", WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr, ui_.Instance(), nullptr);
  RebuildMenuBar();
}

Win32FormPeer::~Win32FormPeer() {
  // Messages sent while the window goes must not reach this half-gone peer.
  ::SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
  for (const auto& [id, control] : timers_) ::KillTimer(hwnd_, id);
  ::DestroyWindow(hwnd_);  // also its controls, tool-tips and menu bar
}

platform::WindowHandle Win32FormPeer::hWnd() const { return FromHwnd(hwnd_); }

std::unique_ptr<forms::ControlPeer> Win32FormPeer::CreateControlPeer(forms::Control& control) {
  auto peer = std::make_unique<Win32ControlPeer>(*this, control);
  if (control.Kind() == forms::ControlKind::Menu || control.Kind() == forms::ControlKind::MenuItem) RebuildMenuBar();
  return peer;
}

forms::TwipsRect Win32FormPeer::WindowRectTwips() const {
  RECT r{};
  ::GetWindowRect(hwnd_, &r);
  return {r.left * ui_.TwipsPerPixelX(), r.top * ui_.TwipsPerPixelY(), (r.right - r.left) * ui_.TwipsPerPixelX(),
          (r.bottom - r.top) * ui_.TwipsPerPixelY()};
}

void Win32FormPeer::ApplyWindowState() {
  switch (form_.GetWindowState()) {
    case forms::WindowState::Minimized: ::ShowWindow(hwnd_, SW_MINIMIZE); break;
    case forms::WindowState::Maximized: ::ShowWindow(hwnd_, SW_MAXIMIZE); break;
    case forms::WindowState::Normal: ::ShowWindow(hwnd_, SW_RESTORE); break;
  }
}

void Win32FormPeer::Update(forms::FormProperty what) {
  ++quiet_;
  switch (what) {
    case forms::FormProperty::Caption:
      SetWindowTextUtf8(hwnd_, form_.Caption());
      break;
    case forms::FormProperty::Visible:
      if (form_.Visible()) {
        ApplyWindowState();
        ::ShowWindow(hwnd_, SW_SHOW);
        ::SetForegroundWindow(hwnd_);
      } else {
        ::ShowWindow(hwnd_, SW_HIDE);
        // An owned window would go with its owner's; the owner was a dialog's
        // only while it was shown modally.
        if (modalOwner_) ::SetWindowLongPtrA(hwnd_, GWLP_HWNDPARENT, 0);
        modalOwner_ = nullptr;
      }
      break;
    case forms::FormProperty::WindowState:
      // A hidden form keeps its state until it is shown.
      if (::IsWindowVisible(hwnd_)) ApplyWindowState();
      break;
    case forms::FormProperty::Rect: {
      const forms::TwipsRect& r = form_.Rect();
      ::SetWindowPos(hwnd_, nullptr, r.Left / ui_.TwipsPerPixelX(), r.Top / ui_.TwipsPerPixelY(),
                     r.Width / ui_.TwipsPerPixelX(), r.Height / ui_.TwipsPerPixelY(), SWP_NOZORDER | SWP_NOACTIVATE);
      break;
    }
    case forms::FormProperty::Icon:
      ::SendMessageA(hwnd_, WM_SETICON, ICON_SMALL, static_cast<LPARAM>(form_.Icon().Handle));
      break;
    case forms::FormProperty::Focus:
      if (::IsWindowVisible(hwnd_)) {
        ::SetForegroundWindow(hwnd_);
        if (HWND focus = ::GetFocus(); focus != hwnd_ && !::IsChild(hwnd_, focus)) ::SetFocus(hwnd_);
      }
      break;
    case forms::FormProperty::Controls:
      Restack();
      break;
  }
  --quiet_;
}

void Win32FormPeer::Restack() {
  HWND above = HWND_TOP;
  for (forms::Control* control : forms::StackingOrder(form_)) {
    HWND child = ToHwnd(control->hWnd());
    if (!child) continue;
    ::SetWindowPos(child, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    above = child;
  }
}

void Win32FormPeer::SetModalOwner(forms::Form* owner) {
  if (!owner) {
    // Usable again before the dialog hides, so Windows activates the owner.
    if (modalOwner_) ::EnableWindow(modalOwner_, TRUE);
    return;
  }
  modalOwner_ = ToHwnd(owner->hWnd());
  ::SetWindowLongPtrA(hwnd_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(modalOwner_));
  // Centred on the owner, as dialogs open.
  RECT outer{}, own{};
  ::GetWindowRect(modalOwner_, &outer);
  ::GetWindowRect(hwnd_, &own);
  const int width = own.right - own.left, height = own.bottom - own.top;
  ::SetWindowPos(hwnd_, nullptr, std::max(0L, (outer.left + outer.right - width) / 2),
                 std::max(0L, (outer.top + outer.bottom - height) / 2), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ::EnableWindow(modalOwner_, FALSE);
}

// Like a dialog: the control that had the focus when the form was left gets
// it back, or else the first Tab stop. False: the form keeps it itself.
void Win32FormPeer::Activated(bool active) {
  if (!active) {
    HWND focus = ::GetFocus();
    if (focus && ::IsChild(hwnd_, focus)) savedFocus_ = focus;
    return;
  }
  HWND target = savedFocus_;
  if (!target || !::IsWindow(target) || !::IsWindowVisible(target) || !::IsWindowEnabled(target)) {
    // GetNextDlgTabItem from no control starts at either end, as the
    // version pleases.
    const auto stops = forms::TabOrder(form_);
    target = stops.empty() ? nullptr : ToHwnd(stops.front()->hWnd());
  }
  if (target) ::SetFocus(target);
  else ::SetFocus(hwnd_);
}

LRESULT Win32FormPeer::HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!hwnd_) hwnd_ = hwnd;  // messages arrive before CreateWindowEx returns
  if (msg == ui_.TaskbarCreatedMessage() && msg != 0) {
    form_.ShellRestarted.Raise();
    return 0;
  }
  switch (msg) {
    case WM_TIMER: {
      const auto it = timers_.find(wParam);
      if (it != timers_.end()) it->second->TimerDue();
      return 0;
    }
    case kPostedMessage:
      form_.PostArrived();
      return 0;
    case WM_HOTKEY:
      form_.Hotkey.Raise();
      return 0;
    case WM_ACTIVATE: {
      const bool active = LOWORD(wParam) != WA_INACTIVE;
      if (!active || HIWORD(wParam) == 0) Activated(active);
      // Showing a form activates it, whoever showed it. The handler may
      // unload the form: nothing of this peer after it.
      form_.UserActivated(active);
      return active ? 0 : DefWindowProcOf(hwnd, msg, wParam, lParam);
    }
    case WM_NEXTDLGCTL: {
      // What the dialog manager asks of a form at an access key of a label:
      // the focus to the label, then on to the next Tab stop.
      HWND target = LOWORD(lParam) ? reinterpret_cast<HWND>(wParam)
                                   : ::GetNextDlgTabItem(hwnd_, ::GetFocus(), wParam != 0);
      if (target) {
        if (!LOWORD(lParam) && (::SendMessageA(target, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL))
          ::SendMessageA(target, EM_SETSEL, 0, -1);
        ::SetFocus(target);
      }
      return 0;
    }
    case DM_GETDEFID:
      return defaultButton_ ? MAKELRESULT(defaultButton_, DC_HASDEFID) : 0;
    case WM_SIZE:
      if (quiet_ == 0 && (::IsWindowVisible(hwnd_) || wParam == SIZE_MINIMIZED))
        form_.UserResized(StateOf(wParam), WindowRectTwips());
      break;
    case WM_MOVE:
      if (quiet_ == 0) form_.UserMoved(WindowRectTwips());
      break;
    case WM_CLOSE:
      // The peer goes away with the form; nothing of it may be touched after.
      form_.Unload(forms::UnloadMode::FormControlMenu);
      return 0;
    case WM_QUERYENDSESSION:
      form_.QueryEndSession.Raise();
      return TRUE;
    case WM_ENDSESSION:
      if (wParam) {
        ui_.SessionEnding();
        form_.Unload(forms::UnloadMode::AppWindows);
      }
      return 0;
    case WM_COMMAND: {
      if (lParam == 0 && HIWORD(wParam) == 0) {
        const auto it = menuCommands_.find(LOWORD(wParam));
        if (it != menuCommands_.end()) it->second->UserClick();
        return 0;
      }
      const auto it = children_.find(reinterpret_cast<HWND>(lParam));
      if (it != children_.end() && quiet_ == 0) it->second->Notify(HIWORD(wParam));
      return 0;
    }
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      const auto it = children_.find(header->hwndFrom);
      if (it != children_.end() && quiet_ == 0) it->second->Notify(header->code);
      return 0;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN: {
      const auto it = children_.find(reinterpret_cast<HWND>(lParam));
      if (it != children_.end())
        if (LRESULT brush = it->second->Colour(reinterpret_cast<HDC>(wParam))) return brush;
      break;
    }
    case WM_HELP: {
      const auto* info = reinterpret_cast<const HELPINFO*>(lParam);
      const auto it = children_.find(static_cast<HWND>(info->hItemHandle));
      form_.UserHelp(it == children_.end() ? nullptr : &it->second->Control());
      return TRUE;
    }
    default:
      break;
  }
  return DefWindowProcOf(hwnd_, msg, wParam, lParam);
}

UINT_PTR Win32FormPeer::AddTimer(forms::Control& control) {
  const UINT_PTR id = nextTimer_++;
  timers_[id] = &control;
  return id;
}

void Win32FormPeer::RemoveTimer(UINT_PTR id) {
  ::KillTimer(hwnd_, id);
  timers_.erase(id);
}

namespace {

// The tool in either form: TOOLINFOA with TTM_*TOOLA, TOOLINFOW with the W
// messages.
template <typename Info, typename Text>
void SetTool(HWND toolTips, HWND form, HWND child, Text text, UINT del, UINT add) {
  Info info{};
  info.cbSize = sizeof info;
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = form;
  info.uId = reinterpret_cast<UINT_PTR>(child);
  ::SendMessageA(toolTips, del, 0, reinterpret_cast<LPARAM>(&info));
  if (text.empty()) return;
  info.lpszText = text.data();
  ::SendMessageA(toolTips, add, 0, reinterpret_cast<LPARAM>(&info));
}

}  // namespace

void Win32FormPeer::SetToolTip(HWND child, const std::string& text) {
  if (!toolTips_) return;
  if (IsNt()) SetTool<TOOLINFOW>(toolTips_, hwnd_, child, Widen(text), TTM_DELTOOLW, TTM_ADDTOOLW);
  else SetTool<TOOLINFOA>(toolTips_, hwnd_, child, ToAnsi(text), TTM_DELTOOLA, TTM_ADDTOOLA);
}

RECT Win32FormPeer::PixelRect(const forms::Control& control) const {
  forms::TwipsRect r = control.Rect();
  // Controls inside a frame or tab control are placed relative to it.
  for (const forms::Control* outer = forms::ContainerOf(control); outer; outer = forms::ContainerOf(*outer)) {
    r.Left += outer->Rect().Left;
    r.Top += outer->Rect().Top;
  }
  const int x = ui_.TwipsPerPixelX();
  const int y = ui_.TwipsPerPixelY();
  return {r.Left / x, r.Top / y, (r.Left + r.Width) / x, (r.Top + r.Height) / y};
}

void Win32FormPeer::ShowShownControls() {
  ++quiet_;
  for (auto& [hwnd, peer] : children_) peer->ShowAsShown();
  --quiet_;
}

void Win32FormPeer::RebuildMenuBar() {
  // Menu titles with Visible set and no container make up the menu bar.
  std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDestroyer> bar(::CreateMenu());
  menuCommands_.clear();
  UINT next = 1000;
  bool any = false;
  for (forms::Control* title : form_.Controls()) {
    if (title->Kind() != forms::ControlKind::Menu || !title->Spec().Container.empty() || !title->Visible()) continue;
    any = true;
    HMENU popup = ::CreatePopupMenu();
    bool items = false;
    for (forms::Control* item : form_.Controls()) {
      if (item->Kind() != forms::ControlKind::MenuItem || item->Spec().Container != title->Name() || !item->Visible())
        continue;
      items = true;
      if (item->Caption() == "-") {
        ::AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
        continue;
      }
      const UINT id = next++;
      menuCommands_[id] = item;
      AppendMenuUtf8(popup, MF_STRING | (item->Enabled() ? 0 : MF_GRAYED) | (item->Checked() ? MF_CHECKED : 0), id,
                     item->Caption());
    }
    if (items) {
      AppendMenuUtf8(bar.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(popup), title->Caption());
    } else {
      ::DestroyMenu(popup);
      const UINT id = next++;
      menuCommands_[id] = title;  // a command in the menu bar itself
      AppendMenuUtf8(bar.get(), MF_STRING, id, title->Caption());
    }
  }
  HMENU old = ::GetMenu(hwnd_);
  if (!any && !old) return;
  ::SetMenu(hwnd_, any ? bar.release() : nullptr);
  if (old) ::DestroyMenu(old);
}

forms::Control* Win32FormPeer::PopupMenu(forms::Control& menu, unsigned flags, forms::Control* defaultItem) {
  std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDestroyer> popup(::CreatePopupMenu());
  std::map<UINT, forms::Control*> commands;
  UINT next = 1;
  for (forms::Control* item : form_.Controls()) {
    if (item->Kind() != forms::ControlKind::MenuItem || item->Spec().Container != menu.Name() || !item->Visible())
      continue;
    if (item->Caption() == "-") {
      ::AppendMenuA(popup.get(), MF_SEPARATOR, 0, nullptr);
      continue;
    }
    const UINT id = next++;
    commands[id] = item;
    AppendMenuUtf8(popup.get(), MF_STRING | (item->Enabled() ? 0 : MF_GRAYED) | (item->Checked() ? MF_CHECKED : 0), id,
                   item->Caption());
    if (item == defaultItem) ::SetMenuDefaultItem(popup.get(), id, FALSE);
  }
  POINT at{};
  ::GetCursorPos(&at);
  const UINT picked = static_cast<UINT>(
      ::TrackPopupMenu(popup.get(), flags | TPM_RETURNCMD | TPM_NONOTIFY, at.x, at.y, 0, hwnd_, nullptr));
  // Without it the menu of a tray icon may not open the second time.
  ::PostMessageA(hwnd_, WM_NULL, 0, 0);
  const auto it = commands.find(picked);
  return it == commands.end() ? nullptr : it->second;
}

bool Win32FormPeer::Post() { return ::PostMessageA(hwnd_, kPostedMessage, 0, 0) != FALSE; }

std::int32_t Win32FormPeer::TextWidth(const std::string& text) { return MeasureText(hwnd_, ui_.Font(), text) * ui_.TwipsPerPixelX(); }

int MeasureText(HWND hwnd, HFONT font, const std::string& text) {
  HDC dc = ::GetDC(hwnd);
  HGDIOBJ old = ::SelectObject(dc, font);
  SIZE size{};
  if (IsNt()) {
    const std::wstring wide = Widen(text);
    ::GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
  } else {
    const std::string ansi = ToAnsi(text);
    ::GetTextExtentPoint32A(dc, ansi.c_str(), static_cast<int>(ansi.size()), &size);
  }
  ::SelectObject(dc, old);
  ::ReleaseDC(hwnd, dc);
  return size.cx;
}

}  // namespace platform::win32
