// The mouse and focus messages of the controls' windows, turned into the
// form layer's events. Events whose handler may unload the form are raised
// last, after Windows has done its part.
#include "platform/win32/win32_api.h"

#include <commctrl.h>
#include <windowsx.h>

#include "platform/forms/layout.h"
#include "platform/win32/win32_form_peer.h"

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
      // Text boxes report each typed character first; a handler may discard it.
      if (kind == ControlKind::TextBox) {
        int ascii = static_cast<int>(wParam);
        control.UserKeyPress(ascii);
        if (ascii == 0) return 0;
        wParam = static_cast<WPARAM>(ascii);
      }
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

}  // namespace

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
