#include "platform/win32/win32_text.h"

#include <algorithm>

#include "platform/text/utf8.h"

namespace platform::win32 {

namespace {

std::wstring ToWide(UINT codePage, std::string_view bytes) {
  if (bytes.empty()) return std::wstring();
  const int size = static_cast<int>(bytes.size());
  const int n = ::MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
  if (n > 0) ::MultiByteToWideChar(codePage, 0, bytes.data(), size, wide.data(), n);
  return wide;
}

std::string FromWide(UINT codePage, std::wstring_view wide, BOOL* usedDefault = nullptr) {
  if (wide.empty()) return std::string();
  const int size = static_cast<int>(wide.size());
  // CP_UTF8 takes no default-character arguments.
  const DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
  const int n = ::WideCharToMultiByte(codePage, flags, wide.data(), size, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
  if (n > 0) ::WideCharToMultiByte(codePage, flags, wide.data(), size, out.data(), n, nullptr, usedDefault);
  return out;
}

// Runs `convert` over each well-formed UTF-8 stretch of text, keeping any
// other byte as it is: 8-bit rich text must come back byte for byte.
template <typename Fn>
std::string OverUtf8Runs(std::string_view text, Fn convert) {
  std::string out;
  out.reserve(text.size());
  std::size_t runStart = 0;
  std::size_t at = 0;
  const auto flush = [&](std::size_t end) {
    if (end > runStart) out += convert(text.substr(runStart, end - runStart));
  };
  while (at < text.size()) {
    const ::text::Utf8Char c = ::text::DecodeUtf8(text, at);
    if (!c.valid) {
      flush(at);
      out += text[at];
      runStart = at + 1;
    }
    at += c.length;
  }
  flush(at);
  return out;
}

}  // namespace

bool IsNt() {
  static const bool nt = (::GetVersion() & 0x80000000u) == 0;
  return nt;
}

std::wstring Widen(std::string_view utf8) { return ToWide(CP_UTF8, utf8); }
std::string Narrow(std::wstring_view wide) { return FromWide(CP_UTF8, wide); }
std::string Narrow(const wchar_t* wide) { return wide != nullptr ? Narrow(std::wstring_view(wide)) : std::string(); }
std::string FromAnsi(std::string_view ansi) { return FromWide(CP_UTF8, ToWide(CP_ACP, ansi)); }
std::string ToAnsi(std::string_view utf8) { return FromWide(CP_ACP, Widen(utf8)); }

std::string WindowText(HWND hwnd) {
  if (IsNt()) {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return Narrow(text);
  }
  std::string text(static_cast<std::size_t>(::GetWindowTextLengthA(hwnd)) + 1, '\0');
  text.resize(static_cast<std::size_t>(::GetWindowTextA(hwnd, text.data(), static_cast<int>(text.size()))));
  return FromAnsi(text);
}

bool SetWindowTextUtf8(HWND hwnd, std::string_view text) {
  if (IsNt()) return ::SetWindowTextW(hwnd, Widen(text).c_str()) != FALSE;
  return ::SetWindowTextA(hwnd, ToAnsi(text).c_str()) != FALSE;
}

ATOM RegisterClassUtf8(const WNDCLASSEXA& windowClass) {
  if (!IsNt()) return ::RegisterClassExA(&windowClass);
  // The two forms differ only in their names' type.
  WNDCLASSEXW wide{};
  wide.cbSize = sizeof wide;
  wide.style = windowClass.style;
  wide.lpfnWndProc = windowClass.lpfnWndProc;
  wide.cbClsExtra = windowClass.cbClsExtra;
  wide.cbWndExtra = windowClass.cbWndExtra;
  wide.hInstance = windowClass.hInstance;
  wide.hIcon = windowClass.hIcon;
  wide.hCursor = windowClass.hCursor;
  wide.hbrBackground = windowClass.hbrBackground;
  wide.hIconSm = windowClass.hIconSm;
  const std::wstring name = Widen(windowClass.lpszClassName);
  wide.lpszClassName = name.c_str();
  return ::RegisterClassExW(&wide);
}

HWND CreateWindowUtf8(DWORD exStyle, const char* className, std::string_view text, DWORD style, int x, int y,
                      int width, int height, HWND parent, HMENU menu, HINSTANCE instance, void* param) {
  if (IsNt())
    return ::CreateWindowExW(exStyle, Widen(className).c_str(), Widen(text).c_str(), style, x, y, width, height,
                             parent, menu, instance, param);
  return ::CreateWindowExA(exStyle, className, ToAnsi(text).c_str(), style, x, y, width, height, parent, menu,
                           instance, param);
}

LRESULT DefWindowProcOf(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return ::IsWindowUnicode(hwnd) ? ::DefWindowProcW(hwnd, msg, wParam, lParam)
                                 : ::DefWindowProcA(hwnd, msg, wParam, lParam);
}

LRESULT SendTextMessage(HWND hwnd, UINT msg, WPARAM wParam, std::string_view text) {
  if (IsNt()) return ::SendMessageW(hwnd, msg, wParam, reinterpret_cast<LPARAM>(Widen(text).c_str()));
  return ::SendMessageA(hwnd, msg, wParam, reinterpret_cast<LPARAM>(ToAnsi(text).c_str()));
}

bool AppendMenuUtf8(HMENU menu, UINT flags, UINT_PTR id, std::string_view text) {
  if (IsNt()) return ::AppendMenuW(menu, flags, id, Widen(text).c_str()) != FALSE;
  return ::AppendMenuA(menu, flags, id, ToAnsi(text).c_str()) != FALSE;
}

int MessageBoxUtf8(HWND owner, std::string_view text, std::string_view caption, UINT type) {
  if (IsNt()) return ::MessageBoxW(owner, Widen(text).c_str(), Widen(caption).c_str(), type);
  return ::MessageBoxA(owner, ToAnsi(text).c_str(), ToAnsi(caption).c_str(), type);
}

BOOL GetMessageUtf8(MSG& msg) {
  return IsNt() ? ::GetMessageW(&msg, nullptr, 0, 0) : ::GetMessageA(&msg, nullptr, 0, 0);
}

bool IsDialogMessageUtf8(HWND dialog, MSG& msg) {
  return (IsNt() ? ::IsDialogMessageW(dialog, &msg) : ::IsDialogMessageA(dialog, &msg)) != FALSE;
}

void DispatchMessageUtf8(const MSG& msg) {
  if (IsNt()) ::DispatchMessageW(&msg);
  else ::DispatchMessageA(&msg);
}

}  // namespace platform::win32

namespace {

// The conversions take a 32-bit length: longer buffers go in pieces. (A
// piece may end inside a surrogate pair or a double-byte character, which
// the conversion leaves alone either way.)
template <typename Buffer, typename Convert>
void InPieces(Buffer& buffer, Convert convert) {
  for (std::size_t at = 0; at < buffer.size();) {
    const auto n = static_cast<DWORD>(std::min<std::size_t>(buffer.size() - at, 0x40000000));
    convert(buffer.data() + at, n);
    at += n;
  }
}

std::string ConvertCase(std::string_view text, bool upper) {
  using namespace platform::win32;
  return OverUtf8Runs(text, [upper](std::string_view run) {
    if (IsNt()) {
      std::wstring wide = Widen(run);
      InPieces(wide, upper ? ::CharUpperBuffW : ::CharLowerBuffW);
      return Narrow(wide);
    }
    std::string ansi = ToAnsi(run);
    InPieces(ansi, upper ? ::CharUpperBuffA : ::CharLowerBuffA);
    return FromAnsi(ansi);
  });
}

}  // namespace

std::string Win32Text::CharUpper(std::string_view text) { return ConvertCase(text, true); }
std::string Win32Text::CharLower(std::string_view text) { return ConvertCase(text, false); }

std::string Win32Text::FromAnsiCodePage(std::string_view bytes) { return platform::win32::FromAnsi(bytes); }

std::optional<std::string> Win32Text::ToAnsiCodePage(std::string_view text) {
  const std::wstring wide = platform::win32::Widen(text);
  BOOL usedDefault = FALSE;
  std::string ansi = platform::win32::FromWide(CP_ACP, wide, &usedDefault);
  if (usedDefault) return std::nullopt;
  // A code page without best fit can still change a character: check the
  // way back.
  if (platform::win32::ToWide(CP_ACP, ansi) != wide) return std::nullopt;
  return ansi;
}
