// The Options dialog on the headless forms: opening and closing with OK and
// Cancel on working copies, the NT rule for the key mode, the password,
// starting with Windows, the tray's options, the layout's keyboard, and the
// hot-key capture tick by tick.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <set>

#include "options/start_with_windows.h"
#include "platform/forms/layout.h"
#include "resident_fixture.h"

namespace {

using sim::WindowsFamily;

// Started with the hot-keys Ctrl+Alt+T, U, R, L and the setup window open.
struct WithOptions : ResidentProgram {
  explicit WithOptions(WindowsFamily family = WindowsFamily::Win10) : ResidentProgram(family) {
    FileWithHotkeys();
    program->Start();
    icon().mnuPopup_Click(0);
  }
  frmSettings& dialog() { return program->OptionsDialog(); }
  // Opens the dialog from the setup window's menu; user runs while it is up.
  void Open(std::function<void(frmSettings&)> user) {
    ui->OnModal([this, user](forms::Form&) { user(dialog()); });
    ui->Click(program->SetupWindow().mOptions);
  }
  // The user holds these keys in the box for one capture tick.
  void Hold(forms::Control& box, std::initializer_list<int> keys) {
    ui->Focus(box);
    for (int vk : keys) desktop.SetKeyHeld(vk, true);
    dialog().tmrHotKey_Timer();
    for (int vk : keys) desktop.SetKeyHeld(vk, false);
  }
};

constexpr int kCtrl = 17, kAlt = 18, kShift = 16, kWin = 91;

TEST(OptionsDialog, OkWritesTheCopiesBackCancelKeepsEverythingAndTheHotkeysAreOffOnlyWhileItIsOpen) {
  WithOptions p;
  p.state().AppOptions.TellLockKeyChanges = true;
  int registeredWhileOpen = -1;
  p.Open([&](frmSettings& d) {
    registeredWhileOpen = static_cast<int>(p.desktop.RegisteredHotkeys());
    EXPECT_EQ(d.hotkeyBoxes[0]->Text(), "Ctrl + Alt + T");
    EXPECT_EQ(d.chkShowLockKeysInTray.Value(), 0);
    EXPECT_EQ(d.chkTellLockKeyChanges.Value(), 1);
    p.ui->PressAccessKey(d.Form(), 'l');
    p.ui->PressAccessKey(d.Form(), 't');
    p.ui->Click(d.chkAlwaysOnTop);
    p.ui->Type(d.txtPassword, "  secret  ");
    p.Hold(*d.hotkeyBoxes[0], {kCtrl, kShift, 123});  // Ctrl+Shift+F12
    EXPECT_EQ(d.hotkeyBoxes[0]->Text(), "Ctrl + Shift + F12");
    p.ui->Click(d.cmdOK);
  });
  EXPECT_EQ(registeredWhileOpen, 0);
  const AppOptionsRecord& o = p.state().AppOptions;
  EXPECT_TRUE(o.AlwaysOnTop && o.ShowLockKeysInTray);
  EXPECT_FALSE(o.TellLockKeyChanges);
  EXPECT_EQ(o.AdminPassword, "secret");
  EXPECT_EQ(o.HotkeyShow.sHotkey, "Ctrl + Shift + F12");
  EXPECT_EQ(o.HotkeyShow.lModifier, 6);
  EXPECT_EQ(o.HotkeyShow.lVKey, 123);
  EXPECT_EQ(p.desktop.RegisteredHotkeys(), 4u);
  EXPECT_TRUE(p.desktop.HotkeyRegistered(6, 123));
  EXPECT_FALSE(p.desktop.HotkeyRegistered(kCtrlAlt, 'T'));

  p.Open([&](frmSettings& d) {
    p.Hold(*d.hotkeyBoxes[1], {32});  // Space clears
    EXPECT_EQ(d.hotkeyBoxes[1]->Text(), "");
    p.ui->Type(d.txtPassword, "   ");
    EXPECT_EQ(d.chkShowLockKeysInTray.Value(), 1);
    p.ui->PressAccessKey(d.Form(), 't');
    p.ui->Click(d.cmdCancel);
  });
  EXPECT_EQ(o.HotkeyCapitalize.sHotkey, "Ctrl + Alt + U") << "Cancel changes nothing";
  EXPECT_FALSE(o.TellLockKeyChanges);
  EXPECT_EQ(o.AdminPassword, "secret");
  EXPECT_EQ(p.desktop.RegisteredHotkeys(), 4u) << "registered again however it closed";

  // Space or Delete empties a box: after OK nothing is registered for its
  // hot-key, neither the old combination nor any other.
  p.Open([&](frmSettings& d) {
    p.ui->Type(d.txtPassword, "   ");
    p.Hold(*d.hotkeyBoxes[1], {platform::kVkSpace});
    p.Hold(*d.hotkeyBoxes[2], {platform::kVkDelete});
    p.ui->Click(d.cmdOK);
  });
  EXPECT_EQ(o.AdminPassword, "") << "spaces only: no password";
  EXPECT_EQ(o.HotkeyCapitalize.sHotkey + o.HotkeyReverse.sHotkey, "");
  EXPECT_FALSE(o.HotkeyCapitalize.bActivated || o.HotkeyReverse.bActivated);
  EXPECT_EQ(p.desktop.RegisteredHotkeys(), 2u);
  EXPECT_TRUE(p.desktop.HotkeyRegistered(6, 123) && p.desktop.HotkeyRegistered(kCtrlAlt, 'L'));
}

TEST(OptionsDialog, TheKeyModeIsFixedOnTheNtFamilyAndChosenOnWindows9x) {
  WithOptions nt;
  nt.state().AppOptions.KeystrokeSimulation = false;
  nt.Open([&](frmSettings& d) {
    EXPECT_EQ(d.optKeyMode[0]->Value(), 1);
    EXPECT_FALSE(d.optKeyMode[0]->Enabled());
    EXPECT_FALSE(d.optKeyMode[1]->Enabled());
    nt.ui->Click(d.cmdOK);
  });
  EXPECT_FALSE(nt.state().AppOptions.KeystrokeSimulation) << "left as it was on the NT family";

  WithOptions nine(WindowsFamily::Win98);
  nine.state().AppOptions.KeystrokeSimulation = true;
  nine.Open([&](frmSettings& d) {
    EXPECT_EQ(d.optKeyMode[0]->Value(), 1);
    EXPECT_TRUE(d.optKeyMode[1]->Enabled());
    nine.ui->Click(*d.optKeyMode[1]);
    nine.ui->Click(d.cmdOK);
  });
  EXPECT_FALSE(nine.state().AppOptions.KeystrokeSimulation);
}

TEST(OptionsDialog, ThePasswordWarningComesOnceARunAndCancelDropsOnlyThatCharacter) {
  WithOptions p;
  p.ui->AnswerMsgBox(forms::kMbAnswerCancel);
  p.Open([&](frmSettings& d) {
    int first = 'a';
    d.txtPassword.UserKeyPress(first);
    EXPECT_EQ(first, 0);
    int second = 'b';
    d.txtPassword.UserKeyPress(second);
    EXPECT_EQ(second, 'b');
    int typed = 'x';
    d.hotkeyBoxes[2]->UserKeyPress(typed);
    EXPECT_EQ(typed, 0) << "typed characters never reach a hot-key box";
    p.ui->Click(d.cmdCancel);
  });
  p.Open([&](frmSettings& d) {
    int again = 'c';
    d.txtPassword.UserKeyPress(again);
    EXPECT_EQ(again, 'c');
    p.ui->Click(d.cmdCancel);
  });
  ASSERT_EQ(p.ui->MsgBoxes().size(), 1u);
  EXPECT_EQ(p.ui->MsgBoxes()[0].buttons, forms::kMbOkCancel | forms::kMbExclamation);
}

// What the dialog shows of the Run value when it opens, and what is there
// after the user leaves the box or ticks it (with its access key, Alt+S) and
// presses OK or Cancel.
TEST(OptionsDialog, StartWithWindowsShowsTheRunValueOfThisProgramAndOnlyOkChangesIt) {
  const std::string mine = "\"C:\\Program Files\\Tarvolo\\tarvolo.exe\"";
  const std::string other = "\"D:\\Old Tools\\tarvolo.exe\"";
  const std::string mineUnquoted = "c:\\PROGRAM FILES\\Tarvolo\\TARVOLO.EXE /tray";
  using Value = std::optional<std::string>;
  const struct {
    Value before;
    bool shown, tick, ok;
    Value after;
  } cases[] = {
      {std::nullopt, false, false, true, std::nullopt}, {std::nullopt, false, true, false, std::nullopt},
      {std::nullopt, false, true, true, mine},          {mine, true, false, true, mine},
      {mineUnquoted, true, true, false, mineUnquoted},  {mineUnquoted, true, true, true, std::nullopt},
      {other, false, false, true, other},               {other, false, true, false, other},
      {other, false, true, true, mine},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.before.value_or("(none)") + (c.tick ? " ticked" : "") + (c.ok ? " OK" : " Cancel"));
    WithOptions p;
    p.desktop.SetRegistryText(kRunKey, "Tarvolo", c.before);
    p.Open([&](frmSettings& d) {
      EXPECT_EQ(d.chkStartWithWindows.Value(), c.shown ? 1 : 0);
      if (c.tick) p.ui->PressAccessKey(d.Form(), 's');
      p.ui->Click(c.ok ? d.cmdOK : d.cmdCancel);
    });
    EXPECT_EQ(p.desktop.RegistryText(kRunKey, "Tarvolo"), c.after);
    EXPECT_EQ(p.desktop.RegistryChanges(), c.after == c.before ? 0 : 1) << "written only when asked";
  }
}

TEST(OptionsDialog, ARunValueWindowsRefusesIsToldAndTheOtherOptionsAreKept) {
  WithOptions p;
  p.desktop.RefuseRegistryChanges();
  p.Open([&](frmSettings& d) {
    p.ui->Click(d.chkStartWithWindows);
    p.ui->Click(d.chkAlwaysOnTop);
    p.ui->Click(d.cmdOK);
  });
  ASSERT_EQ(p.ui->MsgBoxes().size(), 1u);
  EXPECT_NE(p.ui->MsgBoxes()[0].prompt.find("could not set itself to start with Windows"), std::string::npos);
  EXPECT_EQ(p.desktop.RegistryText(kRunKey, "Tarvolo"), std::nullopt);
  EXPECT_TRUE(p.state().AppOptions.AlwaysOnTop);
  EXPECT_FALSE(p.dialog().Form().Loaded());
}

// Tab goes down the rows, left to right within one, no two controls share
// an access key, and none is reached from a hot-key box.
TEST(OptionsDialog, TabFollowsTheRowsAndAccessKeysAreUnique) {
  WithOptions p;
  p.Open([&](frmSettings& d) {
    const std::vector<forms::Control*> stops = forms::TabOrder(d.Form());
    for (std::size_t i = 1; i < stops.size(); ++i) {
      const forms::TwipsRect& a = stops[i - 1]->Rect();
      const forms::TwipsRect& b = stops[i]->Rect();
      EXPECT_TRUE(a.Top < b.Top || (a.Top == b.Top && a.Left < b.Left)) << stops[i]->Name();
    }
    std::multiset<char> keys;
    for (const forms::Control* c : d.Form().Controls()) {
      const std::string& text = c->Caption();
      for (std::size_t at = text.find('&'); at < text.size() - 1; at = text.find('&', at + 2))
        if (text[at + 1] != '&') keys.insert(static_cast<char>(std::tolower(text[at + 1])));
    }
    EXPECT_EQ(keys, (std::multiset<char>{'l', 's', 't'}));
    p.ui->Focus(*d.hotkeyBoxes[0]);
    p.ui->PressAccessKey(d.Form(), 's');
    EXPECT_EQ(d.chkStartWithWindows.Value(), 0) << "Alt+S held in a hot-key box is a combination there";
    p.ui->Click(d.cmdCancel);
  });
}

TEST(StartWithWindows, TheProgramOfARunCommandIsItsQuotedPathOrItsPathUpToExe) {
  EXPECT_EQ(ProgramOfCommand("\"C:\\A B\\t.exe\" /x"), "C:\\A B\\t.exe");
  EXPECT_EQ(ProgramOfCommand("  C:\\A B\\t.EXE /x"), "C:\\A B\\t.EXE");
  EXPECT_EQ(ProgramOfCommand("C:\\x.exed\\t.exe"), "C:\\x.exed\\t.exe");
  EXPECT_EQ(ProgramOfCommand("run.bat now"), "run.bat");
  EXPECT_EQ(ProgramOfCommand(""), "");
}

TEST(HotkeyCapture, ShowsWhatIsHeldAndStoresOnlyCompleteFreeNewCombinations) {
  WithOptions p;
  p.desktop.HoldHotkeyElsewhere(kCtrlAlt, 'Q');
  p.Open([&](frmSettings& d) {
    forms::Control& box = *d.hotkeyBoxes[3];
    const clsHotkey& copy = d.Copies[3];
    p.Hold(box, {kCtrl, kAlt});
    EXPECT_EQ(box.Text(), "Ctrl + Alt + ");
    EXPECT_EQ(box.ForeColor(), forms::Rgb(0, 0, 255)) << "incomplete";
    EXPECT_EQ(copy.sHotkey, "Ctrl + Alt + L");

    p.Hold(box, {kShift, 'A'});
    EXPECT_EQ(box.Text(), "Ctrl + Alt + L") << "Shift alone is never a hot-key";

    p.Hold(box, {kCtrl, kWin, kAlt, kShift, 116});
    EXPECT_EQ(box.Text(), "Ctrl + Win + Alt + Shift + F5");
    EXPECT_EQ(copy.lModifier, 15);

    p.Hold(box, {kCtrl, kAlt, 'Q'});
    EXPECT_EQ(box.ForeColor(), forms::Rgb(0, 0, 255)) << "held by another program";
    EXPECT_EQ(copy.lVKey, 116);

    p.Hold(box, {kCtrl, kAlt, 'U'});
    EXPECT_EQ(box.ForeColor(), forms::Rgb(0, 0, 255)) << "shown in another box";

    p.Hold(box, {kCtrl, kAlt, 101});  // keypad 5
    EXPECT_EQ(box.Text(), "Ctrl + Alt + 5");
    EXPECT_EQ(copy.lVKey, 101);
    const int checks = p.desktop.RegisterCalls();
    p.Hold(box, {kCtrl, kAlt, 101});
    EXPECT_EQ(p.desktop.RegisterCalls(), checks) << "the same combination again is tested once";

    p.ui->Focus(d.txtPassword);
    p.desktop.SetKeyHeld(kCtrl, true);
    p.desktop.SetKeyHeld('Z', true);
    d.tmrHotKey_Timer();
    EXPECT_EQ(box.Text(), "Ctrl + Alt + 5") << "no box has the focus: nothing changes";
    p.ui->Click(d.cmdOK);
  });
  EXPECT_TRUE(p.desktop.HotkeyRegistered(kCtrlAlt, 101));
}

// Our hot-keys are free while the dialog is open, and another program may
// take one of them then: at the close only that one stays inactive.
TEST(OptionsDialog, AHotkeyTakenElsewhereWhileItIsOpenIsTheOnlyOneLeftInactive) {
  for (bool ok : {false, true}) {
    SCOPED_TRACE(ok);
    WithOptions p;
    p.Open([&](frmSettings& d) {
      p.desktop.HoldHotkeyElsewhere(kCtrlAlt, 'R');
      p.ui->Click(ok ? d.cmdOK : d.cmdCancel);
    });
    const AppOptionsRecord& o = p.state().AppOptions;
    EXPECT_FALSE(o.HotkeyReverse.bActivated);
    EXPECT_FALSE(p.desktop.HotkeyRegistered(kCtrlAlt, 'R'));
    EXPECT_EQ(o.HotkeyReverse.sHotkey, "Ctrl + Alt + R") << "kept for when it is free again";
    for (const clsHotkey* other : {&o.HotkeyShow, &o.HotkeyCapitalize, &o.HotkeyLower}) {
      EXPECT_TRUE(other->bActivated) << other->sHotkey;
      EXPECT_TRUE(p.desktop.HotkeyRegistered(kCtrlAlt, static_cast<std::uint32_t>(other->lVKey)));
    }
    EXPECT_TRUE(p.desktop.PressHotkey(kCtrlAlt, 'U'));
  }
}

}  // namespace
