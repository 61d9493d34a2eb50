// The clipboard commands on real clipboard data: plain text (CF_TEXT) and
// the registered "Rich Text Format", and a clipboard another thread holds.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <cstring>
#include <string>
#include <thread>

#include "platform/win32/win32_os.h"
#include "tests/win32/win_test_support.h"
#include "tray/text_commands.h"

namespace {

void Put(UINT format, const std::string& text, bool empty = true) {
  ASSERT_TRUE(::OpenClipboard(nullptr));
  if (empty) ::EmptyClipboard();
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  std::memcpy(::GlobalLock(block), text.c_str(), text.size() + 1);
  ::GlobalUnlock(block);
  ::SetClipboardData(format, block);
  ::CloseClipboard();
}

std::string Get(UINT format) {
  std::string text;
  if (!::OpenClipboard(nullptr)) return "<clipboard busy>";
  if (HANDLE data = ::GetClipboardData(format)) {
    text = static_cast<const char*>(::GlobalLock(data));
    ::GlobalUnlock(data);
  } else {
    text = "<none>";
  }
  ::CloseClipboard();
  return text;
}

class ClipboardOnWindows : public ::testing::Test {
 protected:
  Win32Os os;
  modFunctions functions{os, os};
  const UINT rtf = ::RegisterClipboardFormatA("Rich Text Format");
};

TEST_F(ClipboardOnWindows, PlainTextCommands) {
  Put(CF_TEXT, "Hello World-5");
  functions.ReverseClipboardText();
  EXPECT_EQ(Get(CF_TEXT), "hELLO wORLD-5");
  functions.CapitalizeClipboardText();
  EXPECT_EQ(Get(CF_TEXT), "HELLO WORLD-5");
  functions.LowerClipboardText();
  EXPECT_EQ(Get(CF_TEXT), "hello world-5");
  EXPECT_FALSE(::IsClipboardFormatAvailable(rtf));
}

TEST_F(ClipboardOnWindows, AccentedLettersFollowTheCodePage) {
  if (::GetACP() != 1252) GTEST_SKIP() << "the ANSI code page is " << ::GetACP();
  Put(CF_TEXT, "caf\xE9");
  functions.CapitalizeClipboardText();
  EXPECT_EQ(Get(CF_TEXT), "CAF\xC9");
  functions.ReverseClipboardText();
  EXPECT_EQ(Get(CF_TEXT), "caf\xC9") << "reversing swaps only A-Z and a-z";
}

TEST_F(ClipboardOnWindows, RichTextIsTransformedAndIsTheOnlyFormatLeft) {
  ASSERT_NE(rtf, 0u);
  Put(rtf, "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 Hello \\b World\\b0\\par}");
  Put(CF_TEXT, "Hello World", false);
  functions.CapitalizeClipboardText();
  EXPECT_EQ(Get(rtf), "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 HELLO \\b WORLD\\b0\\par}");
  EXPECT_FALSE(::IsClipboardFormatAvailable(CF_TEXT));
  functions.LowerClipboardText();
  EXPECT_EQ(Get(rtf), "{\\rtf1{\\fonttbl{\\f0 arial;}}\\f0\\fs20 hello \\b world\\b0\\par}");

  Put(rtf, "{\\rtf1 no size}");
  functions.ReverseClipboardText();
  EXPECT_EQ(Get(rtf), "{\\rtf1 no size}") << "rich text without a font size is left as it was";
}

TEST_F(ClipboardOnWindows, AClipboardHeldByAnotherThreadIsLeftAloneWithoutHanging) {
  Put(CF_TEXT, "keep me");
  HANDLE opened = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE release = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
  std::thread holder([&] {
    // With a window of its own: Wine tells openers apart by their window.
    HWND own = ::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ::OpenClipboard(own);
    ::SetEvent(opened);
    ::WaitForSingleObject(release, 10000);
    ::CloseClipboard();
    ::DestroyWindow(own);
  });
  ::WaitForSingleObject(opened, 10000);
  const auto start = std::chrono::steady_clock::now();
  functions.CapitalizeClipboardText();
  const auto took = std::chrono::steady_clock::now() - start;
  ::SetEvent(release);
  holder.join();
  ::CloseHandle(opened);
  ::CloseHandle(release);
  EXPECT_EQ(Get(CF_TEXT), "keep me");
  EXPECT_LT(took, std::chrono::seconds(5));
}

}  // namespace
