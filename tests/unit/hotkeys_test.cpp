#include "tray/hotkeys.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/sim/sim_desktop.h"

namespace {

constexpr std::uint32_t kCtrlAlt = platform::kModControl | platform::kModAlt;
constexpr std::int32_t kMod = static_cast<std::int32_t>(kCtrlAlt);

struct HotkeyFixture : ::testing::Test {
  HotkeyFixture() {
    window = desktop.AddWindow({"frmIcon"});
    desktop.SetWindowHandler(window, [this](std::uint32_t msg, std::uintptr_t, std::intptr_t) { seen.push_back(msg); });
    // The description names the atom each registration is made under.
    for (auto [hotkey, vk] : {std::pair{&options.HotkeyShow, 'T'}, {&options.HotkeyCapitalize, 'U'},
                              {&options.HotkeyReverse, 'R'}, {&options.HotkeyLower, 'L'}}) {
      hotkey->sDescription = std::string("Hot-key ") + vk;
      hotkey->lModifier = kMod;
      hotkey->lVKey = vk;
    }
  }
  // Show, Reverse, Capitalize, Lower: the order they are registered in.
  std::vector<bool> Triggered() const {
    return {options.HotkeyShow.bHKTriggered, options.HotkeyReverse.bHKTriggered,
            options.HotkeyCapitalize.bHKTriggered, options.HotkeyLower.bHKTriggered};
  }
  std::vector<bool> Activated() const {
    return {options.HotkeyShow.bActivated, options.HotkeyReverse.bActivated, options.HotkeyCapitalize.bActivated,
            options.HotkeyLower.bActivated};
  }

  sim::SimDesktop desktop;
  platform::WindowHandle window = 0;
  std::vector<std::uint32_t> seen;
  AppOptionsRecord options;
  modHotkey hotkeys{desktop, options, [this] { return window; }};
};

TEST_F(HotkeyFixture, APressFlagsOnlyItsOwnEveryMessageIsPassedOnAndUnregisterGivesEverythingBack) {
  hotkeys.RegisterHotkeys();
  hotkeys.RegisterHotkeys();
  EXPECT_EQ(desktop.SubclassCalls(), 1);
  EXPECT_EQ(Activated(), std::vector<bool>(4, true)) << "our own earlier registrations are no conflict";
  EXPECT_EQ(desktop.RegisteredHotkeys(), 4u);
  EXPECT_EQ(desktop.AtomsInTable(), 4u);
  ASSERT_TRUE(desktop.PressHotkey(kCtrlAlt, 'U'));
  ASSERT_TRUE(desktop.PressHotkey(kCtrlAlt, 'U'));
  desktop.SendMessage(window, platform::kWmHotkey, 0x1234, 0);  // not one of ours
  desktop.SendMessage(window, 0x0010, 0, 0);
  EXPECT_EQ(Triggered(), (std::vector<bool>{false, false, true, false}));
  EXPECT_EQ(seen, (std::vector<std::uint32_t>{platform::kWmHotkey, platform::kWmHotkey, platform::kWmHotkey, 0x0010}));

  hotkeys.UnregisterHotkeys();
  EXPECT_FALSE(desktop.IsSubclassed(window));
  EXPECT_EQ(desktop.RegisteredHotkeys(), 0u);
  EXPECT_EQ(desktop.AtomsInTable(), 0u);
  desktop.SendMessage(window, platform::kWmHotkey, 0, 0);
  EXPECT_EQ(seen.size(), 5u) << "the window's own procedure is back";
  hotkeys.RegisterHotkeys();
  EXPECT_TRUE(desktop.PressHotkey(kCtrlAlt, 'T'));
  EXPECT_TRUE(options.HotkeyShow.bHKTriggered);
}

// A combination shared between two hot-keys goes to the first, one held by
// another program to none; a trial registration is let go at once.
TEST_F(HotkeyFixture, ASharedCombinationGoesToTheFirstOneHeldElsewhereToNoneAndATrialLeavesNothing) {
  options.HotkeyLower.lVKey = 'R';       // the same as Reverse
  options.HotkeyCapitalize.lVKey = 'T';  // the same as Show
  desktop.HoldHotkeyElsewhere(kCtrlAlt, 'R');
  std::int32_t mod = kMod, taken = 'R', freeKey = 'W', ours = 'T';
  EXPECT_FALSE(hotkeys.IsHotkeyFree(mod, taken));
  EXPECT_TRUE(desktop.HeldElsewhere(kCtrlAlt, 'R')) << "the other program keeps its hot-key";
  EXPECT_TRUE(hotkeys.IsHotkeyFree(mod, freeKey));
  EXPECT_EQ(desktop.RegisteredHotkeys(), 0u);
  EXPECT_EQ(desktop.AtomsInTable(), 0u);
  hotkeys.RegisterHotkeys();
  EXPECT_EQ(Activated(), (std::vector<bool>{true, false, false, false}));
  EXPECT_FALSE(hotkeys.IsHotkeyFree(mod, ours)) << "held by our own registration";
  desktop.PressHotkey(kCtrlAlt, 'T');
  EXPECT_EQ(Triggered(), (std::vector<bool>{true, false, false, false}));
  hotkeys.UnregisterHotkeys();
  EXPECT_TRUE(hotkeys.IsHotkeyFree(mod, ours));
}

}  // namespace
