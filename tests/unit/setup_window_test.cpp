// The setup window on the headless forms: its size per page and DPI, the
// "Settings" page editing the shared settings in place, the "Monitor" page's
// fields, highlight, snapshot, key toggles and copy, and saving at unload.
#include <gtest/gtest.h>

#include "engine/matcher.h"
#include "resident_fixture.h"

namespace {

// Started with settings "Word" (title beginning "micro", Caps Lock
// Maintain OFF), "Default", and an application window in front.
struct WithSettings : ResidentProgram {
  explicit WithSettings(int dpi = 96) {
    if (dpi == 144) {
      ui->SetTwipsPerPixel(10, 10);
      desktop.SetMetricsForDpi(144);
    }
    desktop.SetFile(SettingsPath(),
                    "[Options]\r\n[Setting 0]\r\nName=Word\r\nFilter_Title=micro\r\nMatch_Title=0\r\n"
                    "Action_CapsLock=4\r\n[Setting 1]\r\nName=Default\r\n");
    desktop.SetForeground(app);
    program->Start();
    FastTick();
  }
  frmMain& main() { return program->SetupWindow(); }
  // Opened from the tray menu, then back to the application: the fields
  // show their design texts until the matcher next evaluates a window.
  void Open() {
    icon().mnuPopup_Click(0);
    ASSERT_TRUE(setupForm().Loaded());
    desktop.SetForeground(setupForm().hWnd());
    FastTick();
    desktop.SetForeground(app);
    FastTick();
  }
  std::vector<std::string> Chooser() {
    std::vector<std::string> names;
    for (int i = 0; i < main().cboSetting.ListCount(); ++i) names.push_back(main().cboSetting.List(i));
    return names;
  }
  std::uint32_t process = desktop.AddProcess({"C:\\Apps\\WINWORD.EXE"});
  platform::WindowHandle app = desktop.AddWindow({"Microsoft Word - Report", "OpusApp", 0, process});
};

// In a font wider than the one the window was laid out in (the fake measure
// is), every caption still fits and no two controls of a row overlap.
TEST(SetupFrame, SizesItselfToThePageShownShrinksAndKeepsItsModeAndEveryCaptionFitsAt96And144Dpi) {
  for (int dpi : {96, 144}) {
    SCOPED_TRACE(dpi);
    WithSettings p(dpi);
    const int px = dpi == 96 ? 15 : 10;
    p.Open();
    frmMain& m = p.main();
    const int chrome = 2 * m.FrameHeight + m.CaptionHeight + m.MenuHeight;
    EXPECT_EQ(m.FrameWidth, (dpi == 96 ? 4 : 6) * px);
    EXPECT_EQ(m.mstPage.Tab(), 0);
    EXPECT_EQ(m.mstPage.Rect().Height, 3735);
    EXPECT_EQ(p.setupForm().Rect().Height, 120 + chrome + 3735);
    EXPECT_EQ(p.setupForm().Rect().Width, 6015 + 2 * m.FrameWidth);
    EXPECT_EQ(m.mShrink.Caption(), "Shrink");
    std::vector<forms::Control*> shown;
    for (forms::Control* c : p.setupForm().Controls()) {
      using forms::ControlKind;
      const ControlKind k = c->Kind();
      if (k == ControlKind::Line || k == ControlKind::Menu || k == ControlKind::MenuItem ||
          k == ControlKind::Timer || k == ControlKind::TabControl || k == ControlKind::Shape ||
          k == ControlKind::Frame || c->Index() >= 0)
        continue;
      shown.push_back(c);
      // (A label in a frame grows only to the frame's edge: the key states'
      // texts, which this measure makes wider than any real font.)
      if ((k == ControlKind::Label || k == ControlKind::CheckBox) && !c->Caption().empty() &&
          c->Spec().Container.empty()) {
        EXPECT_LE(c->TextWidth(c->Caption()) + (k == ControlKind::CheckBox ? 300 : 2 * px), c->Rect().Width)
            << c->Name() << " \"" << c->Caption() << "\"";
      }
    }
    for (const forms::Control* a : shown)
      for (const forms::Control* b : shown) {
        if (a == b || a->Spec().TabPage != b->Spec().TabPage || a->Spec().Container != b->Spec().Container) continue;
        const forms::TwipsRect& ra = a->Rect();
        const forms::TwipsRect& rb = b->Rect();
        // (Rows of check boxes, and a heading and the labels under it, are
        // laid out a pixel or two into each other.)
        const int slack = 3 * px;
        const bool rows = ra.Top + slack < rb.Top + rb.Height && rb.Top + slack < ra.Top + ra.Height;
        const bool columns = ra.Left + slack < rb.Left + rb.Width && rb.Left + slack < ra.Left + ra.Width;
        EXPECT_FALSE(rows && columns) << a->Name() << " overlaps " << b->Name();
      }

    m.mstPage.UserTab(1);
    EXPECT_EQ(m.mstPage.Rect().Height, 4608);
    EXPECT_EQ(p.setupForm().Rect().Height, 120 + chrome + 4608);
    EXPECT_EQ(m.SizeMode, 2);

    p.ui->Click(m.mShrink);
    EXPECT_EQ(m.mShrink.Caption(), "Enlarge");
    EXPECT_EQ(p.setupForm().Rect().Height, chrome);
    EXPECT_EQ(p.setupForm().Rect().Width, 6015 + 2 * m.FrameWidth) << "the width never changes";
    p.ui->CloseBox(p.setupForm());
    p.Open();
    EXPECT_EQ(m.mShrink.Caption(), "Enlarge") << "reopens shrunk";
    p.ui->Click(m.mShrink);
    EXPECT_EQ(m.mstPage.Tab(), 0) << "a fresh window starts on the Monitor page";
    EXPECT_EQ(p.setupForm().Rect().Height, 120 + chrome + 3735);
  }
}

TEST(SetupFrame, CaptionsTooWideForTheirPlaceGrowAndTheColumnBesideThemMakesRoom) {
  WithSettings p;
  p.Open();
  frmMain& m = p.main();
  forms::Form& f = p.setupForm();
  // 7 pixels a character in bold, 6 otherwise, on the headless forms.
  EXPECT_EQ(f["lbMatch"].Rect().Width, 25 * 7 * 15 + 2 * 15);
  EXPECT_EQ(f.Item("linMonitor", 0).Rect().Left, 120 + 25 * 7 * 15 + 2 * 15 + 60) << "the line starts after it";
  EXPECT_EQ(f.Item("linMonitor", 0).Rect().Left + f.Item("linMonitor", 0).Rect().Width, 5775);
  EXPECT_EQ(m.chkOwnerTitle.Rect().Width, 11 * 6 * 15 + 20 * 15) << "its box, the gap and the text";
  const forms::TwipsRect designed = m.txtFilter_Owner.Spec().Rect;
  EXPECT_EQ(m.txtFilter_Owner.Rect().Left, 240 + m.chkOwnerTitle.Rect().Width + 60) << "the text box makes room";
  EXPECT_EQ(m.txtFilter_Owner.Rect().Left + m.txtFilter_Owner.Rect().Width, designed.Left + designed.Width);
  for (const forms::Control* box : {&m.txtFilter_Title, &m.txtFilter_EXE, &f["lblFilterText"]})
    EXPECT_EQ(box->Rect().Left, m.txtFilter_Owner.Rect().Left) << "its column moves with it: " << box->Name();
  EXPECT_EQ(f["lblCapsLock"].Rect().Width, 1092) << "what fits stays as it is";
}

TEST(SetupFrame, EveryWayOfClosingSavesAndExitEndsTheProgram) {
  WithSettings p;
  p.Open();
  const int writes = p.desktop.WriteAttempts();
  p.ui->Click(p.main().mHide);
  EXPECT_FALSE(p.setupForm().Loaded());
  EXPECT_FALSE(p.state().MainWindowOpen);
  EXPECT_EQ(p.desktop.WriteAttempts(), writes + 1);
  p.Open();
  p.state().AppOptions.AlwaysOnTop = true;
  p.setupForm().UserActivated(true);
  ASSERT_FALSE(p.desktop.SetWindowPosCalls().empty());
  EXPECT_EQ(p.desktop.SetWindowPosCalls().back().hwnd, p.setupForm().hWnd());
  EXPECT_EQ(p.desktop.SetWindowPosCalls().back().insertAfter, platform::kHwndTopmost) << "topmost at activation";
  p.ui->Click(p.main().mExit);
  EXPECT_FALSE(p.program->Running());
  EXPECT_TRUE(p.ui->MsgBoxes().empty());
}

TEST(SettingsPage, ListsSettingsProtectsDefaultAndEditsTheSharedSettingInPlace) {
  WithSettings p;
  p.Open();
  frmMain& m = p.main();
  EXPECT_EQ(p.Chooser(), (std::vector<std::string>{"Word", "Default"}));
  EXPECT_EQ(m.txtFilter_Title.Text(), "micro");
  EXPECT_EQ(m.chkTitle.Value(), 1);
  EXPECT_EQ(m.cboAction_CapsLock.Text(), "Maintain OFF");
  p.ui->Select(m.cboSetting, 1);
  for (forms::Control* c : {&m.cmdRename, &m.cmdDelete, &m.chkTitle, &m.txtFilter_Title, &m.cboMatch_EXE})
    EXPECT_FALSE(c->Enabled()) << c->Name();
  EXPECT_TRUE(m.cboAction_NumLock.Enabled());

  // New: a name in use in any letter case is refused, then a free one taken.
  p.ui->AnswerInputBox("default");
  p.ui->AnswerInputBox("Notes");
  p.ui->Click(m.cmdNew);
  ASSERT_EQ(p.ui->MsgBoxes().size(), 1u);
  EXPECT_EQ(p.ui->MsgBoxes()[0].prompt, "That name is already being used.");
  EXPECT_EQ(p.Chooser(), (std::vector<std::string>{"Word", "Default", "Notes"}));
  EXPECT_EQ(m.cboSetting.Text(), "Notes");
  EXPECT_TRUE(m.txtFilter_Title.Enabled());
  EXPECT_EQ(m.cboMatch_Title.Text(), "Beginning");
  EXPECT_EQ(m.cboAction_CapsLock.Text(), "Ignore");

  // Typing a filter puts it in force at once; the matcher sees it at its
  // next evaluation, with no file written.
  const int writes = p.desktop.WriteAttempts();
  p.ui->Type(m.txtFilter_Title, "Untitled - Note");
  p.ui->Select(m.cboAction_ScrollLock, ActionMaintainOn);
  EXPECT_EQ(m.chkTitle.Value(), 0) << "the box shows set only when the setting is shown again";
  p.desktop.SetForeground(p.desktop.AddWindow({"Untitled - Notepad", "Notepad", 0, p.process}));
  p.FastTick();
  EXPECT_EQ(p.state().CurrentSetting()->Name, "Notes");
  EXPECT_TRUE(p.desktop.Toggled(platform::kVkScroll));
  EXPECT_EQ(p.desktop.WriteAttempts(), writes);
  p.ui->Click(m.chkTitle);
  p.ui->Click(m.chkTitle);  // cleared: the filter goes, the text stays
  EXPECT_EQ(p.state().Settings.Item("Notes")->Filter_Title, "");
  EXPECT_EQ(m.txtFilter_Title.Text(), "Untitled - Note");
  p.ui->Click(m.chkTitle);
  EXPECT_EQ(p.state().Settings.Item("Notes")->Filter_Title, "Untitled - Note");

  // Rename keeps the place; Delete shows the first setting.
  p.ui->AnswerInputBox("Notes");  // its own name: refused
  p.ui->AnswerInputBox("Editor");
  p.ui->Click(m.cmdRename);
  EXPECT_EQ(p.ui->MsgBoxes().size(), 2u);
  EXPECT_EQ(p.Chooser(), (std::vector<std::string>{"Word", "Default", "Editor"}));
  EXPECT_EQ(p.state().Settings.Item(3)->Name, "Editor");
  p.ui->Click(m.cmdDelete);
  EXPECT_EQ(p.Chooser(), (std::vector<std::string>{"Word", "Default"}));
  EXPECT_EQ(m.cboSetting.Text(), "Word");
  EXPECT_EQ(m.txtFilter_Title.Text(), "micro");
  p.ui->Type(m.txtFilter_Title, "Microsoft");  // edits the setting shown, and only that
  EXPECT_EQ(p.state().Settings.Item("Word")->Filter_Title, "Microsoft");
  EXPECT_EQ(p.state().Settings.Item("Default")->Filter_Title, "");
  p.ui->Click(m.cmdNew);  // cancelled: nothing changes
  EXPECT_EQ(p.state().Settings.Count(), 2);
}

TEST(MonitorPage, ShowsTheMatchedPartInGreenAndShortensWhatDoesNotFit) {
  WithSettings p;
  p.Open();
  frmMain& m = p.main();
  forms::Control& text = *m.lblAWTitle[1];
  forms::Control& green = *m.lblAWTitle[2];
  EXPECT_EQ(m.lblSettingMatch.Caption(), "Word");
  EXPECT_EQ(text.Caption(), "Microsoft Word - Report");
  EXPECT_TRUE(green.Visible());
  EXPECT_EQ(green.Caption(), "Micro");
  EXPECT_EQ(green.Rect().Left, text.Rect().Left);
  EXPECT_EQ(green.Rect().Width, text.TextWidth("Micro"));
  EXPECT_FALSE(m.cmdNewSnapshot.Enabled());
  EXPECT_TRUE(m.cmdEdit.Enabled());
  EXPECT_EQ(m.lblAWTitle[0]->Rect().Left, text.Rect().Left - 15) << "the box frames the text by a pixel";

  m.ShowMatchedText("Microsoft Word", "word", MatchEnding, WindowFact::Title);
  EXPECT_EQ(green.Caption(), "Word");
  EXPECT_EQ(green.Rect().Left + green.Rect().Width, text.Rect().Left + text.TextWidth("Microsoft Word"));

  const std::string longTitle(80, 'x');
  m.ShowMatchedText(longTitle, longTitle, MatchExact, WindowFact::Title);
  EXPECT_TRUE(text.Caption().ends_with("...")) << text.Caption();
  EXPECT_TRUE(green.Caption().starts_with("...")) << green.Caption();
  EXPECT_LE(text.TextWidth(text.Caption()), text.Rect().Width);
  m.ShowMatchedText("Word", "Microsoft Word", MatchBeginning, WindowFact::Title);
  EXPECT_FALSE(green.Visible()) << "a filter longer than the text never highlights";

  // The green part is the title's own text, however long its letters are in
  // bytes, and a shortened title is cut between characters.
  m.ShowMatchedText("ıstanbul Отчёт", "IST", MatchBeginning, WindowFact::Title);
  EXPECT_EQ(green.Caption(), "ıst");
  m.ShowMatchedText("Отчёт 2026 ΣΊΣΥΦΟΣ", "σίσυφος", MatchEnding, WindowFact::Title);
  EXPECT_EQ(green.Caption(), "ΣΊΣΥΦΟΣ");
  EXPECT_EQ(green.Rect().Left + green.Rect().Width, text.Rect().Left + text.TextWidth("Отчёт 2026 ΣΊΣΥΦΟΣ"));
  std::string longCyrillic;
  for (int i = 0; i < 40; ++i) longCyrillic += "Жё";
  m.ShowMatchedText(longCyrillic, "жЁ", MatchBeginning, WindowFact::Title);
  EXPECT_TRUE(text.Caption().ends_with("...")) << text.Caption();
  EXPECT_EQ(text.Caption().size() % 2, 1u) << "whole two-byte letters and three dots";
}

TEST(MonitorPage, SnapshotEditToggleAndCopy) {
  WithSettings p;
  p.Open();
  frmMain& m = p.main();
  // Double-click toggles a key unless the setting in force maintains it.
  p.desktop.SetToggled(platform::kVkNumLock, false);
  p.ui->DoubleClick(m.fraNumLock);
  EXPECT_TRUE(p.desktop.Toggled(platform::kVkNumLock));
  p.ui->DoubleClick(m.lblCapsLockStat);
  EXPECT_EQ(p.desktop.Beeps().size(), 1u);
  p.state().LastActiveWindow = 0;
  p.FastTick();
  // Each lamp and label shows its own key: in the two states below every
  // pair of keys differs once.
  const auto shows = [&m](const char* caps, const char* num, const char* scroll) {
    m.UpdateKeyStat();
    const std::pair<forms::Control*, forms::Control*> keys[] = {{&m.lblCapsLockStat, &m.shpCapsLockStat},
                                                               {&m.lblNumLockStat, &m.shpNumLockStat},
                                                               {&m.lblScrollLockStat, &m.shpScrollLockStat}};
    std::string seen;
    for (const auto& [label, lamp] : keys)
      seen += label->Caption() + (lamp->FillColor() == forms::Rgb(0, 255, 0) ? " (green), " : ", ");
    EXPECT_EQ(seen, std::string(caps) + ", " + num + ", " + scroll + ", ");
  };
  p.desktop.SetToggled(platform::kVkCapital, true);
  p.desktop.SetToggled(platform::kVkScroll, false);
  shows("Caps Lock ON (green)", "Num Lock ON (green)", "Scroll Lock off");
  p.desktop.SetToggled(platform::kVkCapital, false);
  p.desktop.SetToggled(platform::kVkScroll, true);
  shows("Caps Lock off", "Num Lock ON (green)", "Scroll Lock ON (green)");

  // Copy takes the full title, whatever the field shows.
  p.ui->AnswerPopupMenu(1);
  p.ui->MouseUp(*m.lblAWTitle[1], 2);
  EXPECT_EQ(p.desktop.ClipboardData().at(platform::kCfUnicodeText), "Microsoft Word - Report");

  // Edit jumps to the setting in force on the Settings page.
  p.ui->Click(m.cmdEdit);
  EXPECT_EQ(m.mstPage.Tab(), 1);
  EXPECT_EQ(m.cboSetting.Text(), "Word");

  // A window no setting matches can be captured as it is shown.
  const auto other = p.desktop.AddWindow({"Calculator", "Calc", 0, p.desktop.AddProcess({"C:\\Windows\\calc.exe"})});
  p.desktop.SetForeground(other);
  p.FastTick();
  EXPECT_TRUE(m.cmdNewSnapshot.Enabled());
  p.ui->AnswerInputBox("Calc");
  p.ui->Click(m.cmdNewSnapshot);
  const clsSettings::Ref calc = p.state().Settings.Item("Calc");
  ASSERT_TRUE(calc);
  EXPECT_EQ(calc->Filter_Title, "Calculator");
  EXPECT_EQ(calc->Filter_EXE, "calc.exe");
  EXPECT_EQ(calc->Match_EXE, MatchExact);
  EXPECT_EQ(m.cboSetting.Text(), "Calc");
  EXPECT_EQ(m.mstPage.Tab(), 1);
}

// F1 and "Contents": WinHelp with Tarvolo.hlp; without it the HTML page
// beside it at the topic's anchor (WinHelp would only complain of the
// missing file); neither, or no browser, a message naming the page and why.
TEST(SetupWindow, HelpShowsTheControlsTopicFromWhateverFileThereIsOrSaysWhyNot) {
  WithSettings p;
  const std::string page = "C:\\Program Files\\Tarvolo\\Tarvolo.html";
  p.desktop.SetFolder(page);  // a folder of that name is no page
  p.Open();
  frmMain& m = p.main();
  p.ui->Help(p.setupForm(), &m.cboSetting);
  ASSERT_EQ(p.ui->MsgBoxes().size(), 1u);
  EXPECT_EQ(p.ui->MsgBoxes().back().prompt, "The help cannot be shown: " + page + " was not found.");
  EXPECT_TRUE(p.desktop.HtmlPageCalls().empty());

  p.desktop.RemoveFile(page);
  p.desktop.SetFile(page, "<html></html>");
  p.ui->Help(p.setupForm(), &m.txtFilter_Title);
  ASSERT_EQ(p.desktop.HtmlPageCalls().size(), 1u);
  EXPECT_EQ(p.desktop.HtmlPageCalls().back().path, page);
  EXPECT_EQ(p.desktop.HtmlPageCalls().back().anchor, "topic120");
  EXPECT_EQ(p.desktop.HtmlPageCalls().back().hwnd, p.setupForm().hWnd());
  p.ui->Click(m.mContents);
  ASSERT_EQ(p.desktop.HtmlPageCalls().size(), 2u);
  EXPECT_EQ(p.desktop.HtmlPageCalls().back().anchor, "contents");
  EXPECT_TRUE(p.desktop.WinHelpCalls().empty());
  EXPECT_EQ(p.ui->MsgBoxes().size(), 1u);
  p.desktop.SetBrowser(false);
  p.ui->Click(m.mContents);
  ASSERT_EQ(p.ui->MsgBoxes().size(), 2u);
  EXPECT_NE(p.ui->MsgBoxes().back().prompt.find(page + " could not be opened"), std::string::npos)
      << p.ui->MsgBoxes().back().prompt;

  const std::size_t pages = p.desktop.HtmlPageCalls().size();
  p.desktop.SetFile(p.ui->HelpFile(), "?_");
  p.ui->Click(m.mContents);
  ASSERT_EQ(p.desktop.WinHelpCalls().size(), 1u);
  EXPECT_EQ(p.desktop.WinHelpCalls().back().command, platform::kHelpContents);
  EXPECT_EQ(p.desktop.HtmlPageCalls().size(), pages);
  p.ui->Help(p.setupForm(), &m.cboAction_CapsLock);
  EXPECT_EQ(p.desktop.WinHelpCalls().back().command, platform::kHelpContext);
  EXPECT_EQ(p.desktop.WinHelpCalls().back().data, 140u);
  p.ui->Help(p.setupForm(), &m.lblSettingMatch);
  EXPECT_EQ(p.desktop.WinHelpCalls().back().data, 75u);
}

// "Exit" from the tray while New asks for a name: the program ends, having
// saved, and the late answer adds nothing that would go unsaved.
TEST(SetupWindow, ExitDuringANamePromptLosesNothing) {
  WithSettings p;
  p.Open();
  p.ui->OnInputBox([&](const sim::InputBoxCall&) -> std::optional<std::string> {
    p.icon().mnuPopup_Click(3);
    return "Late";
  });
  p.ui->Click(p.main().cmdNew);
  EXPECT_FALSE(p.program->Running());
  EXPECT_FALSE(p.state().Settings.Item("Late"));
  EXPECT_EQ(p.desktop.File(p.SettingsPath())->find("Late"), std::string::npos);
}

// Whatever the user types as a name at New or Rename is the name, in the
// chooser, in the file and at the next start.
TEST(SettingsPage, NamesOfAnyCharactersAreKeptSavedAndReadBackAsTyped) {
  const std::vector<std::string> names = {"   ",          " lead and trail ", "a=b",  "; not a comment",
                                          "[Setting 9]",  "\"quoted\"",      "\"",    "x]y[z",
                                          "Café Ä",       "日本語メモ",      "Отчёт 😀", std::string(300, 'n')};
  WithSettings p;
  p.Open();
  frmMain& m = p.main();
  for (const std::string& name : names) {
    p.ui->AnswerInputBox(name);
    p.ui->Click(m.cmdNew);
    EXPECT_EQ(m.cboSetting.Text(), name);
  }
  // Rename to one of them in another case, of any script, is refused; to a
  // new odd one kept.
  p.ui->AnswerInputBox("ОТЧЁТ 😀");
  p.ui->AnswerInputBox("A=B");
  p.ui->AnswerInputBox("  = ; [ ] \"  ");
  p.ui->Click(m.cmdRename);
  EXPECT_EQ(m.cboSetting.Text(), "  = ; [ ] \"  ");
  std::vector<std::string> expected = {"Word", "Default"};
  expected.insert(expected.end(), names.begin(), names.end());
  expected.back() = "  = ; [ ] \"  ";
  EXPECT_EQ(p.Chooser(), expected);
  p.ui->CloseBox(p.setupForm());
  p.icon().mnuPopup_Click(3);
  ASSERT_FALSE(p.program->Running());

  p.program = std::make_unique<TarvoloProgram>(p.desktop, *p.ui);
  p.program->Start();
  std::vector<std::string> loaded;
  for (const clsSettings::Ref& setting : p.state().Settings) loaded.push_back(setting->Name);
  EXPECT_EQ(loaded, expected);
}

}  // namespace
