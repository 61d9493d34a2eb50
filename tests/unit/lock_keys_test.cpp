#include "engine/lock_keys.h"

#include <gtest/gtest.h>

#include <utility>

#include "platform/sim/sim_desktop.h"

namespace {

using platform::kVkCapital;
using platform::kVkNumLock;
using platform::kVkScroll;

struct LockKeysTest : ::testing::Test {
  sim::SimDesktop desk{sim::WindowsFamily::Win98};
  bool isNT = false;
  AppOptionsRecord options;
  LockKeyController keys{desk, desk, isNT, options};
};

TEST_F(LockKeysTest, KeyboardStateWayRewritesOnlyThatKeysWholeByteAndNothingForAKeyAlreadyRight) {
  platform::KeyboardTable table{};
  table[kVkNumLock] = 1;
  table[kVkScroll] = 0x81;  // toggled and held down
  desk.SetKeyboardState(table);
  const int writes = desk.SetKeyboardStateCalls();
  EXPECT_TRUE(keys.SetCapsLock(true));
  keys.SetScrollLock(false);
  table[kVkCapital] = 1;
  table[kVkScroll] = 0;
  EXPECT_EQ(desk.LastTableWritten(), table);
  EXPECT_TRUE(desk.Toggled(kVkCapital));
  EXPECT_FALSE(keys.SetCapsLock(true)) << "nothing changed";
  options.KeystrokeSimulation = true;
  EXPECT_FALSE(keys.SetNumLock(true));
  EXPECT_TRUE(desk.KeyEvents().empty());
  EXPECT_EQ(desk.SetKeyboardStateCalls() - writes, 2);
}

TEST_F(LockKeysTest, KeystrokesOnRequestAndAlwaysOnTheNtFamily) {
  for (bool nt : {false, true}) {
    SCOPED_TRACE(nt);
    sim::SimDesktop d{nt ? sim::WindowsFamily::Win10 : sim::WindowsFamily::Win98};
    AppOptionsRecord o;
    o.KeystrokeSimulation = !nt;
    LockKeyController k{d, d, nt, o};
    k.SetScrollLock(true);
    ASSERT_EQ(d.KeyEvents().size(), 2u);
    // No character for the key, so the extended flag is set.
    EXPECT_EQ(d.KeyEvents()[0].vk, kVkScroll);
    EXPECT_EQ(d.KeyEvents()[0].scan, 0x46);
    EXPECT_EQ(d.KeyEvents()[0].flags, platform::kKeyEventExtendedKey);
    EXPECT_EQ(d.KeyEvents()[1].flags, platform::kKeyEventExtendedKey | platform::kKeyEventKeyUp);
    EXPECT_EQ(d.SetKeyboardStateCalls(), 0);
    EXPECT_TRUE(d.Toggled(kVkScroll));
  }
}

// A read waits while the key is held and returns the state the release left.
TEST_F(LockKeysTest, ReadWaitsForTheKeyASlowKeyEndsTheWaitWhenItChangesAndARefusingOneStopsAtTheLimit) {
  options.KeystrokeSimulation = true;
  desk.DelayKey(kVkNumLock, 3);
  EXPECT_TRUE(keys.SetNumLock(true)) << "changed";
  EXPECT_TRUE(desk.Toggled(kVkNumLock));
  EXPECT_EQ(desk.KeyEvents().size(), 2u) << "sent once, no second attempt";
  EXPECT_EQ(desk.NowMs(), 15u) << "three polls of 5 ms";

  desk.RefuseKey(kVkCapital);
  EXPECT_FALSE(keys.SetCapsLock(true)) << "tried, but nothing changed";
  EXPECT_FALSE(desk.Toggled(kVkCapital));
  EXPECT_EQ(desk.KeyEvents().size(), 2u + 2u * LockKeyController::kAttemptLimit);
  EXPECT_EQ(desk.NowMs(), 15u + LockKeyController::kAttemptLimit * LockKeyController::kPollsPerAttempt *
                                    LockKeyController::kPollMilliseconds);
  // The busy flag was cleared: a later set tries again once the key co-operates.
  desk.RefuseKey(kVkCapital, false);
  keys.SetCapsLock(true);
  EXPECT_TRUE(desk.Toggled(kVkCapital));

  desk.HoldKey(kVkScroll, 5);
  const int events = desk.DoEventsCalls();
  EXPECT_TRUE(keys.GetScrollLock());
  EXPECT_EQ(desk.DoEventsCalls() - events, 5) << "events serviced on each poll that found the key down";
}

TEST_F(LockKeysTest, NestedCallsOfTheSameKeyDoNothingAndOtherKeysRun) {
  options.KeystrokeSimulation = true;
  bool nestedRan = false;
  desk.OnEveryDoEvents([&] {
    if (std::exchange(nestedRan, true)) return;
    keys.SetNumLock(false);  // same key: must do nothing
    keys.SetCapsLock(true);  // another key: runs
  });
  keys.SetNumLock(true);
  desk.OnEveryDoEvents(nullptr);
  EXPECT_TRUE(desk.Toggled(kVkNumLock)) << "the outer set won";
  EXPECT_TRUE(desk.Toggled(kVkCapital));
  EXPECT_EQ(desk.KeyEvents().size(), 4u);

  desk.SetToggled(kVkScroll, true);
  desk.HoldKey(kVkScroll, 2, false);
  bool nested = true, other = true;
  desk.PostEvent([&] {
    nested = keys.GetScrollLock();
    other = keys.GetCapsLock();
  });
  EXPECT_TRUE(keys.GetScrollLock());
  EXPECT_FALSE(nested) << "a nested read of the same key answers false";
  EXPECT_TRUE(other);
}

}  // namespace
