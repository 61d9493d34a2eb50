#include "platform/win32/win32_api.h"

#include <commctrl.h>
#include <windowsx.h>

#include "platform/forms/form_error.h"
#include "platform/forms/layout.h"
#include "platform/win32/win32_form_peer.h"
#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_text.h"

namespace platform::win32 {
namespace {

using forms::ControlKind;

// Picture boxes: a window of our own class that draws its icon and reports
// the mouse (the tray icon's callback arrives here as a mouse move).
LRESULT CALLBACK PictureProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* peer = reinterpret_cast<Win32ControlPeer*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!peer) return DefWindowProcOf(hwnd, msg, wParam, lParam);
  forms::Control& control = peer->Control();
  switch (msg) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
      RaiseMouse(control, msg, wParam, lParam);
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
      return DefWindowProcOf(hwnd, msg, wParam, lParam);
  }
}

// A tab control in the visual style paints its pages in a colour of the
// style's own, which labels, frames and check boxes on them do not share; in
// the classic look the pages have the form's colour. The style's library is
// not always loaded by the time the first tab control is made (under Wine it
// is not), so it is loaded here, for as long as the program runs; Windows 98
// and NT 4 have none.
void ClassicLook(HWND hwnd) {
  static const struct ThemeLibrary {
    HMODULE module;
    ThemeLibrary() {
      const UINT previous = ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
      module = ::LoadLibraryA("uxtheme.dll");
      ::SetErrorMode(previous);
    }
    ~ThemeLibrary() {
      if (module) ::FreeLibrary(module);
    }
  } library;
  HMODULE theme = library.module;
  if (!theme) return;
  using SetWindowThemeFn = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
  auto setTheme = reinterpret_cast<SetWindowThemeFn>(
      reinterpret_cast<void (*)()>(::GetProcAddress(theme, "SetWindowTheme")));
  // A string matching no class (a space, as documented; an empty one keeps
  // the style under Wine) turns the style off for this window.
  if (setTheme) setTheme(hwnd, L" ", L" ");
}

struct WindowKind {
  const char* className;
  DWORD style;
  DWORD exStyle;
};

WindowKind KindOf(const forms::ControlSpec& spec) {
  DWORD align = spec.Align == forms::Alignment::Right ? SS_RIGHT : spec.Align == forms::Alignment::Center ? SS_CENTER : SS_LEFT;
  // The other way round a separator is a vertical one.
  const DWORD etched = spec.Rect.Height > spec.Rect.Width ? SS_ETCHEDVERT : SS_ETCHEDHORZ;
  switch (spec.Kind) {
    case ControlKind::Label:
      return {"STATIC", align | SS_NOTIFY | (spec.Border == forms::BorderStyle::FixedSingle ? WS_BORDER : 0u), 0};
    case ControlKind::TextBox:
      return {"EDIT", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case ControlKind::CommandButton:
      return {"BUTTON", static_cast<DWORD>(WS_TABSTOP | (spec.Default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON)), 0};
    case ControlKind::CheckBox:
      return {"BUTTON", WS_TABSTOP | BS_AUTOCHECKBOX, 0};
    case ControlKind::OptionButton:
      // Not an automatic one: the form layer clears the other options of the
      // container itself, and Windows' own search of the group would include
      // the hidden pages.
      return {"BUTTON", WS_TABSTOP | BS_RADIOBUTTON, 0};
    case ControlKind::Frame:
      return {"BUTTON", BS_GROUPBOX, 0};
    case ControlKind::ComboBox:
      return {"COMBOBOX", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0};
    case ControlKind::TabControl:
      return {WC_TABCONTROLA, WS_TABSTOP, 0};
    case ControlKind::PictureBox:
      return {kPictureClass, 0, 0};
    case ControlKind::Shape:
      return {kShapeClass, 0, 0};
    case ControlKind::Line:
      return {"STATIC", etched, 0};
    default:
      return {nullptr, 0, 0};  // no window: timers, image lists, menus
  }
}

// A page's tab in either form: TCITEMA with the A message, TCITEMW with
// the W one.
template <typename Item, typename Text>
void InsertPage(HWND tabs, std::size_t at, Text text, UINT insert) {
  Item item{};
  item.mask = TCIF_TEXT;
  item.pszText = text.data();
  ::SendMessageA(tabs, insert, at, reinterpret_cast<LPARAM>(&item));
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
  RegisterClassUtf8(picture);
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
  const RECT r = WindowRect();
  const bool shown = forms::Shown(control_);
  // Cancel buttons take the id Escape sends; the others a number of the form.
  const int id = control_.Spec().Cancel && control_.Kind() == ControlKind::CommandButton ? IDCANCEL
                                                                                         : form_.NextControlId();
  // Siblings clip each other, so that the stacking decides what shows where
  // controls overlap.
  hwnd_ = CreateWindowUtf8(kind.exStyle, kind.className, control_.Caption(),
                           WS_CHILD | WS_CLIPSIBLINGS | kind.style | (shown ? WS_VISIBLE : 0u) |
                               (control_.Enabled() ? 0u : WS_DISABLED),
                           r.left, r.top, r.right - r.left, r.bottom - r.top, form_.Window(),
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), form_.Ui().Instance(), nullptr);
  if (!hwnd_) throw forms::Error(forms::kErrCannotCreateWindow, "Can't create the control " + control_.Name());
  ::SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(ControlFont()), FALSE);
  if (control_.Kind() == ControlKind::PictureBox || control_.Kind() == ControlKind::Shape)
    ::SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  if (control_.Kind() == ControlKind::Shape) ShapeRegion();
  if (control_.Spec().Default && control_.Kind() == ControlKind::CommandButton) form_.SetDefaultButton(id);
  form_.AddChild(hwnd_, this);
  SubclassControl(hwnd_, this);
  if (control_.Kind() == ControlKind::ComboBox) FillList();
  if (control_.Kind() == ControlKind::TabControl) {
    ClassicLook(hwnd_);
    const auto& pages = control_.Spec().Items;
    for (std::size_t i = 0; i < pages.size(); ++i) {
      if (IsNt()) InsertPage<TCITEMW>(hwnd_, i, Widen(pages[i]), TCM_INSERTITEMW);
      else InsertPage<TCITEMA>(hwnd_, i, ToAnsi(pages[i]), TCM_INSERTITEMA);
    }
  }
  if (!control_.ToolTip().empty()) form_.SetToolTip(hwnd_, control_.ToolTip());
}

Win32ControlPeer::~Win32ControlPeer() {
  if (timer_ != 0) form_.RemoveTimer(timer_);
  if (hwnd_) {
    form_.RemoveChild(hwnd_);
    UnsubclassControl(hwnd_);
    ::SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
    ::DestroyWindow(hwnd_);
  }
}

platform::WindowHandle Win32ControlPeer::hWnd() const { return FromHwnd(hwnd_); }

RECT Win32ControlPeer::WindowRect() const {
  RECT r = form_.PixelRect(control_);
  if (control_.Kind() == ControlKind::ComboBox) r.bottom += 7 * (r.bottom - r.top);  // room for the drop-down list
  // A separator is the two pixels of its etched edge.
  if (control_.Kind() == ControlKind::Line) {
    if (control_.Rect().Height > control_.Rect().Width) r.right = r.left + 2;
    else r.bottom = r.top + 2;
  }
  return r;
}

HFONT Win32ControlPeer::ControlFont() const {
  return form_.Ui().Font(control_.FontBold(), control_.FontUnderline());
}

std::int32_t Win32ControlPeer::TextWidth(const std::string& text) {
  return MeasureText(hwnd_ ? hwnd_ : form_.Window(), ControlFont(), text) * form_.Ui().TwipsPerPixelX();
}

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
  // A long list (thousands of settings) goes in without a redraw or a
  // reallocation at each entry, and past our subclass: under Wine every
  // message through a comctl32 subclass costs about 0.1 ms, which made
  // 30,000 entries take 3 s against 30 ms without it. Nothing the subclass
  // reports comes of filling a list.
  UnsubclassControl(hwnd_);
  struct Resubclass {
    Win32ControlPeer& peer;
    ~Resubclass() { SubclassControl(peer.hwnd_, &peer); }
  } resubclass{*this};
  ::SendMessageA(hwnd_, WM_SETREDRAW, FALSE, 0);
  ::SendMessageA(hwnd_, CB_RESETCONTENT, 0, 0);
  std::size_t bytes = 0;
  for (int i = 0; i < control_.ListCount(); ++i) bytes += control_.List(i).size() + 1;
  // Wide text takes at most two bytes for each byte of UTF-8.
  if (IsNt()) bytes *= 2;
  ::SendMessageA(hwnd_, CB_INITSTORAGE, static_cast<WPARAM>(control_.ListCount()), static_cast<LPARAM>(bytes));
  for (int i = 0; i < control_.ListCount(); ++i) SendTextMessage(hwnd_, CB_ADDSTRING, 0, control_.List(i));
  ::SendMessageA(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(control_.ListIndex()), 0);
  ::SendMessageA(hwnd_, WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(hwnd_, nullptr, TRUE);
}

void Win32ControlPeer::ShowAsShown() {
  if (hwnd_) ::ShowWindow(hwnd_, forms::Shown(control_) ? SW_SHOWNA : SW_HIDE);
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
  if (!hwnd_) return;
  ++quiet_;
  switch (what) {
    case Property::Caption:
      SetWindowTextUtf8(hwnd_, control_.Caption());
      break;
    case Property::Enabled:
      ::EnableWindow(hwnd_, control_.Enabled());
      break;
    case Property::Visible:
      // A frame or tab control takes what it holds along.
      if (control_.Kind() == ControlKind::Frame || control_.Kind() == ControlKind::TabControl) form_.ShowShownControls();
      else ShowAsShown();
      break;
    case Property::Value:
      ::SendMessageA(hwnd_, BM_SETCHECK, static_cast<WPARAM>(control_.Value()), 0);
      break;
    case Property::Rect: {
      const RECT r = WindowRect();
      ::MoveWindow(hwnd_, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
      if (control_.Kind() == ControlKind::Shape) ShapeRegion();
      // What a frame or tab control holds moves with it.
      if (control_.Kind() == ControlKind::Frame || control_.Kind() == ControlKind::TabControl)
        for (forms::Control* inner : control_.Parent().Controls())
          if (inner != &control_ && forms::IsInside(*inner, control_)) inner->Refresh(Property::Rect);
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
      form_.ShowShownControls();
      break;
    case Property::Colors:
      if (control_.Kind() == ControlKind::Shape) ShapeRegion();
      ::InvalidateRect(hwnd_, nullptr, TRUE);
      break;
    case Property::Picture:
      ::InvalidateRect(hwnd_, nullptr, TRUE);
      break;
    case Property::Font:
      ::SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(ControlFont()), TRUE);
      break;
    case Property::Focus:
      if (::IsWindowVisible(hwnd_) && ::IsWindowEnabled(hwnd_)) ::SetFocus(hwnd_);
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
      if (code == BN_CLICKED) control_.UserClick();
      break;
    case ControlKind::CheckBox:
      if (code == BN_CLICKED)
        control_.UserValue(::SendMessageA(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0);
      break;
    case ControlKind::OptionButton:
      if (code == BN_CLICKED) {
        ++quiet_;
        ::SendMessageA(hwnd_, BM_SETCHECK, BST_CHECKED, 0);
        --quiet_;
        control_.UserValue(1);
      }
      break;
    case ControlKind::TextBox:
      if (code == EN_CHANGE) control_.UserText(WindowText(hwnd_));
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
  if (control_.ForeColor() != forms::kDefaultColor) ::SetTextColor(dc, ResolveColor(control_.ForeColor()));
  // A text field keeps the window colour when only its text's is set.
  const bool field = control_.Kind() == ControlKind::TextBox || control_.Kind() == ControlKind::ComboBox;
  const COLORREF back = control_.BackColor() != forms::kDefaultColor ? ResolveColor(control_.BackColor())
                                                                     : ::GetSysColor(field ? COLOR_WINDOW : COLOR_BTNFACE);
  ::SetBkColor(dc, back);
  return reinterpret_cast<LRESULT>(Brush(back));
}

// One brush per control, made again only when its colour changes.
HBRUSH Win32ControlPeer::Brush(COLORREF color) {
  if (!brush_ || brushColor_ != color) {
    brush_.reset(::CreateSolidBrush(color));
    brushColor_ = color;
  }
  return static_cast<HBRUSH>(brush_.get());
}

}  // namespace platform::win32
