// Shapes: a window of our own class each, so that a lamp inside a frame or
// on a tab page lies above it like any control. The window's region is the
// shape, so the corners of a circle show what lies beneath.
#include "platform/win32/win32_api.h"

#include <algorithm>

#include "platform/win32/win32_form_peer.h"
#include "platform/win32/win32_text.h"

namespace platform::win32 {
namespace {

using forms::ShapeKind;

bool Rounded(ShapeKind kind) { return kind == ShapeKind::RoundedRectangle || kind == ShapeKind::RoundedSquare; }
bool Oval(ShapeKind kind) { return kind == ShapeKind::Oval || kind == ShapeKind::Circle; }

// Squares and circles take the shorter side, centred.
RECT Outline(const forms::Control& control, const RECT& client) {
  RECT r = client;
  const ShapeKind kind = control.Spec().Shape;
  if (kind == ShapeKind::Square || kind == ShapeKind::Circle || kind == ShapeKind::RoundedSquare) {
    const LONG side = std::min(r.right - r.left, r.bottom - r.top);
    r.left += (r.right - r.left - side) / 2;
    r.top += (r.bottom - r.top - side) / 2;
    r.right = r.left + side;
    r.bottom = r.top + side;
  }
  return r;
}

HRGN ShapeRgn(ShapeKind kind, const RECT& r) {
  if (Oval(kind)) return ::CreateEllipticRgn(r.left, r.top, r.right + 1, r.bottom + 1);
  if (Rounded(kind)) return ::CreateRoundRectRgn(r.left, r.top, r.right + 1, r.bottom + 1, 8, 8);
  return ::CreateRectRgn(r.left, r.top, r.right, r.bottom);
}

// The interior: the fill colour with a solid fill (the back colour when no
// fill colour is given), else the back colour; none when neither is set.
bool Interior(const forms::Control& control, COLORREF& color) {
  std::int32_t chosen = control.BackColor();
  if (control.Spec().Fill == forms::FillStyle::Solid && control.FillColor() != forms::kDefaultColor)
    chosen = control.FillColor();
  if (chosen == forms::kDefaultColor) {
    if (control.Spec().Fill != forms::FillStyle::Solid) return false;
    chosen = forms::Rgb(0, 0, 0);
  }
  color = ResolveColor(chosen);
  return true;
}

LRESULT CALLBACK ShapeProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* peer = reinterpret_cast<Win32ControlPeer*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  switch (msg) {
    case WM_NCHITTEST:
      return HTTRANSPARENT;  // a double-click on a lamp reaches its frame
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = ::BeginPaint(hwnd, &ps);
      if (peer) {
        const forms::Control& control = peer->Control();
        RECT client{};
        ::GetClientRect(hwnd, &client);
        const RECT r = Outline(control, client);
        COLORREF inside = 0;
        const bool filled = Interior(control, inside);
        HBRUSH brush = filled ? peer->Brush(inside) : static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
        GdiObject pen(::CreatePen(PS_SOLID, 1, ResolveColor(control.ForeColor())));
        HGDIOBJ oldBrush = ::SelectObject(dc, brush);
        HGDIOBJ oldPen = ::SelectObject(dc, pen.get());
        const ShapeKind kind = control.Spec().Shape;
        if (Oval(kind)) ::Ellipse(dc, r.left, r.top, r.right, r.bottom);
        else if (Rounded(kind)) ::RoundRect(dc, r.left, r.top, r.right, r.bottom, 8, 8);
        else ::Rectangle(dc, r.left, r.top, r.right, r.bottom);
        ::SelectObject(dc, oldBrush);
        ::SelectObject(dc, oldPen);
      }
      ::EndPaint(hwnd, &ps);
      return 0;
    }
    default:
      return DefWindowProcOf(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

void RegisterShapeClass(HINSTANCE instance) {
  WNDCLASSEXA shape{};
  shape.cbSize = sizeof shape;
  shape.lpfnWndProc = ShapeProc;
  shape.hInstance = instance;
  shape.lpszClassName = kShapeClass;
  RegisterClassUtf8(shape);
}

void Win32ControlPeer::ShapeRegion() {
  RECT client{};
  ::GetClientRect(hwnd_, &client);
  const RECT r = Outline(control_, client);
  const ShapeKind kind = control_.Spec().Shape;
  HRGN region = ShapeRgn(kind, r);
  COLORREF inside = 0;
  if (!Interior(control_, inside)) {
    // Only the outline: what lies within shows through.
    const RECT inner{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
    GdiObject hole(ShapeRgn(kind, inner));
    ::CombineRgn(region, region, static_cast<HRGN>(hole.get()), RGN_DIFF);
  }
  // The window owns the region from here on.
  if (!::SetWindowRgn(hwnd_, region, TRUE)) ::DeleteObject(region);
}

}  // namespace platform::win32
