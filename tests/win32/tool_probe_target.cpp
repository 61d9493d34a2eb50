// A second process for the probe tests: a visible top-level window with the
// title given on the command line and, with "owned" after it, a window owned
// by the first. It stays until one of them is closed, or gives up after
// 30 seconds so that a failed test run leaves nothing behind.
#include <windows.h>

#include <string>

namespace {

constexpr const char* kClassName = "TarvoloProbeTarget";
constexpr UINT_PTR kGiveUpTimer = 1;
constexpr UINT kGiveUpMs = 30000;

LRESULT CALLBACK TargetProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CLOSE:
    case WM_TIMER:
      ::PostQuitMessage(0);
      return 0;
    default:
      return ::DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const std::string title = argv[1];
  const bool withOwned = argc > 2 && std::string(argv[2]) == "owned";

  WNDCLASSA wc{};
  wc.lpfnWndProc = TargetProc;
  wc.hInstance = ::GetModuleHandleA(nullptr);
  wc.lpszClassName = kClassName;
  wc.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  if (!::RegisterClassA(&wc)) return 3;

  HWND main = ::CreateWindowExA(0, kClassName, title.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 400, 80, 320,
                                200, nullptr, nullptr, wc.hInstance, nullptr);
  if (main == nullptr) return 4;
  ::ShowWindow(main, SW_SHOWNORMAL);
  if (withOwned) {
    const std::string ownedTitle = title + " (owned)";
    HWND owned = ::CreateWindowExA(0, kClassName, ownedTitle.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 450, 300,
                                   280, 160, main, nullptr, wc.hInstance, nullptr);
    if (owned == nullptr) return 5;
  }
  ::SetTimer(main, kGiveUpTimer, kGiveUpMs, nullptr);

  MSG msg;
  while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
  ::DestroyWindow(main);  // destroys the owned window too
  return 0;
}
