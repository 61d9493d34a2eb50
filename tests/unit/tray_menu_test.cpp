// The tray menu, the double-click and the guarded opening of the setup
// window (here its stand-in), with and without an administration password.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "resident_fixture.h"

namespace {

struct Started : ResidentProgram {
  // With the settings file as given, or none.
  explicit Started(const std::optional<std::string>& file = std::nullopt) {
    if (file) desktop.SetFile(SettingsPath(), *file);
    program->Start();
  }
  // Right-click on the icon and pick an item (-1: none).
  void Pick(int item) {
    ui->AnswerPopupMenu(item);
    desktop.MouseOnTrayIcon(platform::kWmRButtonDown);
    desktop.MouseOnTrayIcon(platform::kWmRButtonUp);
  }
  void DoubleClick() {
    desktop.MouseOnTrayIcon(platform::kWmLButtonDown);
    desktop.MouseOnTrayIcon(platform::kWmLButtonUp);
    desktop.MouseOnTrayIcon(platform::kWmLButtonDblClk);
    desktop.MouseOnTrayIcon(platform::kWmLButtonUp);
  }
  bool SetupOpen() { return setupForm().Loaded() && setupForm().Visible() && state().MainWindowOpen; }
};

// The setup window's close box saves, and the program runs on until both
// forms are gone.
TEST(TrayMenu, OffersShowHideAndExitFromTheHiddenFormWithTheDefaultFollowingTheWindow) {
  Started p;
  p.Pick(1);
  EXPECT_EQ(p.desktop.WriteAttempts(), 0) << "nothing to hide";
  ASSERT_EQ(p.ui->PopupMenus().size(), 1u);
  EXPECT_EQ(p.ui->PopupMenus()[0].captions, (std::vector<std::string>{"Show", "Hide", "-", "Exit"}));
  EXPECT_EQ(p.ui->PopupMenus()[0].defaultItem, 0);
  EXPECT_EQ(p.desktop.Foreground(), p.iconForm().hWnd()) << "so that the menu closes when clicked away";
  p.DoubleClick();
  ASSERT_TRUE(p.SetupOpen());
  EXPECT_EQ(p.desktop.TrayIcons().size(), 1u) << "the double-click only raised the event";
  p.Pick(-1);
  EXPECT_EQ(p.ui->PopupMenus().back().defaultItem, 1);
  p.ui->CloseBox(p.setupForm());
  EXPECT_EQ(p.desktop.WriteAttempts(), 1);
  p.Pick(0);
  p.ui->CloseBox(p.iconForm());
  EXPECT_TRUE(p.program->Running());
  p.ui->CloseBox(p.setupForm());
  EXPECT_FALSE(p.program->Running());
}

// The password prompt of a fast tick's show request: refresh ticks go on, no
// fast tick starts while it is up, and the foreground window is evaluated
// once more after it. Asked again with the window open: the password, but
// neither a reload nor an evaluation; the window comes to the front.
TEST(ShowRequest, AsksThePasswordWithoutFastTicksThenEvaluatesTheForegroundOnceMoreUnlessTheWindowIsOpen) {
  Started p;
  p.state().AppOptions.AdminPassword = "pw";
  const auto window = p.desktop.AddWindow({"Notes", "Edit", 0, p.desktop.AddProcess({"C:\\Apps\\editor.exe"})});
  p.desktop.SetForeground(window);
  p.desktop.AdvanceClock(167);
  int fastTicksDuring = -1;
  p.ui->OnInputBox([&](const sim::InputBoxCall&) -> std::optional<std::string> {
    const int before = p.desktop.ForegroundQueries();
    p.desktop.AdvanceClock(3000);
    fastTicksDuring = p.desktop.ForegroundQueries() - before;
    p.state().WindowFacts.Title = "stale";
    return "PW";
  });
  p.icon().bShowTarvolo = true;
  p.desktop.AdvanceClock(167);  // this tick asks for the password
  EXPECT_EQ(fastTicksDuring, 0);
  EXPECT_EQ(p.state().WindowFacts.Title, "Notes");
  EXPECT_TRUE(p.SetupOpen());
  EXPECT_FALSE(p.icon().bShowTarvolo);

  const auto queries = p.desktop.ForegroundQueries();
  int loads = 0;
  p.setupForm().LoadEvent.Handle([&] { ++loads; });
  p.desktop.SetForeground(p.desktop.AddWindow({"Other", "Edit", 0, p.desktop.AddProcess({"C:\\x.exe"})}));
  p.ui->OnInputBox(nullptr);
  p.ui->AnswerInputBox("pw");
  p.icon().ShowSetupWindow();
  EXPECT_EQ(p.ui->InputBoxes().size(), 2u);
  EXPECT_EQ(loads, 0);
  EXPECT_EQ(p.desktop.ForegroundQueries(), queries);
  EXPECT_EQ(p.desktop.Foreground(), p.setupForm().hWnd());
}

// A save that cannot be written must not lose the user's changes silently,
// except while Windows ends the session, when no one may read a message.
TEST(FailedSave, IsReportedOnExitAndWhenTheSetupWindowClosesButNotAtLogOff) {
  Started p;
  p.desktop.FailWrites(sim::WriteFault::HalfWay, 100);
  p.Pick(0);
  p.ui->CloseBox(p.setupForm());
  ASSERT_EQ(p.ui->MsgBoxes().size(), 1u);
  EXPECT_NE(p.ui->MsgBoxes()[0].prompt.find("could not save its settings to " + p.SettingsPath()),
            std::string::npos);
  EXPECT_NE(p.ui->MsgBoxes()[0].prompt.find("try again"), std::string::npos);
  p.Pick(3);
  ASSERT_EQ(p.ui->MsgBoxes().size(), 2u);
  EXPECT_EQ(p.ui->MsgBoxes()[1].prompt.find("try again"), std::string::npos) << "there is no next time at Exit";
  EXPECT_NE(p.ui->MsgBoxes()[1].prompt.find("are not kept"), std::string::npos);
  EXPECT_NE(p.ui->MsgBoxes()[1].prompt.find("The disk is full."), std::string::npos) << "with its cause";

  Started q;
  q.desktop.FailWrites(sim::WriteFault::Replace, 100);
  q.ui->EndSession();
  EXPECT_TRUE(q.ui->MsgBoxes().empty());
  EXPECT_FALSE(q.program->Running());
  EXPECT_EQ(q.desktop.WriteAttempts(), 2) << "asked to save as the session ends, and again as the form goes";
}

// A version changed by hand is told where it is kept in the test of Exit
// during that notice.
TEST(SaveProblems, AReadOnlyFileIsToldOnceAndAVersionNotReadExactlyIsToldWhereItIsKept) {
  Started p;
  p.desktop.SetReadOnly(p.SettingsPath(), true);
  p.Pick(0);
  p.ui->CloseBox(p.setupForm());
  p.Pick(0);
  p.ui->CloseBox(p.setupForm());
  ASSERT_EQ(p.ui->MsgBoxes().size(), 1u);
  EXPECT_NE(p.ui->MsgBoxes()[0].prompt.find("read-only"), std::string::npos);
  p.Pick(3);
  EXPECT_EQ(p.ui->MsgBoxes().size(), 1u) << "told once a run";

  // A lone surrogate in a UTF-16 file.
  const std::string broken("\xFF\xFE[\0O\0]\0\r\0\n\0;\0\x00\xD8", 16);
  Started r(broken);
  r.Pick(3);
  ASSERT_EQ(r.ui->MsgBoxes().size(), 1u);
  EXPECT_NE(r.ui->MsgBoxes()[0].prompt.find("could not be read as they were"), std::string::npos);
  EXPECT_NE(r.ui->MsgBoxes()[0].prompt.find(r.SettingsPath() + ".bak"), std::string::npos);
  EXPECT_EQ(r.desktop.File(r.SettingsPath() + ".bak"), broken);
}

// Whatever takes the file's place while Tarvolo runs and cannot be read as
// settings is neither obeyed nor in the way: the next save keeps it aside
// under a new name, says where and why, and writes the settings.
TEST(SaveProblems, WhatCannotBeReadAsSettingsIsKeptAsideAndTheSettingsAreSaved) {
  const std::string garbage("\x8F\0\x13\xFF random\0", 10);
  const struct {
    const char* kind;
    std::function<void(sim::SimDesktop&, const std::string&)> replace;
    const char* told;
  } cases[] = {
      {"binary", [&](sim::SimDesktop& d, const std::string& path) { d.SetFile(path, garbage); }, "not contain plain"},
      {"huge", [](sim::SimDesktop& d, const std::string& path) { d.SetFile(path, std::string(9 << 20, 'x')); },
       "far too large"},
      {"folder", [](sim::SimDesktop& d, const std::string& path) { d.SetFolder(path); }, "renamed the folder"},
      {"empty", [](sim::SimDesktop& d, const std::string& path) { d.SetFile(path, ""); }, "changed by another"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kind);
    Started p;
    p.desktop.SetFile(p.SettingsPath() + ".bak", "an older backup");
    p.Pick(0);
    p.ui->CloseBox(p.setupForm());
    c.replace(p.desktop, p.SettingsPath());
    p.desktop.AdvanceClock(3000);
    EXPECT_TRUE(p.state().Settings.Item("Default")) << "nothing of it was taken";
    p.Pick(3);
    ASSERT_EQ(p.ui->MsgBoxes().size(), 1u);
    const std::string& told = p.ui->MsgBoxes()[0].prompt;
    EXPECT_NE(told.find(c.told), std::string::npos) << told;
    const std::string kept = p.SettingsPath() + ".2.bak";
    EXPECT_NE(told.find(kept), std::string::npos) << told;
    EXPECT_EQ(p.desktop.File(p.SettingsPath() + ".bak"), "an older backup");
    EXPECT_EQ(p.desktop.GetFileInfo(kept).value_or(platform::FileInfo{}).folder, std::string(c.kind) == "folder");
    if (std::string(c.kind) == "binary") {
      EXPECT_EQ(p.desktop.File(kept), garbage);
    }
    EXPECT_NE(p.desktop.File(p.SettingsPath()).value_or("").find("Name=Default"), std::string::npos);
  }

  Started d;
  d.desktop.FailWrites(sim::WriteFault::Denied, 100);
  d.Pick(3);
  ASSERT_EQ(d.ui->MsgBoxes().size(), 1u) << "only a file that truly cannot be written is told so";
  EXPECT_NE(d.ui->MsgBoxes()[0].prompt.find("refused Tarvolo access"), std::string::npos);
}

}  // namespace

// Chosen from the tray menu, the setup window shows the window the user was
// in, though no evaluation follows while that window keeps the front.
TEST(TrayMenu, ShowOpensTheMonitorPageOnTheWindowTheUserWasIn) {
  Started p;
  const auto window = p.desktop.AddWindow({"Notes", "Edit", 0, p.desktop.AddProcess({"C:\\Apps\\editor.exe"})});
  p.desktop.SetForeground(window);
  p.desktop.AdvanceClock(500);
  p.Pick(0);
  p.desktop.SetForeground(window);
  p.desktop.AdvanceClock(500);
  ASSERT_TRUE(p.SetupOpen());
  EXPECT_EQ(p.program->SetupWindow().lblAWTitle[1]->Caption(), "Notes");
  EXPECT_EQ(p.program->SetupWindow().lblAWOwnerEXE[1]->Caption(), "editor.exe");
}
