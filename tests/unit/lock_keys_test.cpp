#include "engine/lock_keys.h"

#include <gtest/gtest.h>

#include "platform/sim/sim_desktop.h"

namespace {

using platform::kVkCapital;
using platform::kVkNumLock;
using platform::kVkScroll;
using sim::SimDesktop;
using sim::WindowsFamily;

struct LockKeysTest : ::testing::Test {
  SimDesktop desk{WindowsFamily::Win98};
  bool isNT = false;
  AppOptionsRecord options;
  LockKeyController keys{desk, desk, isNT, options};
};

TEST_F(LockKeysTest, KeyboardStateWayWritesExactlyOneByteToZeroOrOne) {
  desk.SetToggled(kVkNumLock, true);
  keys.SetCapsLock(true);
  EXPECT_TRUE(desk.Toggled(kVkCapital));
  ASSERT_EQ(desk.SetKeyboardStateCalls(), 1);
  EXPECT_TRUE(desk.KeyEvents().empty());
  platform::KeyboardTable before{};
  before[kVkNumLock] = 1;
  platform::KeyboardTable expected = before;
  expected[kVkCapital] = 1;
  EXPECT_EQ(desk.LastTableWritten(), expected);

  keys.SetNumLock(false);
  EXPECT_EQ(desk.LastTableWritten()[kVkNumLock], 0);
  EXPECT_EQ(desk.LastTableWritten()[kVkCapital], 1);
  EXPECT_FALSE(desk.Toggled(kVkNumLock));
}

TEST_F(LockKeysTest, KeyboardStateWayClearsAKeyDownBit) {
  // The byte of a key that is down carries 0x80; it is replaced whole.
  platform::KeyboardTable table{};
  table[kVkScroll] = 0x81;
  desk.SetKeyboardState(table);
  keys.SetScrollLock(false);
  EXPECT_EQ(desk.LastTableWritten()[kVkScroll], 0);
}

TEST_F(LockKeysTest, KeystrokeWayPressesAndReleasesWithScanCodeAndExtendedFlag) {
  options.KeystrokeSimulation = true;
  keys.SetScrollLock(true);
  ASSERT_EQ(desk.KeyEvents().size(), 2u);
  EXPECT_EQ(desk.KeyEvents()[0].vk, kVkScroll);
  EXPECT_EQ(desk.KeyEvents()[0].scan, 0x46);
  // No character for the key, so the extended flag is set.
  EXPECT_EQ(desk.KeyEvents()[0].flags, platform::kKeyEventExtendedKey);
  EXPECT_EQ(desk.KeyEvents()[1].flags, platform::kKeyEventExtendedKey | platform::kKeyEventKeyUp);
  EXPECT_EQ(desk.SetKeyboardStateCalls(), 0);
  EXPECT_TRUE(desk.Toggled(kVkScroll));
}

TEST_F(LockKeysTest, NtFamilyAlwaysUsesKeystrokesWhateverTheKeyMode) {
  isNT = true;
  options.KeystrokeSimulation = false;
  keys.SetCapsLock(true);
  EXPECT_EQ(desk.KeyEvents().size(), 2u);
  EXPECT_EQ(desk.SetKeyboardStateCalls(), 0);
  EXPECT_TRUE(desk.Toggled(kVkCapital));
}

TEST_F(LockKeysTest, KeyAlreadyInWantedStateSendsNothing) {
  desk.SetToggled(kVkCapital, true);
  keys.SetCapsLock(true);
  options.KeystrokeSimulation = true;
  keys.SetNumLock(false);
  EXPECT_TRUE(desk.KeyEvents().empty());
  EXPECT_EQ(desk.SetKeyboardStateCalls(), 0);
}

TEST_F(LockKeysTest, KeyThatShowsItsStateOnTheThirdPollEndsTheWaitThere) {
  options.KeystrokeSimulation = true;
  desk.DelayKey(kVkNumLock, 3);
  keys.SetNumLock(true);
  EXPECT_TRUE(desk.Toggled(kVkNumLock));
  EXPECT_EQ(desk.KeyEvents().size(), 2u) << "sent once, no second attempt";
  EXPECT_EQ(desk.NowMs(), 15u) << "three polls of 5 ms";
}

TEST_F(LockKeysTest, KeyThatNeverChangesStopsAtTheAttemptLimitWithTheFlagClear) {
  options.KeystrokeSimulation = true;
  desk.RefuseKey(kVkCapital);
  keys.SetCapsLock(true);
  EXPECT_FALSE(desk.Toggled(kVkCapital));
  EXPECT_EQ(desk.KeyEvents().size(), 2u * LockKeyController::kAttemptLimit);
  EXPECT_EQ(desk.NowMs(), LockKeyController::kAttemptLimit * LockKeyController::kPollsPerAttempt *
                              LockKeyController::kPollMilliseconds);
  // The flag is clear: a later set tries again once the key co-operates.
  desk.RefuseKey(kVkCapital, false);
  keys.SetCapsLock(true);
  EXPECT_TRUE(desk.Toggled(kVkCapital));
}

TEST_F(LockKeysTest, ReadWaitsWhileTheKeyIsHeldAndReturnsTheStateTheReleaseLeft) {
  desk.HoldKey(kVkCapital, 5);
  EXPECT_TRUE(keys.GetCapsLock());
  EXPECT_EQ(desk.DoEventsCalls(), 5) << "events serviced on each poll that found the key down";
}

TEST_F(LockKeysTest, NestedSetOfTheSameKeyReturnsAtOnceAndOtherKeysRun) {
  options.KeystrokeSimulation = true;
  bool nestedRan = false;
  desk.OnEveryDoEvents([&] {
    if (nestedRan) return;
    nestedRan = true;
    keys.SetNumLock(false);  // same key: must do nothing
    keys.SetCapsLock(true);  // another key: runs
  });
  keys.SetNumLock(true);
  desk.OnEveryDoEvents(nullptr);
  EXPECT_TRUE(desk.Toggled(kVkNumLock)) << "the outer set won, the nested one did nothing";
  EXPECT_TRUE(desk.Toggled(kVkCapital));
  int numEvents = 0;
  for (const auto& e : desk.KeyEvents()) numEvents += e.vk == kVkNumLock;
  EXPECT_EQ(numEvents, 2);
}

TEST_F(LockKeysTest, NestedReadOfTheSameKeyAnswersFalse) {
  desk.SetToggled(kVkScroll, true);
  desk.HoldKey(kVkScroll, 2, false);
  bool nested = true;
  bool other = false;
  desk.PostEvent([&] {
    nested = keys.GetScrollLock();
    desk.SetToggled(kVkCapital, true);
    other = keys.GetCapsLock();
  });
  EXPECT_TRUE(keys.GetScrollLock());
  EXPECT_FALSE(nested);
  EXPECT_TRUE(other);
}

}  // namespace
