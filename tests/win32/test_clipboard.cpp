// The clipboard commands on real clipboard data: plain text (Unicode on the
// NT family, the code page's on 9x) and the registered "Rich Text Format",
// and the keystrokes that copy and paste.
#include <gtest/gtest.h>
#include "platform/win32/win32_api.h"

#include <atomic>
#include <chrono>
#include <cstring>
#include <string>
#include <thread>

#include "platform/win32/win32_os.h"
#include "platform/win32/win32_text.h"
#include "tests/win32/win_test_support.h"
#include "tray/text_commands.h"

namespace {

// The text, its terminating NUL included, as the clipboard's data in that
// format; UTF-8 goes as UTF-16 for CF_UNICODETEXT.
void Put(UINT format, const std::string& text, bool empty = true) {
  const bool unicode = format == CF_UNICODETEXT;
  const std::wstring wide = unicode ? platform::win32::Widen(text) : L"";
  const std::size_t bytes = unicode ? (wide.size() + 1) * sizeof(wchar_t) : text.size() + 1;
  ASSERT_TRUE(::OpenClipboard(nullptr));
  if (empty) ::EmptyClipboard();
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
  std::memcpy(::GlobalLock(block), unicode ? static_cast<const void*>(wide.c_str()) : text.c_str(), bytes);
  ::GlobalUnlock(block);
  ::SetClipboardData(format, block);
  ::CloseClipboard();
}

// The clipboard's text in that format (CF_UNICODETEXT as UTF-8).
std::string Get(UINT format = CF_UNICODETEXT) {
  if (!::OpenClipboard(nullptr)) return "<clipboard busy>";
  std::string text = "<none>";
  if (HANDLE data = ::GetClipboardData(format)) {
    const void* bytes = ::GlobalLock(data);
    text = format == CF_UNICODETEXT ? platform::win32::Narrow(static_cast<const wchar_t*>(bytes))
                                    : std::string(static_cast<const char*>(bytes));
    ::GlobalUnlock(data);
  }
  ::CloseClipboard();
  return text;
}

class ClipboardOnWindows : public ::testing::Test {
 protected:
  Win32Os os;
  modFunctions functions{os};
  const UINT rtf = ::RegisterClipboardFormatA("Rich Text Format");
};

TEST_F(ClipboardOnWindows, PlainTextCommands) {
  if (platform::win32::IsNt()) {
    // Every script with letter case, and nothing lost: an emoji (a surrogate
    // pair), CJK and a combining accent stay as they are. (No final sigma:
    // Wine's CharUpperBuffW leaves it small, Unicode makes it capital.)
    Put(CF_UNICODETEXT, "привет Straße Ωμέγα 日本語 😀 e\u0301 Ab-5");
    functions.ReverseClipboardText();
    EXPECT_EQ(Get(), "привет sTRAßE Ωμέγα 日本語 😀 E\u0301 aB-5") << "only A-Z and a-z swap";
    functions.CapitalizeClipboardText();
    EXPECT_EQ(Get(), "ПРИВЕТ STRAßE ΩΜΈΓΑ 日本語 😀 E\u0301 AB-5");
    functions.LowerClipboardText();
    EXPECT_EQ(Get(), "привет straße ωμέγα 日本語 😀 e\u0301 ab-5");
    return;
  }
  Put(CF_TEXT, "Hello World-5");
  functions.ReverseClipboardText();
  EXPECT_EQ(Get(CF_TEXT), "hELLO wORLD-5");
  functions.CapitalizeClipboardText();
  EXPECT_EQ(Get(CF_TEXT), "HELLO WORLD-5");
  functions.LowerClipboardText();
  EXPECT_EQ(Get(CF_TEXT), "hello world-5");
  if (::GetACP() != 1252) return;
  // Windows' own case mapping knows the accented letters of the code page.
  Put(CF_TEXT, "caf\xE9");
  functions.CapitalizeClipboardText();
  EXPECT_EQ(Get(CF_TEXT), "CAF\xC9");
}

TEST_F(ClipboardOnWindows, RichTextIsTransformedAndIsTheOnlyFormatLeft) {
  ASSERT_NE(rtf, 0u);
  Put(rtf, "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 Hello \\b World\\b0\\par}");
  Put(CF_TEXT, "Hello World", false);
  functions.CapitalizeClipboardText();
  EXPECT_EQ(Get(rtf), "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 HELLO \\b WORLD\\b0\\par}");
  EXPECT_FALSE(::IsClipboardFormatAvailable(CF_TEXT));
}

// Every key event of the desktop, as the system's low-level hook sees it,
// recorded by a thread of its own (the hook runs in the thread that set it,
// which must be free to take it while this one sends).
class KeyRecorder {
 public:
  KeyRecorder() {
    thread_ = std::thread([this] {
      MSG msg;
      ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);  // a queue for the quit message
      HHOOK hook = ::SetWindowsHookExW(WH_KEYBOARD_LL, &Record, ::GetModuleHandleW(nullptr), 0);
      threadId_ = ::GetCurrentThreadId();
      ready_ = true;
      while (::GetMessageW(&msg, nullptr, 0, 0) > 0) ::DispatchMessageW(&msg);
      if (hook != nullptr) ::UnhookWindowsHookEx(hook);
    });
    wintest::WaitUntil([this] { return ready_.load(); });
  }
  KeyRecorder(const KeyRecorder&) = delete;
  KeyRecorder& operator=(const KeyRecorder&) = delete;
  ~KeyRecorder() {
    ::PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    thread_.join();
    events_.clear();
  }
  // "+vk" for a key going down, "-vk" for one let go.
  static std::string Events() { return events_; }

 private:
  static LRESULT CALLBACK Record(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
      const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
      const bool up = wParam == WM_KEYUP || wParam == WM_SYSKEYUP;
      events_ += (up ? " -" : " +") + std::to_string(key->vkCode);
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
  }
  static inline std::string events_;
  std::atomic<bool> ready_{false};
  std::thread thread_;
  DWORD threadId_ = 0;
};

TEST_F(ClipboardOnWindows, CtrlKeyGoesOutAroundTheModifiersTheUserHolds) {
  wintest::TestWindow target("Target");
  ASSERT_TRUE(target.Activate());
  KeyRecorder recorder;
  ::keybd_event(VK_MENU, 0, 0, 0);  // the user's Alt and Shift, still down
  ::keybd_event(VK_SHIFT, 0, 0, 0);
  EXPECT_TRUE(os.SendCtrlKeyAndWait('V'));
  ::keybd_event(VK_SHIFT, 0, KEYEVENTF_KEYUP, 0);
  ::keybd_event(VK_MENU, 0, KEYEVENTF_KEYUP, 0);
  wintest::WaitUntil([] { return KeyRecorder::Events().size() >= 40; }, std::chrono::seconds(2));
  // Ctrl first, so that letting go of Alt opens no menu; the target sees
  // Ctrl+V alone; the user's keys are down again afterwards.
  EXPECT_EQ(KeyRecorder::Events(), " +18 +16 +17 -16 -18 +86 -86 +16 +18 -17 -16 -18");
}

}  // namespace
