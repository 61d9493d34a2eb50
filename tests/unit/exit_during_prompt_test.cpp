// "Exit" chosen from the tray menu while one of the program's boxes is up:
// the box's own code goes on after the program has ended, and must neither
// show anything more nor change a setting that can no longer be saved.
#include <gtest/gtest.h>

#include "resident_fixture.h"

namespace {

struct Running : ResidentProgram {
  explicit Running(const std::string& options = "") {
    desktop.SetFile(SettingsPath(), "[Options]\r\n" + options + "[Setting 0]\r\nName=Default\r\n[Setting 1]\r\n"
                                    "Name=Mail\r\nFilter_Title=Inbox\r\n");
    program->Start();
  }
  void Exit() { icon().mnuPopup_Click(3); }
  frmMain& main() { return program->SetupWindow(); }
  std::string Saved() { return desktop.File(SettingsPath()).value_or(""); }
  // The program has ended: no form left, both settings in the file.
  void ExpectEndedWithNothingLost() {
    EXPECT_FALSE(program->Running());
    EXPECT_FALSE(setupForm().Loaded());
    EXPECT_FALSE(program->OptionsDialog().Form().Loaded());
    EXPECT_EQ(desktop.RegisteredHotkeys(), 0u);
    EXPECT_NE(Saved().find("Name=Default"), std::string::npos);
    EXPECT_NE(Saved().find("Name=Mail"), std::string::npos);
  }
};

TEST(ExitDuringABox, TheDuplicateNameMessageEndsTheNamePromptInsteadOfAskingAgain) {
  Running p;
  p.icon().mnuPopup_Click(0);
  p.ui->AnswerInputBox("MAIL");
  p.ui->OnMsgBox([&](const sim::MsgBoxCall& box) {
    EXPECT_EQ(box.prompt, "That name is already being used.");
    p.Exit();
    return forms::kMbAnswerOk;
  });
  p.ui->Click(p.main().cmdNew);
  EXPECT_EQ(p.ui->InputBoxes().size(), 1u) << "no name prompt after the program ended";
  p.ExpectEndedWithNothingLost();
}

// Exit from the tray menu, or Windows ending the session, while a password
// prompt is up: the right password after it opens nothing.
TEST(ExitDuringABox, ThePasswordPromptOpensNoWindowOnceTheProgramHasEnded) {
  // Exit at the prompt of the menu and of the hot-key, and the session's end.
  for (const auto& [fromHotkey, sessionEnds] : {std::pair{false, false}, {true, false}, {false, true}}) {
    SCOPED_TRACE(::testing::Message() << fromHotkey << sessionEnds);
    Running p("Password=qx\r\n");
    p.ui->OnInputBox([&](const sim::InputBoxCall&) -> std::optional<std::string> {
      if (sessionEnds)
        p.ui->EndSession();
      else
        p.Exit();
      return "pw";
    });
    if (fromHotkey)
      p.icon().ShowSetupWindow();
    else
      p.icon().mnuPopup_Click(0);
    EXPECT_FALSE(p.setupForm().Loaded()) << "the right password came after the end";
    p.ExpectEndedWithNothingLost();
  }
}

TEST(ExitDuringABox, TheOptionsDialogAndItsPasswordWarningGoWithTheProgramAndChangeNothing) {
  Running p;
  p.icon().mnuPopup_Click(0);
  p.ui->OnModal([&](forms::Form&) {
    frmSettings& d = p.program->OptionsDialog();
    p.ui->OnMsgBox([&](const sim::MsgBoxCall&) {
      p.Exit();
      return forms::kMbAnswerOk;
    });
    int typed = 'x';
    d.txtPassword.UserKeyPress(typed);
    EXPECT_EQ(typed, 0);
    EXPECT_FALSE(d.Form().Loaded());
  });
  p.ui->Click(p.main().mOptions);
  EXPECT_EQ(p.state().AppOptions.AdminPassword, "");
  EXPECT_EQ(p.ui->MsgBoxes().size(), 1u);
  p.ExpectEndedWithNothingLost();
}

// Exit, or Windows ending the session, while the notice at the setup
// window's close is up: it is shown once and the end still saves.
TEST(ExitDuringABox, TheSaveNoticeAtTheSetupWindowsCloseIsShownOnceAndTheEndStillSaves) {
  for (bool sessionEnds : {false, true}) {
    SCOPED_TRACE(sessionEnds);
    Running p;
    p.icon().mnuPopup_Click(0);
    p.ui->AnswerInputBox("Editor");
    p.ui->Click(p.main().cmdNew);
    // Edited by hand while the window is open: its close keeps that version
    // aside and says so.
    p.desktop.SetFile(p.SettingsPath(), p.Saved() + "; by hand\r\n");
    p.ui->OnMsgBox([&](const sim::MsgBoxCall& box) {
      EXPECT_NE(box.prompt.find("changed by another program"), std::string::npos) << box.prompt;
      EXPECT_NE(box.prompt.find(p.SettingsPath() + ".bak"), std::string::npos) << box.prompt;
      if (sessionEnds)  // the window is half-way through its unload
        p.ui->EndSession();
      else
        p.Exit();
      return forms::kMbAnswerOk;
    });
    p.ui->Click(p.main().mHide);
    EXPECT_EQ(p.ui->MsgBoxes().size(), 1u) << "nothing more is shown";
    p.ExpectEndedWithNothingLost();
    EXPECT_NE(p.Saved().find("Name=Editor"), std::string::npos);
    EXPECT_NE(p.desktop.File(p.SettingsPath() + ".bak").value_or("").find("; by hand"), std::string::npos);
  }
}

// Windows ending the session while New asks for a name: the box closes,
// the settings are saved without a word, and the late name is not taken.
TEST(SessionEndsDuringABox, TheNamePromptClosesTheSettingsAreSavedAndTheProgramEnds) {
  Running r;
  r.icon().mnuPopup_Click(0);
  r.ui->OnInputBox([&](const sim::InputBoxCall&) -> std::optional<std::string> {
    r.ui->EndSession();
    return "Late";
  });
  r.ui->Click(r.main().cmdNew);
  r.ExpectEndedWithNothingLost();
  EXPECT_EQ(r.Saved().find("Name=Late"), std::string::npos) << "a name given after the end is not taken";
}

}  // namespace
