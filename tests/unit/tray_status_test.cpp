// What the tray tells of the state: the tip, the lock-key picture and the
// balloon when a setting changes a lock key.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "resident_fixture.h"
#include "tray/tray_status.h"

namespace {

using platform::kVkCapital;
using platform::kVkNumLock;
using platform::kVkScroll;
using sim::WindowsFamily;

// Started on a window of no setting's ("Default": Caps Lock "Toggle OFF"),
// run to its first fast tick; "Notes" keeps Caps Lock on ("Maintain ON").
struct Tray : ResidentProgram {
  explicit Tray(WindowsFamily family = WindowsFamily::Win10, bool numLockOn = false) : ResidentProgram(family) {
    desktop.SetFile(SettingsPath(), "[Options]\r\n[Setting 0]\r\nName=Notes\r\nFilter_Title=Notes\r\nAction_CapsLock=3\r\n"
                                    "[Setting 1]\r\nName=Default\r\nAction_CapsLock=2\r\n");
    desktop.SetToggled(kVkNumLock, numLockOn);
    desktop.SetForeground(other);
    program->Start();
    FastTick();
  }
  const platform::NotifyIconData& Shown() const { return desktop.TrayIcons().begin()->second; }
  std::string Picture() const { return ui->PictureName({Shown().hIcon}); }
  std::size_t Calls() const { return desktop.NotifyCalls().size(); }
  std::size_t Balloons() const { return desktop.Balloons().size(); }
  std::uint32_t app = desktop.AddProcess({"C:\\notes.exe"});
  platform::WindowHandle notes = desktop.AddWindow({"Notes", "Edit", 0, app});
  platform::WindowHandle other = desktop.AddWindow({"Other", "Edit", 0, app});
};

// The other combinations of keys are told through the program below.
TEST(TrayTip, NamesTheSettingAndTheKeysOnWithinWhatTheShellKeepsAndIsSentOnlyWhenItChanges) {
  for (const auto& [keys, text] : {std::pair<LockKeySet, const char*>{4, "Scroll Lock on"},
                                   {5, "Caps Lock and Scroll Lock on"}, {6, "Num Lock and Scroll Lock on"},
                                   {7, "all lock keys on"}})
    EXPECT_EQ(TrayTip("Notes", keys), std::string("Tarvolo: Notes, ") + text);
  EXPECT_EQ(TrayTip("", 1), "Tarvolo: Caps Lock on");
  // 63 - 11 - 28 leaves the name 24 units, "..." among them; the emoji does
  // not fit and is not cut in two.
  const std::string name = std::string(19, 'x') + "\xD0\x96\xF0\x9F\x98\x80" + std::string(20, 'y');
  EXPECT_EQ(TrayTip(name, 5), "Tarvolo: " + std::string(19, 'x') + "\xD0\x96..., Caps Lock and Scroll Lock on");
  EXPECT_EQ(LockKeyNotice("Notes", 5, 1), "Caps Lock on, Scroll Lock off (Notes)");
  EXPECT_EQ(LockKeyNotice("", 2, 2), "Num Lock on");

  EXPECT_EQ(Tray(WindowsFamily::Win10, true).Shown().szTip, "Tarvolo: Default, Num Lock on");
  Tray p;
  EXPECT_EQ(p.Shown().szTip, "Tarvolo: Default, all lock keys off");
  const std::size_t calls = p.Calls();
  p.desktop.AdvanceClock(2000);
  EXPECT_EQ(p.Calls(), calls) << "nothing changed, nothing sent";
  p.desktop.SetForeground(p.notes);
  p.FastTick();
  EXPECT_EQ(p.Shown().szTip, "Tarvolo: Notes, Caps Lock on");
  p.desktop.SetToggled(kVkNumLock, true);  // the user's own key: by the next refresh tick
  p.desktop.AdvanceClock(500);
  EXPECT_EQ(p.Shown().szTip, "Tarvolo: Notes, Caps Lock and Num Lock on");
  p.state().CurrentSetting()->Name = "Letters";  // renamed in the setup window
  p.desktop.AdvanceClock(1000);
  EXPECT_EQ(p.Shown().szTip, "Tarvolo: Letters, Caps Lock and Num Lock on");
  // Renamed beyond what the tip has room for: the same text, not sent again.
  p.state().CurrentSetting()->Name = std::string(30, 'L');
  p.FastTick();
  p.state().CurrentSetting()->Name += "etters";
  p.FastTick();
  EXPECT_EQ(p.Shown().szTip, "Tarvolo: " + std::string(24, 'L') + "..., Caps Lock and Num Lock on");
  EXPECT_EQ(p.Calls(), calls + 4);
}

TEST(TrayPicture, ShowsEachCombinationOfTheKeysWhileTheOptionIsOnAndChangesOnlyWithThem) {
  Tray p;
  EXPECT_EQ(p.Picture(), "TRAYICON");
  p.state().AppOptions.ShowLockKeysInTray = true;  // OK in the Options dialog
  for (int keys = 0; keys < 8; ++keys) {
    p.desktop.SetToggled(kVkCapital, keys & 1);
    p.desktop.SetToggled(kVkNumLock, keys & 2);
    p.desktop.SetToggled(kVkScroll, keys & 4);
    p.FastTick();
    EXPECT_EQ(p.Picture(), "TRAYKEYS" + std::to_string(keys));
  }
  const std::size_t calls = p.Calls();
  p.desktop.AdvanceClock(2000);
  EXPECT_EQ(p.Calls(), calls);
  p.state().AppOptions.ShowLockKeysInTray = false;
  p.FastTick();
  EXPECT_EQ(p.Picture(), "TRAYICON");
  EXPECT_EQ(p.Calls(), calls + 1);
}

TEST(LockKeyNotice, OncePerActivationForASettingsChangeAndNotInTheSecondOfAnyInput) {
  Tray p;
  p.state().AppOptions.TellLockKeyChanges = true;
  p.desktop.SetToggled(kVkNumLock, true);  // the user's own key
  p.desktop.AdvanceClock(2000);
  EXPECT_EQ(p.Balloons(), 0u);
  p.desktop.SetForeground(p.notes);
  p.FastTick();
  ASSERT_TRUE(p.desktop.Toggled(kVkCapital));
  // The keystroke that made the change is input too.
  std::uint32_t keystroke = 0;
  ASSERT_TRUE(p.desktop.GetLastInputInfo(keystroke));
  p.desktop.AdvanceClock(800);
  EXPECT_EQ(p.Balloons(), 0u);
  p.desktop.AdvanceClock(400);
  ASSERT_EQ(p.Balloons(), 1u);
  EXPECT_EQ(p.desktop.Balloons()[0].title, "Tarvolo");
  EXPECT_EQ(p.desktop.Balloons()[0].text, "Caps Lock on (Notes)");
  EXPECT_GE(p.desktop.Balloons()[0].atMs - keystroke, 1000u);
  p.desktop.SetToggled(kVkCapital, false);  // kept on again by the setting: told already
  p.desktop.AdvanceClock(3000);
  EXPECT_TRUE(p.desktop.Toggled(kVkCapital));
  EXPECT_EQ(p.Balloons(), 1u);
  // Another window of the same setting, its keys already right: nothing to tell.
  p.desktop.SetForeground(p.desktop.AddWindow({"Notes 2", "Edit", 0, p.app}));
  p.desktop.AdvanceClock(3000);
  EXPECT_EQ(p.Balloons(), 1u);
  // The next activation has its own notice, held back while the user types.
  p.desktop.SetForeground(p.other);
  for (int i = 0; i < 10; ++i) {
    p.desktop.UserInput();
    p.desktop.AdvanceClock(200);
  }
  EXPECT_EQ(p.Balloons(), 1u);
  p.desktop.AdvanceClock(1200);
  ASSERT_EQ(p.Balloons(), 2u);
  EXPECT_EQ(p.desktop.Balloons()[1].text, "Caps Lock off (Default)");
  // A key the user puts back within the second is no longer the setting's doing.
  p.desktop.SetForeground(p.notes);
  p.FastTick();
  p.desktop.SetForeground(p.other);
  p.FastTick();
  p.desktop.SetToggled(kVkCapital, true);
  p.desktop.AdvanceClock(3000);
  EXPECT_EQ(p.Balloons(), 2u);
}

TEST(LockKeyNotice, NoneWhenOffNorWhereTheShellHasNoBalloonsAndOnMeTheHookTellsOfTyping) {
  for (WindowsFamily family : {WindowsFamily::Win10, WindowsFamily::NT4, WindowsFamily::Win98}) {
    Tray p(family);
    p.state().AppOptions.TellLockKeyChanges = family != WindowsFamily::Win10;
    p.desktop.SetForeground(p.notes);
    p.desktop.AdvanceClock(3000);
    EXPECT_TRUE(p.desktop.Toggled(kVkCapital));
    EXPECT_EQ(p.Balloons(), 0u);
  }
  Tray me(WindowsFamily::Win98);
  me.desktop.SetShellHasBalloons(true);
  me.state().AppOptions.TellLockKeyChanges = true;
  me.desktop.SetForeground(me.notes);
  for (int i = 0; i < 8; ++i) {
    me.program->Hook().IdleTicks = 0;  // the journal hook saw input
    me.desktop.AdvanceClock(250);
  }
  EXPECT_EQ(me.Balloons(), 0u);
  me.desktop.AdvanceClock(1600);
  ASSERT_EQ(me.Balloons(), 1u);
  EXPECT_EQ(me.desktop.Balloons()[0].text, "Caps Lock on (Notes)");
}

}  // namespace
