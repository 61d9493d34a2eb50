// Start-up and shut-down of the resident program: the hidden form, the tray
// icon, the settings file, the hot-keys and the activity hook.
#include <gtest/gtest.h>

#include "resident_fixture.h"

namespace {

using sim::WindowsFamily;

TEST(StartUp, PutsTheIconIntoTheTrayKeepsTheFormHiddenAndAppliesNoSettingBeforeTheFirstTick) {
  ResidentProgram p;
  p.desktop.SetFile(p.SettingsPath(), "[Options]\r\n[Setting 0]\r\nName=Default\r\nAction_CapsLock=3\r\n");
  p.desktop.SetForeground(p.desktop.AddWindow({"Notes", "Edit", 0, p.desktop.AddProcess({"C:\\notes.exe"})}));
  p.program->Start();
  ASSERT_EQ(p.desktop.TrayIcons().size(), 1u);
  const platform::NotifyIconData& icon = p.desktop.TrayIcons().begin()->second;
  EXPECT_EQ(p.ui->PictureName({icon.hIcon}), "TRAYICON");
  EXPECT_EQ(icon.szTip, "Tarvolo");
  EXPECT_FALSE(p.iconForm().Visible());
  EXPECT_FALSE(p.ui->TaskVisible());
  EXPECT_FALSE(p.icon().gSysTray->DefaultDblClk);
  EXPECT_EQ(p.ui->HelpFile(), "C:\\Program Files\\Tarvolo\\Tarvolo.hlp");
  EXPECT_TRUE(p.ui->MsgBoxes().empty());
  EXPECT_EQ(p.desktop.ForegroundQueries(), 0);
  EXPECT_FALSE(p.desktop.Toggled(platform::kVkCapital));
  p.desktop.AdvanceClock(167);
  EXPECT_TRUE(p.desktop.Toggled(platform::kVkCapital));
}

// An unreadable settings file is reported and never written over; settings
// moved to AppData are told of at that start only.
TEST(StartUp, AnUnreadableOrMovedSettingsFileIsToldOnce) {
  for (bool unreadable : {true, false}) {
    SCOPED_TRACE(unreadable);
    ResidentProgram p;
    p.desktop.SetFile(p.SettingsPath(), "[Options]\r\n");
    if (unreadable) p.desktop.FailReads(p.SettingsPath(), platform::FileReadStatus::AccessDenied);
    else p.desktop.DenyNewFilesIn("C:\\Program Files\\Tarvolo");
    p.program->Start();
    ASSERT_EQ(p.ui->MsgBoxes().size(), 1u);
    EXPECT_EQ(p.ui->MsgBoxes()[0].prompt, unreadable ? p.state().SettingsFileProblem : p.state().SettingsFileNotice);
    EXPECT_EQ(p.ui->MsgBoxes()[0].title, "Tarvolo");
    EXPECT_EQ(p.ui->MsgBoxes()[0].buttons, unreadable ? forms::kMbExclamation : forms::kMbInformation);
    p.desktop.AdvanceClock(5000);
    p.icon().mnuPopup_Click(3);
    EXPECT_EQ(p.ui->MsgBoxes().size(), 1u) << "saved without a word, or not at all";
    EXPECT_EQ(p.desktop.File(p.SettingsPath()), "[Options]\r\n") << "not written over";
    p.program = std::make_unique<TarvoloProgram>(p.desktop, *p.ui);
    p.program->Start();
    EXPECT_EQ(p.ui->MsgBoxes().size(), unreadable ? 2u : 1u);
  }
}

// The family decides on the activity hook; Exit or the hidden window's close
// box releases it and the hot-keys.
TEST(ShutDown, ExitOrClosingTheHiddenWindowReleasesAllStopsTheTimersRemovesTheIconAndSavesOnce) {
  using enum WindowsFamily;
  for (WindowsFamily family : {Win98, NT4, Win2000, Win10}) {
    SCOPED_TRACE(static_cast<int>(family));
    ResidentProgram p(family);
    const bool isNT = family != Win98;
    p.FileWithHotkeys();
    p.program->Start();
    EXPECT_EQ(p.state().IsNT, isNT);
    EXPECT_EQ(p.desktop.RegisteredHotkeys(), 4u);
    EXPECT_TRUE(p.desktop.HotkeyRegistered(kCtrlAlt, 'T'));
    EXPECT_EQ(p.desktop.InstalledHooks(), isNT ? 0u : 1u);
    p.desktop.AdvanceClock(1000);
    if (family == Win98 || family == Win2000) p.ui->CloseBox(p.iconForm());
    else p.icon().mnuPopup_Click(3);
    EXPECT_FALSE(p.program->Running());
    EXPECT_EQ(p.desktop.RegisteredHotkeys() + p.desktop.InstalledHooks(), 0u);
    EXPECT_TRUE(p.desktop.TrayIcons().empty());
    EXPECT_EQ(p.icon().gSysTray, nullptr);
    EXPECT_EQ(p.desktop.WriteAttempts(), 1);
    const int queries = p.desktop.ForegroundQueries();
    p.desktop.AdvanceClock(2000);
    EXPECT_EQ(p.desktop.ForegroundQueries(), queries);
  }
}

}  // namespace
