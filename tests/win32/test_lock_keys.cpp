// The lock key controller against the real keyboard state. Injected keys
// reach a thread's key state only while one of its windows is in front with
// the focus, so every test owns such a window.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <ostream>
#include <string>

#include "engine/lock_keys.h"
#include "platform/win32/win32_os.h"
#include "store/options.h"
#include "store/platform_check.h"
#include "tests/win32/win_test_support.h"

namespace {

// Forwards to the real keyboard and counts what the controller sent, so a
// test can tell which way a key was set.
class CountingKeys : public platform::OsKeys {
 public:
  explicit CountingKeys(platform::OsKeys& real) : real_(real) {}
  std::int16_t GetAsyncKeyState(int vk) override { return real_.GetAsyncKeyState(vk); }
  std::int16_t GetKeyState(int vk) override { return real_.GetKeyState(vk); }
  void keybd_event(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags, std::uintptr_t extraInfo) override {
    if ((flags & platform::kKeyEventKeyUp) == 0) ++presses;
    real_.keybd_event(vk, scan, flags, extraInfo);
  }
  std::uint32_t MapVirtualKeyA(std::uint32_t code, std::uint32_t mapType) override {
    return real_.MapVirtualKeyA(code, mapType);
  }
  bool GetKeyboardState(platform::KeyboardTable& table) override { return real_.GetKeyboardState(table); }
  bool SetKeyboardState(const platform::KeyboardTable& table) override {
    ++tableWrites;
    return real_.SetKeyboardState(table);
  }

  int presses = 0;
  int tableWrites = 0;

 private:
  platform::OsKeys& real_;
};

struct LockKeyCase {
  const char* name;
  int vk;
  bool (LockKeyController::*get)();
  void (LockKeyController::*set)(const bool&);
};

void PrintTo(const LockKeyCase& key, std::ostream* out) { *out << key.name; }

class LockKeysTest : public ::testing::TestWithParam<LockKeyCase> {
 protected:
  // One window for all the cases: making and destroying a shown window is
  // slow under Wine without a window manager.
  static void SetUpTestSuite() { window_ = std::make_unique<wintest::TestWindow>("Tarvolo lock key test"); }
  static void TearDownTestSuite() { window_.reset(); }

  void SetUp() override {
    ASSERT_NE(window_->get(), nullptr);
    ASSERT_TRUE(window_->Activate()) << "no foreground window with the focus; injected keys would not arrive";
    isNT_ = IsNTPlatform(os_);
    initial_ = (::GetKeyState(GetParam().vk) & 1) != 0;
  }

  void TearDown() override {
    // Leave the key as it was found, the sure way.
    AppOptionsRecord keystrokes;
    keystrokes.KeystrokeSimulation = true;
    const bool nt = true;
    LockKeyController restore(os_, os_, nt, keystrokes);
    (restore.*GetParam().set)(initial_);
    EXPECT_EQ((::GetKeyState(GetParam().vk) & 1) != 0, initial_) << "could not restore the key";
  }

  // Sets the key on and off twice, so that whatever the key's first state,
  // it really changes in both directions; each set is read back through the
  // controller and straight from Windows.
  void CycleKey(LockKeyController& controller) {
    const LockKeyCase& key = GetParam();
    for (const bool wanted : {true, false, true, false}) {
      (controller.*key.set)(wanted);
      EXPECT_EQ((controller.*key.get)(), wanted) << key.name << " set " << (wanted ? "on" : "off");
      EXPECT_EQ((::GetKeyState(key.vk) & 1) != 0, wanted) << key.name << " as Windows reports it";
    }
  }

  static std::unique_ptr<wintest::TestWindow> window_;
  Win32Os os_;
  bool isNT_ = false;
  bool initial_ = false;
};

std::unique_ptr<wintest::TestWindow> LockKeysTest::window_;

TEST_P(LockKeysTest, KeystrokeWaySetsAndClearsTheKey) {
  CountingKeys keys(os_);
  AppOptionsRecord options;
  options.KeystrokeSimulation = true;
  LockKeyController controller(keys, os_, isNT_, options);
  CycleKey(controller);
  EXPECT_GE(keys.presses, 3) << "each real change is one press and one release";
  EXPECT_EQ(keys.tableWrites, 0);
}

// "Windows Messaging" writes the keyboard-state table on Windows 9x; the NT
// family always takes the keystroke way.
TEST_P(LockKeysTest, WindowsMessagingModeSetsAndClearsTheKey) {
  CountingKeys keys(os_);
  AppOptionsRecord options;
  options.KeystrokeSimulation = false;
  LockKeyController controller(keys, os_, isNT_, options);
  CycleKey(controller);
  if (isNT_) {
    EXPECT_GE(keys.presses, 3);
    EXPECT_EQ(keys.tableWrites, 0);
  } else {
    EXPECT_GE(keys.tableWrites, 3);
    EXPECT_EQ(keys.presses, 0);
  }
}

TEST_P(LockKeysTest, SettingTheCurrentStateSendsNothing) {
  CountingKeys keys(os_);
  AppOptionsRecord options;
  options.KeystrokeSimulation = true;
  LockKeyController controller(keys, os_, isNT_, options);
  const bool now = (controller.*GetParam().get)();
  (controller.*GetParam().set)(now);
  EXPECT_EQ(keys.presses, 0);
  EXPECT_EQ(keys.tableWrites, 0);
  EXPECT_EQ((controller.*GetParam().get)(), now);
}

INSTANTIATE_TEST_SUITE_P(
    AllLockKeys, LockKeysTest,
    ::testing::Values(
        LockKeyCase{"CapsLock", VK_CAPITAL, &LockKeyController::GetCapsLock, &LockKeyController::SetCapsLock},
        LockKeyCase{"NumLock", VK_NUMLOCK, &LockKeyController::GetNumLock, &LockKeyController::SetNumLock},
        LockKeyCase{"ScrollLock", VK_SCROLL, &LockKeyController::GetScrollLock, &LockKeyController::SetScrollLock}),
    [](const ::testing::TestParamInfo<LockKeyCase>& info) { return std::string(info.param.name); });

}  // namespace
