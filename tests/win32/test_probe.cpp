// The active window probe naming the executable behind a window of another
// process: through the process-status interface on NT 4, tool-help otherwise.
// The other process is Notepad, which Wine has under every version. And
// "Always On Top" on a real window: HWND_TOPMOST and HWND_NOTOPMOST are
// negative handles that must reach SetWindowPos sign-extended.
#include <gtest/gtest.h>
#include "platform/win32/win32_api.h"

#include <cstdlib>
#include <string>

#include "engine/winfo.h"
#include "platform/win32/win32_desktop.h"
#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_os.h"
#include "platform/win32/win32_text.h"
#include "store/desktop.h"
#include "store/platform_check.h"
#include "tests/win32/win_test_support.h"

namespace {

using platform::win32::FromHwnd;

// The runner's switch took, and the program tells the families apart.
TEST(Platform, TheProgramSeesTheVersionTheRunnerChose) {
  const char* chosen = std::getenv("TARVOLO_EXPECT_VERSION");
  if (chosen == nullptr) GTEST_SKIP() << "TARVOLO_EXPECT_VERSION is not set";
  const std::string expected = chosen;
  Win32Os os;
  EXPECT_EQ(IsNTPlatform(os), expected != "win98");
  EXPECT_EQ(clsWinfo(os, os, os).UseProcessStatus(), expected == "nt40");
}

TEST(Probe, NamesTheExecutableOfAnotherProcessWindowAndNoneForAWindowGone) {
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::string command = "notepad.exe";
  ASSERT_TRUE(::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
  wintest::OwnedHandle process(pi.hProcess), thread(pi.hThread);
  HWND window = nullptr;
  const bool appeared = wintest::WaitUntil([&] {
    DWORD owner = 0;
    window = ::FindWindowA("Notepad", nullptr);
    return window != nullptr && ::GetWindowThreadProcessId(window, &owner) != 0 && owner == pi.dwProcessId;
  });

  Win32Os os;
  clsWinfo probe(os, os, os);
  const std::string name = appeared ? probe.OwnerEXE(FromHwnd(window)) : "";
  if (appeared) ::PostMessageA(window, WM_CLOSE, 0, 0);
  if (::WaitForSingleObject(process.get(), 5000) != WAIT_OBJECT_0) ::TerminateProcess(process.get(), 1);
  ASSERT_TRUE(appeared) << "Notepad's window did not appear";
  EXPECT_EQ(::lstrcmpiA(name.c_str(), "notepad.exe"), 0)
      << "got \"" << name << "\" by " << (probe.UseProcessStatus() ? "process status" : "tool-help");
  EXPECT_EQ(probe.OwnerEXE(FromHwnd(window)), "") << "the window is gone";
}

// Titles in any script come whole, and a long one is cut at the probe's
// limit without splitting a surrogate pair.
TEST(Probe, ReadsTitlesOfAnyScriptWhole) {
  if (!platform::win32::IsNt()) GTEST_SKIP() << "the 9x family's titles are in its code page";
  wintest::TestWindow window("x");
  wintest::TestWindow owned("y");
  ::SetWindowLongPtrW(owned.get(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(window.get()));
  ASSERT_TRUE(::SetWindowTextW(window.get(), L"Отчёт 2026 Σίσυφος 日本語 😀"));
  Win32Os os;
  clsWinfo probe(os, os, os);
  EXPECT_EQ(probe.WndTitle(FromHwnd(window.get())), "Отчёт 2026 Σίσυφος 日本語 😀");
  EXPECT_EQ(os.GetWindowText(os.GetWindow(FromHwnd(owned.get()), platform::kGwOwner), 254),
            "Отчёт 2026 Σίσυφος 日本語 😀");
  std::wstring longTitle(253, L'ж');
  ASSERT_TRUE(::SetWindowTextW(window.get(), (longTitle + L"😀").c_str()));
  EXPECT_EQ(probe.WndTitle(FromHwnd(window.get())), platform::win32::Narrow(longTitle));
}

TEST(SetTopmost, MovesARealWindowIntoAndOutOfTheTopmostBand) {
  wintest::TestWindow window("Tarvolo topmost test");
  Win32Desktop desktop;
  const auto topmost = [&] { return (::GetWindowLongA(window.get(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; };
  SetTopmost(desktop, FromHwnd(window.get()), true);
  EXPECT_TRUE(topmost());
  SetTopmost(desktop, FromHwnd(window.get()), false);
  EXPECT_FALSE(topmost());
}

}  // namespace
