#include "platform/win32/win32_form_ui.h"

#include <commctrl.h>

#include <algorithm>
#include <cstddef>
#include <type_traits>
#include <vector>

#include "platform/win32/win32_files.h"
#include "platform/win32/win32_form_peer.h"
#include "platform/win32/win32_text.h"

namespace platform::win32 {

Win32Ui::Win32Ui(HINSTANCE instance, std::string title) : instance_(instance), title_(std::move(title)) {
  INITCOMMONCONTROLSEX common{sizeof common, ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
  ::InitCommonControlsEx(&common);

  if (HDC screen = ::GetDC(nullptr)) {
    const int dpiX = ::GetDeviceCaps(screen, LOGPIXELSX);
    const int dpiY = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    if (dpiX > 0) twipsPerPixelX_ = std::max(1, (1440 + dpiX / 2) / dpiX);
    if (dpiY > 0) twipsPerPixelY_ = std::max(1, (1440 + dpiY / 2) / dpiY);
  }
  // Wide on the NT family, so that the font's name is whole. The size
  // without the field Vista added: every version takes it.
  if (IsNt()) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth);
    if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0)) logFont_ = metrics.lfMessageFont;
  } else {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = offsetof(NONCLIENTMETRICSA, iPaddedBorderWidth);
    if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0)) logFont_ = metrics.lfMessageFont;
  }
  font_.reset(MakeFont(false, false));

  taskbarCreated_ = ::RegisterWindowMessageA("TaskbarCreated");
  RegisterFormClasses(instance_);
}

namespace {

// An icon of few colours made again with the alpha channel its mask says.
// Wine's shell hands an icon to the tray with its mask cut short unless the
// width is a multiple of 16 (so at 20 and 24 pixels), and draws by the alpha
// channel where there is one. Windows draws either alike; where a system
// makes no such bitmap the icon stays as it was.
HICON WithAlpha(HICON icon) {
  ICONINFO info{};
  if (!::GetIconInfo(icon, &info)) return icon;
  const GdiObject mask(info.hbmMask), color(info.hbmColor);
  BITMAP size{};
  if (!color || !::GetObjectW(info.hbmColor, sizeof size, &size)) return icon;
  BITMAPINFO format{};
  format.bmiHeader = {sizeof(BITMAPINFOHEADER), size.bmWidth, -size.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  const auto count = static_cast<std::size_t>(size.bmWidth) * static_cast<std::size_t>(size.bmHeight);
  std::vector<DWORD> pixels(count), transparent(count);
  HDC screen = ::GetDC(nullptr);
  const bool read = ::GetDIBits(screen, info.hbmColor, 0, size.bmHeight, pixels.data(), &format, DIB_RGB_COLORS) &&
                    ::GetDIBits(screen, info.hbmMask, 0, size.bmHeight, transparent.data(), &format, DIB_RGB_COLORS);
  ::ReleaseDC(nullptr, screen);
  if (!read || std::any_of(pixels.begin(), pixels.end(), [](DWORD p) { return (p >> 24) != 0; })) return icon;
  for (std::size_t i = 0; i < count; ++i) pixels[i] = (transparent[i] & 0xFFFFFF) ? 0 : pixels[i] | 0xFF000000;
  const GdiObject alpha(::CreateBitmap(size.bmWidth, size.bmHeight, 1, 32, pixels.data()));
  ICONINFO made{TRUE, 0, 0, info.hbmMask, static_cast<HBITMAP>(alpha.get())};
  HICON remade = alpha ? ::CreateIconIndirect(&made) : nullptr;
  if (remade == nullptr) return icon;
  ::DestroyIcon(icon);
  return remade;
}

}  // namespace

Win32Ui::~Win32Ui() {
  for (auto& [name, icon] : icons_) ::DestroyIcon(icon);
}

COLORREF ResolveColor(std::int32_t color) {
  if (forms::IsSystemColor(color)) return ::GetSysColor(forms::SystemColorIndex(color));
  return color == forms::kDefaultColor ? 0 : static_cast<COLORREF>(color);
}

HFONT Win32Ui::Font(bool bold, bool underline) {
  if (!bold && !underline) return Font();
  GdiObject& font = styledFonts_[(bold ? 1 : 0) | (underline ? 2 : 0)];
  if (!font) font.reset(MakeFont(bold, underline));
  return font ? static_cast<HFONT>(font.get()) : Font();
}

HFONT Win32Ui::MakeFont(bool bold, bool underline) const {
  return std::visit(
      [&](auto style) -> HFONT {
        if (bold) style.lfWeight = FW_BOLD;
        if (underline) style.lfUnderline = TRUE;
        if constexpr (std::is_same_v<decltype(style), LOGFONTW>) return ::CreateFontIndirectW(&style);
        else return ::CreateFontIndirectA(&style);
      },
      logFont_);
}

bool Win32Ui::PreTranslate(MSG& msg) {
  HWND active = ::GetActiveWindow();
  if (!active || !IsFormWindow(active)) return false;
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_TAB && (::GetKeyState(VK_CONTROL) & 0x8000) &&
      (msg.hwnd == active || ::IsChild(active, msg.hwnd)) && SwitchFormPage(active, ::GetKeyState(VK_SHIFT) & 0x8000))
    return true;
  // A box that captures key combinations keeps Alt with a letter; Wine's
  // dialog manager would not ask it before taking that for an access key.
  if (msg.message == WM_SYSCHAR &&
      (::SendMessageA(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg)) & DLGC_WANTMESSAGE))
    return false;
  // Tab, the arrow keys, access keys, Enter and Escape.
  return IsDialogMessageUtf8(active, msg);
}

void Win32Ui::RunMessageLoop(const std::function<bool()>& running) {
  MSG msg;
  while (running() && GetMessageUtf8(msg) > 0) {
    if (PreTranslate(msg)) continue;
    ::TranslateMessage(&msg);
    DispatchMessageUtf8(msg);
  }
}

// The dialog's owner was disabled when it was shown (SetModalOwner); the
// messages of every window of the thread, timers too, go on as usual.
void Win32Ui::RunModal(forms::Form& dialog) {
  MSG msg;
  while (dialog.Loaded() && dialog.Visible()) {
    const BOOL got = GetMessageUtf8(msg);
    if (got <= 0) {
      if (got == 0) ::PostQuitMessage(static_cast<int>(msg.wParam));  // the main loop's to see
      return;
    }
    if (PreTranslate(msg)) continue;
    ::TranslateMessage(&msg);
    DispatchMessageUtf8(msg);
  }
}

std::unique_ptr<forms::FormPeer> Win32Ui::CreateFormPeer(forms::Form& form) {
  return std::make_unique<Win32FormPeer>(*this, form);
}

void Win32Ui::FormLoaded(forms::Form&) { ++loadedForms_; }

// Message boxes and input boxes are standard dialogs of this thread; asked to
// close, each ends as its Cancel (or its only button) would.
void Win32Ui::CloseThreadDialogs() {
  ::EnumThreadWindows(
      ::GetCurrentThreadId(),
      [](HWND hwnd, LPARAM) CALLBACK -> BOOL {
        char name[16] = "";
        if (::GetClassNameA(hwnd, name, sizeof name) > 0 && std::string(name) == "#32770")
          ::PostMessageA(hwnd, WM_CLOSE, 0, 0);
        return TRUE;
      },
      0);
}

// A form unloaded by a message sent from another thread or process (a close
// request, the end of the session) leaves GetMessage waiting; a posted
// message lets the loop look at running() again. When the last form has
// gone the program is ending: a box still up (the user chose "Exit" from the
// tray while it was shown) closes too rather than outliving the icon.
void Win32Ui::FormUnloaded(forms::Form&) {
  ::PostThreadMessageA(::GetCurrentThreadId(), WM_NULL, 0, 0);
  if (loadedForms_ > 0 && --loadedForms_ == 0) CloseThreadDialogs();
}

// Windows ends the process soon after every window has answered the end of
// the session; a box waiting for a click would keep the log-off waiting.
void Win32Ui::SessionEnding() {
  sessionEnding_ = true;
  CloseThreadDialogs();
}

int Win32Ui::MsgBox(const std::string& prompt, int buttons, const std::string& title) {
  if (sessionEnding_) return (buttons & 0xF) == MB_OKCANCEL ? IDCANCEL : IDOK;
  return MessageBoxUtf8(nullptr, prompt, title, static_cast<UINT>(buttons) | MB_SETFOREGROUND);
}

std::string Win32Ui::InputBox(const std::string& prompt, const std::string& title, const std::string& defaultText) {
  if (sessionEnding_) return std::string();
  return RunInputBox(instance_, prompt, title, defaultText);
}

bool Win32Ui::PrevInstance() {
  if (prevInstanceKnown_) return prevInstance_;
  prevInstanceKnown_ = true;
  // One instance per user in a session: the mutex is named after the user
  // and lives as long as this program.
  if (IsNt()) {
    wchar_t user[257] = L"";
    DWORD size = 257;
    if (!::GetUserNameW(user, &size)) user[0] = L'\0';
    instanceMutex_.reset(::CreateMutexW(nullptr, FALSE, (L"Local\\Tarvolo.Instance." + std::wstring(user)).c_str()));
  } else {
    char user[257] = "";
    DWORD size = sizeof user;
    if (!::GetUserNameA(user, &size)) user[0] = '\0';
    instanceMutex_.reset(::CreateMutexA(nullptr, FALSE, (std::string("Local\\Tarvolo.Instance.") + user).c_str()));
  }
  prevInstance_ = instanceMutex_ && ::GetLastError() == ERROR_ALREADY_EXISTS;
  return prevInstance_;
}

std::string Win32Ui::AppPath() { return Win32Files().ProgramFolder(); }

forms::Picture Win32Ui::LoadResPicture(const std::string& resource) {
  const std::string name = resource.empty() ? "APPICON" : resource;
  auto it = icons_.find(name);
  if (it == icons_.end()) {
    const int width = ::GetSystemMetrics(SM_CXSMICON), height = ::GetSystemMetrics(SM_CYSMICON);
    auto* icon = static_cast<HICON>(
        IsNt() ? ::LoadImageW(instance_, Widen(name).c_str(), IMAGE_ICON, width, height, 0)
               : ::LoadImageA(instance_, ToAnsi(name).c_str(), IMAGE_ICON, width, height, 0));
    if (!icon) return {};
    it = icons_.emplace(name, WithAlpha(icon)).first;
  }
  return {reinterpret_cast<std::uintptr_t>(it->second)};
}

void Win32Ui::End() { ::ExitProcess(0); }

}  // namespace platform::win32
