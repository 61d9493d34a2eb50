// The global hot-keys against the real Win32 API: registration through a
// subclass of the window that flags hot-key messages and hands everything
// else on, and a combination that another registration holds.
#include <gtest/gtest.h>
#include "platform/win32/win32_api.h"

#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_os.h"
#include "tests/win32/win_test_support.h"
#include "tray/hotkeys.h"

namespace {

constexpr std::int32_t kCtrlAltShift = MOD_CONTROL | MOD_ALT | MOD_SHIFT;

class HotkeysOnWindows : public ::testing::Test {
 protected:
  HotkeysOnWindows() {
    int vk = VK_F5;
    for (clsHotkey* hotkey : {&options.HotkeyShow, &options.HotkeyReverse, &options.HotkeyCapitalize,
                              &options.HotkeyLower}) {
      hotkey->sDescription = "Tarvolo test " + std::to_string(vk);
      hotkey->lModifier = kCtrlAltShift;
      hotkey->lVKey = vk++;
    }
  }

  Win32Os os;
  wintest::TestWindow window{"Tarvolo hot-key window"};
  AppOptionsRecord options;
  modHotkey hotkeys{os, options, [this] { return platform::win32::FromHwnd(window.get()); }};
};

TEST_F(HotkeysOnWindows, RegistersFlagsTheHotKeyPressedGivesEverythingBackAndLeavesOthersAlone) {
  ASSERT_NE(window.get(), nullptr);
  const LONG_PTR original = ::GetWindowLongPtrA(window.get(), GWLP_WNDPROC);
  hotkeys.RegisterHotkeys();
  EXPECT_TRUE(options.HotkeyShow.bActivated && options.HotkeyReverse.bActivated &&
              options.HotkeyCapitalize.bActivated && options.HotkeyLower.bActivated);

  // A hot-key message as Windows sends it: the identifier is the atom.
  const ATOM reverse = ::GlobalFindAtomA("Tarvolo test 117");
  ASSERT_NE(reverse, 0);
  ::SendMessageA(window.get(), WM_HOTKEY, reverse, MAKELPARAM(kCtrlAltShift, VK_F6));
  ::SendMessageA(window.get(), WM_HOTKEY, 0x1234, 0);
  EXPECT_TRUE(options.HotkeyReverse.bHKTriggered);
  EXPECT_FALSE(options.HotkeyShow.bHKTriggered || options.HotkeyCapitalize.bHKTriggered ||
               options.HotkeyLower.bHKTriggered);
  ::SendMessageA(window.get(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("renamed"));
  char title[32] = {};
  ::GetWindowTextA(window.get(), title, sizeof title);
  EXPECT_STREQ(title, "renamed") << "other messages reach the window's own procedure";

  hotkeys.UnregisterHotkeys();
  EXPECT_EQ(::GetWindowLongPtrA(window.get(), GWLP_WNDPROC), original);
  EXPECT_EQ(::GlobalFindAtomA("Tarvolo test 117"), 0) << "the atoms are given back";
  EXPECT_TRUE(::RegisterHotKey(window.get(), 1, kCtrlAltShift, VK_F6)) << "the combination is free again";
  ::UnregisterHotKey(window.get(), 1);

  // A combination another window holds is taken, and left alone.
  wintest::TestWindow other{"other program"};
  ASSERT_TRUE(::RegisterHotKey(other.get(), 7, kCtrlAltShift, VK_F7));
  std::int32_t modifier = kCtrlAltShift, taken = VK_F7, free = VK_F9;
  EXPECT_FALSE(hotkeys.IsHotkeyFree(modifier, taken));
  EXPECT_TRUE(hotkeys.IsHotkeyFree(modifier, free));
  EXPECT_TRUE(::RegisterHotKey(window.get(), 2, kCtrlAltShift, VK_F9)) << "the trial left nothing registered";
  ::UnregisterHotKey(window.get(), 2);

  hotkeys.RegisterHotkeys();
  EXPECT_FALSE(options.HotkeyCapitalize.bActivated);
  EXPECT_TRUE(options.HotkeyShow.bActivated && options.HotkeyReverse.bActivated && options.HotkeyLower.bActivated);
  hotkeys.UnregisterHotkeys();
  EXPECT_FALSE(::RegisterHotKey(window.get(), 3, kCtrlAltShift, VK_F7)) << "the other one keeps its hot-key";
  ::UnregisterHotKey(other.get(), 7);
}

}  // namespace
