#include "tray/hotkeys.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/sim/sim_desktop.h"

namespace {

constexpr std::uint32_t kCtrlAlt = platform::kModControl | platform::kModAlt;

struct HotkeyFixture : ::testing::Test {
  HotkeyFixture() {
    window = desktop.AddWindow({"frmIcon"});
    desktop.SetWindowHandler(window, [this](std::uint32_t msg, std::uintptr_t wParam, std::intptr_t) {
      seen.push_back({msg, wParam});
    });
    Set(options.HotkeyShow, "Show Tarvolo Window", 'T');
    Set(options.HotkeyCapitalize, "Capitalize Text", 'U');
    Set(options.HotkeyReverse, "Reverse Case", 'R');
    Set(options.HotkeyLower, "Lower Case", 'L');
  }
  static void Set(clsHotkey& hotkey, const char* description, int vk) {
    hotkey.sDescription = description;
    hotkey.lModifier = static_cast<std::int32_t>(kCtrlAlt);
    hotkey.lVKey = vk;
  }
  std::vector<bool> Triggered() const {
    return {options.HotkeyShow.bHKTriggered, options.HotkeyReverse.bHKTriggered,
            options.HotkeyCapitalize.bHKTriggered, options.HotkeyLower.bHKTriggered};
  }

  sim::SimDesktop desktop;
  platform::WindowHandle window = 0;
  std::vector<std::pair<std::uint32_t, std::uintptr_t>> seen;
  AppOptionsRecord options;
  modHotkey hotkeys{desktop, options, [this] { return window; }};
};

TEST_F(HotkeyFixture, RegistersAllFourAndAPressOnlyFlagsItsOwnAndPassesTheMessageOn) {
  hotkeys.RegisterHotkeys();
  for (int vk : {'T', 'U', 'R', 'L'}) EXPECT_TRUE(desktop.HotkeyRegistered(kCtrlAlt, vk));
  EXPECT_TRUE(options.HotkeyShow.bActivated && options.HotkeyLower.bActivated);
  EXPECT_TRUE(desktop.IsSubclassed(window));

  ASSERT_TRUE(desktop.PressHotkey(kCtrlAlt, 'U'));
  ASSERT_TRUE(desktop.PressHotkey(kCtrlAlt, 'U'));
  EXPECT_EQ(Triggered(), (std::vector<bool>{false, false, true, false}));
  ASSERT_EQ(seen.size(), 2u) << "every hot-key message reaches the window's own procedure";
  EXPECT_EQ(seen[0].first, platform::kWmHotkey);

  desktop.SendMessage(window, 0x0010, 0, 0);
  EXPECT_EQ(seen.size(), 3u) << "other messages pass through too";
}

TEST_F(HotkeyFixture, UnknownIdentifierChangesNothingButIsPassedOn) {
  hotkeys.RegisterHotkeys();
  desktop.SendMessage(window, platform::kWmHotkey, 0x1234, 0);
  desktop.SendMessage(window, platform::kWmHotkey, 0, 0);
  EXPECT_EQ(Triggered(), (std::vector<bool>{false, false, false, false}));
  EXPECT_EQ(seen.size(), 2u);
}

TEST_F(HotkeyFixture, SubclassedOnceAndUnregisterPutsBackTheWindowsOwnProcedure) {
  hotkeys.RegisterHotkeys();
  hotkeys.RegisterHotkeys();
  EXPECT_EQ(desktop.SubclassCalls(), 1);
  // Registering again over our own registrations keeps every hot-key working.
  EXPECT_TRUE(options.HotkeyShow.bActivated && options.HotkeyReverse.bActivated &&
              options.HotkeyCapitalize.bActivated && options.HotkeyLower.bActivated);
  EXPECT_EQ(desktop.RegisteredHotkeys(), 4u);
  EXPECT_EQ(desktop.AtomsInTable(), 4u);

  hotkeys.UnregisterHotkeys();
  EXPECT_FALSE(desktop.IsSubclassed(window));
  EXPECT_EQ(desktop.RegisteredHotkeys(), 0u);
  EXPECT_EQ(desktop.AtomsInTable(), 0u) << "every reference to the atoms is given back";
  EXPECT_TRUE(options.HotkeyShow.bActivated) << "bActivated is left as it was";
  desktop.SendMessage(window, platform::kWmHotkey, 0, 0);
  EXPECT_EQ(seen.size(), 1u);

  hotkeys.RegisterHotkeys();
  EXPECT_EQ(desktop.SubclassCalls(), 2);
  EXPECT_TRUE(desktop.PressHotkey(kCtrlAlt, 'T'));
  EXPECT_TRUE(options.HotkeyShow.bHKTriggered);
}

TEST_F(HotkeyFixture, SameCombinationGoesToTheFirstInRegistrationOrder) {
  options.HotkeyLower.lVKey = 'R';       // the same as Reverse
  options.HotkeyCapitalize.lVKey = 'T';  // the same as Show
  hotkeys.RegisterHotkeys();
  EXPECT_TRUE(options.HotkeyShow.bActivated);
  EXPECT_TRUE(options.HotkeyReverse.bActivated);
  EXPECT_FALSE(options.HotkeyCapitalize.bActivated);
  EXPECT_FALSE(options.HotkeyLower.bActivated);
  desktop.PressHotkey(kCtrlAlt, 'R');
  EXPECT_EQ(Triggered(), (std::vector<bool>{false, true, false, false}));
}

TEST_F(HotkeyFixture, CombinationHeldElsewhereLeavesOnlyThatOneInactive) {
  desktop.HoldHotkeyElsewhere(kCtrlAlt, 'U');
  hotkeys.RegisterHotkeys();
  EXPECT_FALSE(options.HotkeyCapitalize.bActivated);
  EXPECT_TRUE(options.HotkeyShow.bActivated && options.HotkeyReverse.bActivated && options.HotkeyLower.bActivated);
}

TEST_F(HotkeyFixture, IsHotkeyFreeTriesAndReleasesAtOnce) {
  desktop.HoldHotkeyElsewhere(kCtrlAlt, 'Q');
  std::int32_t mod = static_cast<std::int32_t>(kCtrlAlt), taken = 'Q', freeKey = 'W';
  EXPECT_FALSE(hotkeys.IsHotkeyFree(mod, taken));
  EXPECT_TRUE(desktop.HeldElsewhere(kCtrlAlt, 'Q')) << "the other program keeps its hot-key";
  EXPECT_TRUE(hotkeys.IsHotkeyFree(mod, freeKey));
  EXPECT_EQ(desktop.RegisteredHotkeys(), 0u);
  EXPECT_EQ(desktop.AtomsInTable(), 0u);

  hotkeys.RegisterHotkeys();
  std::int32_t ours = 'T';
  EXPECT_FALSE(hotkeys.IsHotkeyFree(mod, ours)) << "held by our own registration";
  hotkeys.UnregisterHotkeys();
  EXPECT_TRUE(hotkeys.IsHotkeyFree(mod, ours));
}

TEST(CopyHotkeyTest, CopiesTheSavedFieldsAndActivationOnly) {
  clsHotkey source{"Reverse Case", "Ctrl + Alt + R", 3, 'R', true, "scratch", true};
  clsHotkey target;
  target.sScratch = "mine";
  CopyHotkey(source, target);
  EXPECT_EQ(target.sDescription, "Reverse Case");
  EXPECT_EQ(target.sHotkey, "Ctrl + Alt + R");
  EXPECT_EQ(target.lModifier, 3);
  EXPECT_EQ(target.lVKey, 'R');
  EXPECT_TRUE(target.bActivated);
  EXPECT_EQ(target.sScratch, "mine");
  EXPECT_FALSE(target.bHKTriggered);
}

}  // namespace
