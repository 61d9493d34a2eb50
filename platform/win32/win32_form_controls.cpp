#include <windows.h>

#include <commctrl.h>
#include <windowsx.h>

#include "platform/forms/form_error.h"
#include "platform/win32/win32_form_peer.h"
#include "platform/win32/win32_handles.h"

namespace platform::win32 {
namespace {

using forms::ControlKind;

// Picture boxes: a window of our own class that draws its icon and reports
// the mouse (the tray icon's callback arrives here as a mouse move).
LRESULT CALLBACK PictureProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* peer = reinterpret_cast<Win32ControlPeer*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!peer) return ::DefWindowProcA(hwnd, msg, wParam, lParam);
  forms::Control& control = peer->Control();
  forms::Ui& ui = control.Parent().GetUi();
  const double x = GET_X_LPARAM(lParam) * static_cast<double>(ui.TwipsPerPixelX());
  const double y = GET_Y_LPARAM(lParam) * static_cast<double>(ui.TwipsPerPixelY());
  const int button = (wParam & MK_LBUTTON ? 1 : 0) | (wParam & MK_RBUTTON ? 2 : 0) | (wParam & MK_MBUTTON ? 4 : 0);
  const int shift = (wParam & MK_SHIFT ? 1 : 0) | (wParam & MK_CONTROL ? 2 : 0);
  switch (msg) {
    case WM_MOUSEMOVE:
      control.UserMouse(control.MouseMove, button, shift, x, y);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      control.UserMouse(control.MouseDown, msg == WM_LBUTTONDOWN ? 1 : 2, shift, x, y);
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
      control.UserMouse(control.MouseUp, msg == WM_LBUTTONUP ? 1 : 2, shift, x, y);
      if (msg == WM_LBUTTONUP) control.UserClick();
      return 0;
    case WM_LBUTTONDBLCLK:
      control.UserDblClick();
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = ::BeginPaint(hwnd, &ps);
      if (HICON icon = reinterpret_cast<HICON>(control.GetPicture().Handle))
        ::DrawIconEx(dc, 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL);
      ::EndPaint(hwnd, &ps);
      return 0;
    }
    default:
      return ::DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

// Text boxes report each typed character first; a handler may discard it.
LRESULT CALLBACK TextBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
  if (msg == WM_CHAR) {
    auto* peer = reinterpret_cast<Win32ControlPeer*>(data);
    int ascii = static_cast<int>(wParam);
    peer->Control().UserKeyPress(ascii);
    if (ascii == 0) return 0;
    wParam = static_cast<WPARAM>(ascii);
  }
  return ::DefSubclassProc(hwnd, msg, wParam, lParam);
}

struct WindowKind {
  const char* className;
  DWORD style;
  DWORD exStyle;
};

WindowKind KindOf(const forms::ControlSpec& spec) {
  DWORD align = spec.Align == forms::Alignment::Right ? SS_RIGHT : spec.Align == forms::Alignment::Center ? SS_CENTER : SS_LEFT;
  switch (spec.Kind) {
    case ControlKind::Label:
      return {"STATIC", align | SS_NOTIFY | (spec.Border == forms::BorderStyle::FixedSingle ? WS_BORDER : 0u), 0};
    case ControlKind::TextBox:
      return {"EDIT", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case ControlKind::CommandButton:
      return {"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, 0};
    case ControlKind::CheckBox:
      return {"BUTTON", WS_TABSTOP | BS_AUTOCHECKBOX, 0};
    case ControlKind::OptionButton:
      return {"BUTTON", WS_TABSTOP | BS_AUTORADIOBUTTON, 0};
    case ControlKind::Frame:
      return {"BUTTON", BS_GROUPBOX, 0};
    case ControlKind::ComboBox:
      return {"COMBOBOX", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0};
    case ControlKind::TabControl:
      return {WC_TABCONTROLA, WS_TABSTOP | WS_CLIPSIBLINGS, 0};
    case ControlKind::PictureBox:
      return {kPictureClass, 0, 0};
    default:
      return {nullptr, 0, 0};  // no window: timers, image lists, menus, shapes
  }
}

}  // namespace

void RegisterPictureClass(HINSTANCE instance) {
  WNDCLASSEXA picture{};
  picture.cbSize = sizeof picture;
  picture.style = CS_DBLCLKS;
  picture.lpfnWndProc = PictureProc;
  picture.hInstance = instance;
  picture.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  picture.lpszClassName = kPictureClass;
  ::RegisterClassExA(&picture);
}

Win32ControlPeer::Win32ControlPeer(Win32FormPeer& form, forms::Control& control) : form_(form), control_(control) {
  Create();
}

void Win32ControlPeer::Create() {
  if (control_.Kind() == ControlKind::Timer) {
    SyncTimer();
    return;
  }
  const WindowKind kind = KindOf(control_.Spec());
  if (!kind.className) return;
  const RECT r = form_.PixelRect(control_);
  int height = r.bottom - r.top;
  if (control_.Kind() == ControlKind::ComboBox) height *= 8;  // room for the drop-down list
  const bool shown = control_.Visible() && form_.OnShownPage(control_);
  hwnd_ = ::CreateWindowExA(kind.exStyle, kind.className, control_.Caption().c_str(),
                            WS_CHILD | kind.style | (shown ? WS_VISIBLE : 0u) | (control_.Enabled() ? 0u : WS_DISABLED),
                            r.left, r.top, r.right - r.left, height, form_.Window(), nullptr, form_.Ui().Instance(),
                            nullptr);
  if (!hwnd_) throw forms::Error(forms::kErrCannotCreateWindow, "Can't create the control " + control_.Name());
  ::SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(form_.Ui().Font()), FALSE);
  if (control_.Kind() == ControlKind::PictureBox) ::SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  form_.AddChild(hwnd_, this);
  if (control_.Kind() == ControlKind::TextBox) ::SetWindowSubclass(hwnd_, TextBoxProc, 1, reinterpret_cast<DWORD_PTR>(this));
  if (control_.Kind() == ControlKind::ComboBox) FillList();
  if (control_.Kind() == ControlKind::TabControl) {
    const auto& pages = control_.Spec().Items;
    for (std::size_t i = 0; i < pages.size(); ++i) {
      TCITEMA item{};
      item.mask = TCIF_TEXT;
      item.pszText = const_cast<char*>(pages[i].c_str());
      ::SendMessageA(hwnd_, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
    }
  }
  if (!control_.ToolTip().empty()) form_.SetToolTip(hwnd_, control_.ToolTip());
}

Win32ControlPeer::~Win32ControlPeer() {
  if (timer_ != 0) form_.RemoveTimer(timer_);
  if (hwnd_) {
    form_.RemoveChild(hwnd_);
    if (control_.Kind() == ControlKind::TextBox) ::RemoveWindowSubclass(hwnd_, TextBoxProc, 1);
    if (control_.Kind() == ControlKind::PictureBox) ::SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
    ::DestroyWindow(hwnd_);
  }
}

platform::WindowHandle Win32ControlPeer::hWnd() const { return FromHwnd(hwnd_); }

void Win32ControlPeer::SyncTimer() {
  if (!control_.ShouldTick()) {
    if (timer_ != 0) form_.RemoveTimer(timer_);
    timer_ = 0;
    return;
  }
  if (timer_ == 0) timer_ = form_.AddTimer(control_);
  ::SetTimer(form_.Window(), timer_, control_.Interval(), nullptr);  // (re)starts with the interval
}

void Win32ControlPeer::FillList() {
  ::SendMessageA(hwnd_, CB_RESETCONTENT, 0, 0);
  for (int i = 0; i < control_.ListCount(); ++i)
    ::SendMessageA(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(control_.List(i).c_str()));
  ::SendMessageA(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(control_.ListIndex()), 0);
}

void Win32ControlPeer::ShowAsPage() {
  if (hwnd_ && control_.Kind() != ControlKind::TabControl)
    ::ShowWindow(hwnd_, control_.Visible() && form_.OnShownPage(control_) ? SW_SHOWNA : SW_HIDE);
}

void Win32ControlPeer::Update(forms::Property what) {
  using forms::Property;
  if (what == Property::Timer) {
    SyncTimer();
    return;
  }
  if (control_.Kind() == ControlKind::Menu || control_.Kind() == ControlKind::MenuItem) {
    form_.RebuildMenuBar();
    return;
  }
  if (!hwnd_) {
    if (control_.Kind() == ControlKind::Shape) ::InvalidateRect(form_.Window(), nullptr, TRUE);
    return;
  }
  ++quiet_;
  switch (what) {
    case Property::Caption:
      ::SetWindowTextA(hwnd_, control_.Caption().c_str());
      break;
    case Property::Enabled:
      ::EnableWindow(hwnd_, control_.Enabled());
      break;
    case Property::Visible:
      ShowAsPage();
      break;
    case Property::Value:
      ::SendMessageA(hwnd_, BM_SETCHECK, static_cast<WPARAM>(control_.Value()), 0);
      break;
    case Property::Rect: {
      const RECT r = form_.PixelRect(control_);
      ::MoveWindow(hwnd_, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
      break;
    }
    case Property::List:
      FillList();
      break;
    case Property::ListIndex:
      ::SendMessageA(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(control_.ListIndex()), 0);
      break;
    case Property::Tab:
      ::SendMessageA(hwnd_, TCM_SETCURSEL, static_cast<WPARAM>(control_.Tab()), 0);
      form_.ShowPage(control_);
      break;
    case Property::Colors:
    case Property::Picture:
      ::InvalidateRect(hwnd_, nullptr, TRUE);
      break;
    case Property::ToolTip:
      form_.SetToolTip(hwnd_, control_.ToolTip());
      break;
    default:
      break;
  }
  --quiet_;
}

void Win32ControlPeer::Notify(UINT code) {
  if (quiet_ > 0) return;
  switch (control_.Kind()) {
    case ControlKind::CommandButton:
    case ControlKind::Label:
      if (code == BN_CLICKED || code == STN_CLICKED) control_.UserClick();
      if (control_.Kind() == ControlKind::Label && code == STN_DBLCLK) control_.UserDblClick();
      break;
    case ControlKind::CheckBox:
    case ControlKind::OptionButton:
      if (code == BN_CLICKED)
        control_.UserValue(::SendMessageA(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0);
      break;
    case ControlKind::TextBox:
      if (code == EN_CHANGE) {
        std::string text(static_cast<std::size_t>(::GetWindowTextLengthA(hwnd_)) + 1, '\0');
        text.resize(static_cast<std::size_t>(::GetWindowTextA(hwnd_, text.data(), static_cast<int>(text.size()))));
        control_.UserText(text);
      }
      break;
    case ControlKind::ComboBox:
      if (code == CBN_SELCHANGE) control_.UserListIndex(static_cast<int>(::SendMessageA(hwnd_, CB_GETCURSEL, 0, 0)));
      break;
    case ControlKind::TabControl:
      if (code == static_cast<UINT>(TCN_SELCHANGE))
        control_.UserTab(static_cast<int>(::SendMessageA(hwnd_, TCM_GETCURSEL, 0, 0)));
      break;
    default:
      break;
  }
}

LRESULT Win32ControlPeer::Colour(HDC dc) {
  if (control_.ForeColor() == forms::kDefaultColor && control_.BackColor() == forms::kDefaultColor) return 0;
  if (control_.ForeColor() != forms::kDefaultColor) ::SetTextColor(dc, static_cast<COLORREF>(control_.ForeColor()));
  const COLORREF back = control_.BackColor() != forms::kDefaultColor ? static_cast<COLORREF>(control_.BackColor())
                                                                     : ::GetSysColor(COLOR_BTNFACE);
  ::SetBkColor(dc, back);
  brush_.reset(::CreateSolidBrush(back));
  return reinterpret_cast<LRESULT>(brush_.get());
}

}  // namespace platform::win32
