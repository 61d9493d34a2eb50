// The lock key controller against the real keyboard state, both ways of
// setting a key. Injected keys reach a thread's key state only while one of
// its windows is in front with the focus.
#include <gtest/gtest.h>
#include "platform/win32/win32_api.h"

#include <memory>
#include <string>

#include "engine/lock_keys.h"
#include "platform/win32/win32_os.h"
#include "store/platform_check.h"
#include "tests/win32/win_test_support.h"

namespace {

struct LockKeyCase {
  const char* name;
  int vk;
  bool (LockKeyController::*get)();
  bool (LockKeyController::*set)(const bool&);
};

class LockKeysTest : public ::testing::TestWithParam<LockKeyCase> {
 protected:
  // One shown window for all the cases: making and destroying one is slow
  // under Wine without a window manager.
  static void SetUpTestSuite() { window_ = std::make_unique<wintest::TestWindow>("Tarvolo lock key test", true); }
  static void TearDownTestSuite() { window_.reset(); }
  void SetUp() override {
    ASSERT_TRUE(window_->Activate()) << "no foreground window with the focus; injected keys would not arrive";
    initial_ = (::GetKeyState(GetParam().vk) & 1) != 0;
  }
  void TearDown() override {  // leave the key as it was found, the sure way
    AppOptionsRecord keystrokes;
    keystrokes.KeystrokeSimulation = true;
    const bool nt = true;
    LockKeyController restore(os_, os_, nt, keystrokes);
    (restore.*GetParam().set)(initial_);
    EXPECT_EQ((::GetKeyState(GetParam().vk) & 1) != 0, initial_) << "could not restore the key";
  }

  static std::unique_ptr<wintest::TestWindow> window_;
  Win32Os os_;
  bool initial_ = false;
};

std::unique_ptr<wintest::TestWindow> LockKeysTest::window_;

// "Keystroke Simulation" presses the key; "Windows Messaging" writes the
// keyboard-state table on Windows 9x (the route itself is pinned by the
// native tests). On and off twice, so the key changes both ways whatever its
// first state; each set is read back through the controller and from Windows.
TEST_P(LockKeysTest, SetsAndClearsTheKeyEitherWay) {
  const LockKeyCase& key = GetParam();
  const bool isNT = IsNTPlatform(os_);
  for (const bool keystroke : {true, false}) {
    SCOPED_TRACE(keystroke ? "Keystroke Simulation" : "Windows Messaging");
    AppOptionsRecord options;
    options.KeystrokeSimulation = keystroke;
    LockKeyController controller(os_, os_, isNT, options);
    for (const bool wanted : {true, false, true, false}) {
      (controller.*key.set)(wanted);
      EXPECT_EQ((controller.*key.get)(), wanted) << "set " << (wanted ? "on" : "off");
      EXPECT_EQ((::GetKeyState(key.vk) & 1) != 0, wanted) << "as Windows reports it";
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    AllLockKeys, LockKeysTest,
    ::testing::Values(
        LockKeyCase{"CapsLock", VK_CAPITAL, &LockKeyController::GetCapsLock, &LockKeyController::SetCapsLock},
        LockKeyCase{"NumLock", VK_NUMLOCK, &LockKeyController::GetNumLock, &LockKeyController::SetNumLock},
        LockKeyCase{"ScrollLock", VK_SCROLL, &LockKeyController::GetScrollLock, &LockKeyController::SetScrollLock}),
    [](const ::testing::TestParamInfo<LockKeyCase>& info) { return std::string(info.param.name); });

}  // namespace
