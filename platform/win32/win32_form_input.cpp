// The mouse and focus messages of the controls' windows, turned into the
// form layer's events. Events whose handler may unload the form are raised
// last, after Windows has done its part.
#include "platform/win32/win32_api.h"

#include <commctrl.h>
#include <windowsx.h>

#include <utility>

#include "platform/forms/layout.h"
#include "platform/text/utf8.h"
#include "platform/win32/win32_form_peer.h"
#include "platform/win32/win32_text.h"

namespace platform::win32 {
namespace {

using forms::ControlKind;

constexpr UINT_PTR kSubclassId = 1;

bool WantsMouse(ControlKind kind) {
  switch (kind) {
    case ControlKind::Label:
    case ControlKind::Frame:
    case ControlKind::CommandButton:
    case ControlKind::CheckBox:
    case ControlKind::OptionButton:
    case ControlKind::TextBox: return true;
    default: return false;
  }
}

LRESULT CALLBACK ControlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
  auto* peer = reinterpret_cast<Win32ControlPeer*>(data);
  forms::Control& control = peer->Control();
  const ControlKind kind = control.Kind();
  switch (msg) {
    case WM_NCDESTROY:
      ::RemoveWindowSubclass(hwnd, ControlProc, kSubclassId);
      break;
    case WM_CHAR:
      if (kind == ControlKind::TextBox) return peer->Typed(wParam, lParam);
      break;
    case WM_GETDLGCODE:
      // Asked before Alt with a letter is taken for an access key.
      if (control.Spec().CapturesKeys && lParam != 0 && reinterpret_cast<const MSG*>(lParam)->message == WM_SYSCHAR)
        return ::DefSubclassProc(hwnd, msg, wParam, lParam) | DLGC_WANTMESSAGE;
      break;
    case WM_SYSCHAR:
      // No beep for the menu the dialog lacks; Alt+Space still opens the
      // window menu.
      if (control.Spec().CapturesKeys && wParam != ' ') return 0;
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
      const LRESULT result = ::DefSubclassProc(hwnd, msg, wParam, lParam);
      if (forms::TakesFocus(kind)) control.UserFocus(msg == WM_SETFOCUS);
      return result;
    }
    case WM_ERASEBKGND:
      // A group box leaves its inside to what lies beneath; above a tab
      // control that is nothing (siblings clip each other), so it paints it
      // in the colour its form gives labels.
      if (kind == ControlKind::Frame) {
        HDC dc = reinterpret_cast<HDC>(wParam);
        auto brush = reinterpret_cast<HBRUSH>(
            ::SendMessageA(::GetParent(hwnd), WM_CTLCOLORSTATIC, wParam, reinterpret_cast<LPARAM>(hwnd)));
        RECT client{};
        ::GetClientRect(hwnd, &client);
        ::FillRect(dc, &client, brush ? brush : ::GetSysColorBrush(COLOR_BTNFACE));
        return 1;
      }
      break;
    case WM_NCHITTEST:
      // A group box lets the mouse through to what lies under it; a frame
      // takes it, for its mouse events and double-click.
      if (kind == ControlKind::Frame) return HTCLIENT;
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_LBUTTONDBLCLK: {
      if (!WantsMouse(kind)) break;
      const LRESULT result = ::DefSubclassProc(hwnd, msg, wParam, lParam);
      const bool clickable = kind == ControlKind::Label || kind == ControlKind::Frame;
      if (msg == WM_LBUTTONDBLCLK) {
        // The second press of a double-click: a MouseDown too for the others.
        if (clickable) control.UserDblClick();
        else RaiseMouse(control, WM_LBUTTONDOWN, wParam, lParam);
      } else {
        RaiseMouse(control, msg, wParam, lParam);
        // Buttons report their own clicks (BN_CLICKED), the keyboard's too.
        if (clickable && msg == WM_LBUTTONUP) control.UserClick();
      }
      return result;
    }
    default:
      break;
  }
  return ::DefSubclassProc(hwnd, msg, wParam, lParam);
}

bool IsHighSurrogate(WPARAM unit) { return unit >= 0xD800 && unit < 0xDC00; }
bool IsLowSurrogate(WPARAM unit) { return unit >= 0xDC00 && unit < 0xE000; }

}  // namespace

// Text boxes report each typed character first, whole; a handler may
// discard it or put another in its place. Windows sends a character beyond
// the BMP to a Unicode window as two surrogates, and a double-byte one to an
// ANSI window as lead and trail byte: the first half waits for the second.
LRESULT Win32ControlPeer::Typed(WPARAM unit, LPARAM lParam) {
  HWND hwnd = hwnd_;
  const bool wide = ::IsWindowUnicode(hwnd) != FALSE;
  const WPARAM held = std::exchange(heldHalf_, 0);
  std::string ansi;
  char32_t typed = 0;
  if (wide) {
    if (IsHighSurrogate(unit)) {
      heldHalf_ = unit;
      return 0;
    }
    // Half a pair without the other half is no character: it goes on as it came.
    if (IsLowSurrogate(unit) && !held) return ::DefSubclassProc(hwnd, WM_CHAR, unit, lParam);
    typed = IsLowSurrogate(unit) ? 0x10000 + ((static_cast<char32_t>(held) - 0xD800) << 10) + (unit - 0xDC00)
                                 : static_cast<char32_t>(unit);
  } else {
    if (!held && ::IsDBCSLeadByte(static_cast<BYTE>(unit))) {
      heldHalf_ = unit;
      return 0;
    }
    if (held) ansi += static_cast<char>(held);
    ansi += static_cast<char>(unit);
    typed = text::DecodeUtf8(FromAnsi(ansi), 0).cp;
  }
  int character = static_cast<int>(typed);
  control_.UserKeyPress(character);  // may unload the form: nothing of the peer after it
  if (character == 0) return 0;
  std::string utf8;
  text::AppendUtf8(utf8, static_cast<char32_t>(character));
  LRESULT result = 0;
  if (wide) {
    for (char16_t half : text::Utf8ToUtf16(utf8)) result = ::DefSubclassProc(hwnd, WM_CHAR, half, lParam);
  } else {
    if (static_cast<char32_t>(character) != typed) ansi = ToAnsi(utf8);
    for (char byte : ansi) result = ::DefSubclassProc(hwnd, WM_CHAR, static_cast<BYTE>(byte), lParam);
  }
  return result;
}

void SubclassControl(HWND hwnd, Win32ControlPeer* peer) {
  ::SetWindowSubclass(hwnd, ControlProc, kSubclassId, reinterpret_cast<DWORD_PTR>(peer));
}

void UnsubclassControl(HWND hwnd) { ::RemoveWindowSubclass(hwnd, ControlProc, kSubclassId); }

void RaiseMouse(forms::Control& control, UINT msg, WPARAM wParam, LPARAM lParam) {
  forms::Ui& ui = control.Parent().GetUi();
  const double x = GET_X_LPARAM(lParam) * static_cast<double>(ui.TwipsPerPixelX());
  const double y = GET_Y_LPARAM(lParam) * static_cast<double>(ui.TwipsPerPixelY());
  const int shift = (wParam & MK_SHIFT ? 1 : 0) | (wParam & MK_CONTROL ? 2 : 0) | (::GetKeyState(VK_MENU) < 0 ? 4 : 0);
  switch (msg) {
    case WM_LBUTTONDOWN: control.UserMouse(control.MouseDown, 1, shift, x, y); break;
    case WM_RBUTTONDOWN: control.UserMouse(control.MouseDown, 2, shift, x, y); break;
    case WM_LBUTTONUP: control.UserMouse(control.MouseUp, 1, shift, x, y); break;
    case WM_RBUTTONUP: control.UserMouse(control.MouseUp, 2, shift, x, y); break;
    default: {
      const int buttons = (wParam & MK_LBUTTON ? 1 : 0) | (wParam & MK_RBUTTON ? 2 : 0) | (wParam & MK_MBUTTON ? 4 : 0);
      control.UserMouse(control.MouseMove, buttons, shift, x, y);
      break;
    }
  }
}

}  // namespace platform::win32
