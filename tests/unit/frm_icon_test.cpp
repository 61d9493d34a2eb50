// Start-up and shut-down of the resident program: the hidden form, the tray
// icon, the settings file, and a second instance that leaves the first alone.
#include <gtest/gtest.h>

#include "resident_fixture.h"

namespace {

using sim::WindowsFamily;

TEST(StartUp, PutsTheIconIntoTheTrayAndKeepsTheFormHidden) {
  ResidentProgram p;
  p.program->Start();
  ASSERT_TRUE(p.program->Running());
  ASSERT_EQ(p.desktop.TrayIcons().size(), 1u);
  const platform::NotifyIconData& icon = p.desktop.TrayIcons().begin()->second;
  EXPECT_EQ(p.ui->PictureName({icon.hIcon}), "TRAYICON");
  EXPECT_EQ(std::string(icon.szTip.data()), "Tarvolo");
  EXPECT_EQ(icon.hWnd, p.iconForm()["pichook"].hWnd());
  EXPECT_FALSE(p.iconForm().Visible());
  EXPECT_EQ(p.iconForm().GetWindowState(), forms::WindowState::Minimized);
  EXPECT_FALSE(p.ui->TaskVisible());
  EXPECT_FALSE(p.icon().gSysTray->DefaultDblClk);
  EXPECT_FALSE(p.state().MainWindowOpen);
  EXPECT_EQ(p.state().SizeMode, 1);
  EXPECT_EQ(p.ui->HelpFile(), "C:\\Program Files\\Tarvolo\\Tarvolo.hlp");
  EXPECT_TRUE(p.ui->MsgBoxes().empty());
}

TEST(StartUp, LoadsTheSettingsFileAndAppliesNoSettingBeforeTheFirstTick) {
  ResidentProgram p;
  p.desktop.SetFile(p.SettingsPath(),
                    "[Options]\r\nKeystroke Simulation=True\r\n[Setting 0]\r\nName=Default\r\nAction_CapsLock=3\r\n");
  p.desktop.SetForeground(p.desktop.AddWindow({"Notes", "Edit", 0, p.desktop.AddProcess({"C:\\notes.exe"})}));
  p.program->Start();
  EXPECT_TRUE(p.state().AppOptions.KeystrokeSimulation);
  EXPECT_EQ(p.state().Settings.Item("Default")->Action_CapsLock, 3);
  EXPECT_EQ(p.desktop.ForegroundQueries(), 0);
  EXPECT_FALSE(p.desktop.Toggled(platform::kVkCapital));
  p.desktop.AdvanceClock(167);
  EXPECT_TRUE(p.desktop.Toggled(platform::kVkCapital));
}

TEST(StartUp, OnTheNtFamilyRegistersTheHotKeysAndInstallsNoHook) {
  for (WindowsFamily family : {WindowsFamily::NT4, WindowsFamily::Win2000, WindowsFamily::Win10}) {
    ResidentProgram p(family);
    p.program->Start();
    EXPECT_TRUE(p.state().IsNT);
    EXPECT_EQ(p.calls, std::vector<std::string>{"RegisterHotkeys"});
    p.icon().mnuPopup_Click(3);
    EXPECT_EQ(p.Count("RemoveActivityHook"), 0);
    EXPECT_EQ(p.Count("UnregisterHotkeys"), 1);
  }
}

TEST(StartUp, OnWindows9xInstallsTheHookBeforeLoadingAndRegistering) {
  ResidentProgram p(WindowsFamily::Win98);
  p.program->Start();
  EXPECT_FALSE(p.state().IsNT);
  EXPECT_EQ(p.calls, (std::vector<std::string>{"InstallActivityHook", "RegisterHotkeys"}));
}

TEST(StartUp, AnUnreadableSettingsFileIsReportedOnceAndNotOverwritten) {
  ResidentProgram p;
  p.desktop.SetFile(p.SettingsPath(), "[Options]\r\n");
  p.desktop.FailReads(p.SettingsPath(), platform::FileReadStatus::AccessDenied);
  p.program->Start();
  ASSERT_EQ(p.ui->MsgBoxes().size(), 1u);
  EXPECT_EQ(p.ui->MsgBoxes()[0].prompt, p.state().SettingsFileProblem);
  EXPECT_EQ(p.ui->MsgBoxes()[0].title, "Tarvolo");
  EXPECT_EQ(p.ui->MsgBoxes()[0].buttons, forms::kMbExclamation);
  p.desktop.AdvanceClock(5000);
  p.icon().mnuPopup_Click(3);
  EXPECT_EQ(p.ui->MsgBoxes().size(), 1u);
  EXPECT_EQ(p.desktop.File(p.SettingsPath()), "[Options]\r\n");
}

TEST(SecondInstance, EndsAtOnceAndTouchesNothing) {
  ResidentProgram p(WindowsFamily::Win98);
  p.ui->SetPreviousInstance(true);
  p.desktop.SetFile(p.SettingsPath(), "[Setting 0]\r\nName=Default\r\n");
  p.program->Start();
  EXPECT_FALSE(p.program->Running());
  EXPECT_TRUE(p.icon().PrevInstanceFound);
  EXPECT_TRUE(p.desktop.NotifyCalls().empty());
  EXPECT_TRUE(p.calls.empty());
  EXPECT_EQ(p.desktop.WriteAttempts(), 0);
  EXPECT_EQ(p.desktop.File(p.SettingsPath()), "[Setting 0]\r\nName=Default\r\n");
  p.desktop.AdvanceClock(2000);
  EXPECT_EQ(p.desktop.ForegroundQueries(), 0);
}

TEST(ShutDown, StopsTheTimersRemovesTheIconUndoesTheLinksAndSaves) {
  ResidentProgram p(WindowsFamily::Win98);
  p.program->Start();
  p.desktop.AdvanceClock(1000);
  p.calls.clear();
  p.icon().mnuPopup_Click(3);
  EXPECT_FALSE(p.program->Running());
  EXPECT_TRUE(p.desktop.TrayIcons().empty());
  EXPECT_EQ(p.calls, (std::vector<std::string>{"UnregisterHotkeys", "RemoveActivityHook"}));
  EXPECT_EQ(p.icon().gSysTray, nullptr);
  ASSERT_TRUE(p.desktop.File(p.SettingsPath()).has_value());
  EXPECT_EQ(p.desktop.WriteAttempts(), 1);
  const int queries = p.desktop.ForegroundQueries();
  p.desktop.AdvanceClock(2000);
  EXPECT_EQ(p.desktop.ForegroundQueries(), queries);
}

TEST(ShutDown, EndingTheSessionSavesWhenAskedAndAgainAsTheFormGoes) {
  ResidentProgram p;
  p.program->Start();
  p.ui->EndSession();
  EXPECT_FALSE(p.program->Running());
  EXPECT_EQ(p.desktop.WriteAttempts(), 2);
  EXPECT_TRUE(p.desktop.File(p.SettingsPath()).has_value());
  EXPECT_TRUE(p.desktop.TrayIcons().empty());
}

TEST(ShutDown, ClosingTheHiddenWindowRunsTheSameShutDown) {
  ResidentProgram p;
  p.program->Start();
  p.ui->CloseBox(p.iconForm());
  EXPECT_FALSE(p.program->Running());
  EXPECT_TRUE(p.desktop.TrayIcons().empty());
  EXPECT_EQ(p.desktop.WriteAttempts(), 1);
}

TEST(ShutDown, TheIconReturnsAfterTheShellRestartsWhileTheProgramRuns) {
  ResidentProgram p;
  p.program->Start();
  p.desktop.RestartShell();
  EXPECT_EQ(p.desktop.TrayIcons().size(), 1u);
}

}  // namespace
