// Servicing pending events: every waiting message is handled, and a quit
// request is left for the main loop.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/win32/win32_os.h"
#include "tests/win32/win_test_support.h"

namespace {

constexpr UINT kCountMessage = WM_APP + 1;

// Counts kCountMessage into the int that the window's user data points to.
LRESULT CALLBACK CountingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == kCountMessage) {
    ++*reinterpret_cast<int*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    return 0;
  }
  return ::DefWindowProcA(hwnd, msg, wParam, lParam);
}

class DoEventsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSA wc{};
    wc.lpfnWndProc = CountingProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "TarvoloCountingWindow";
    ::RegisterClassA(&wc);
    hwnd_ = ::CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(hwnd_, nullptr);
    ::SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&handled_));
    wintest::PumpMessages();
  }
  void TearDown() override {
    if (hwnd_ != nullptr) ::DestroyWindow(hwnd_);
  }

  HWND hwnd_ = nullptr;
  int handled_ = 0;
  Win32Os os;
};

TEST_F(DoEventsTest, HandlesEveryWaitingMessage) {
  for (int i = 0; i < 3; ++i) ::PostMessageA(hwnd_, kCountMessage, 0, 0);
  os.DoEvents();
  EXPECT_EQ(handled_, 3);
  MSG msg;
  EXPECT_FALSE(::PeekMessageA(&msg, hwnd_, 0, 0, PM_NOREMOVE));
}

TEST_F(DoEventsTest, LeavesAQuitRequestForTheMainLoop) {
  ::PostMessageA(hwnd_, kCountMessage, 0, 0);
  ::PostQuitMessage(7);
  os.DoEvents();
  EXPECT_EQ(handled_, 1);
  MSG msg;
  ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 7u);
}

}  // namespace
