// The tray icon component: its record, the hidden callback window, the
// decoding of the shell's notifications and their events.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/forms/form.h"
#include "platform/forms/form_error.h"
#include "platform/sim/headless_ui.h"
#include "tray/sys_tray.h"

namespace {

class SysTrayTest : public ::testing::Test {
 protected:
  SysTrayTest() {
    form.Load();
    tray = std::make_unique<clsSysTray>(desktop, ui);
    for (auto [event, name] : {std::pair{&tray->LButtonDblClk, "LButtonDblClk"}, {&tray->LButtonDown, "LButtonDown"},
                               {&tray->LButtonUp, "LButtonUp"}, {&tray->RButtonDblClk, "RButtonDblClk"},
                               {&tray->RButtonDown, "RButtonDown"}, {&tray->RButtonUp, "RButtonUp"}})
      event->Handle([this, name] { events.push_back(name); });
  }
  // Shown in the notification area as frmIcon does it.
  std::string ShownTip() const { return desktop.TrayIcons().begin()->second.szTip; }

  void ShowIcon() {
    tray->SetSourceWindow(form);
    tray->ChangeIcon(ui.LoadResPicture("TRAYICON"));
    tray->SetToolTip("Tarvolo");
    tray->MinToSysTray();
  }

  sim::SimDesktop desktop;
  sim::HeadlessUi ui{desktop};
  forms::Form form{ui, {.Name = "frmIcon", .Caption = "Tarvolo"}};
  std::unique_ptr<clsSysTray> tray;
  std::vector<std::string> events;
};

TEST_F(SysTrayTest, AnyOtherErrorMakingThePictureBoxIsReportedAndEndsTheProgram) {
  ui.FailNextControl(7, "Out of memory");
  EXPECT_THROW(tray->SetSourceWindow(form), forms::ProgramEnded);
  ASSERT_EQ(ui.MsgBoxes().size(), 1u);
  EXPECT_EQ(ui.MsgBoxes()[0].prompt, "Run-time error '7':\r\n\r\nOut of memory");
  EXPECT_EQ(ui.MsgBoxes()[0].title, "Error");
  EXPECT_EQ(ui.MsgBoxes()[0].buttons, forms::kMbCritical);
  EXPECT_TRUE(ui.Ended());
}

TEST_F(SysTrayTest, TheShellKeeps63CharactersOfTheTipNeverHalfACharacter) {
  ShowIcon();
  const std::string tip(70, 'x');
  tray->SetToolTip(tip);
  EXPECT_EQ(tray->ToolTip(), tip);
  EXPECT_EQ(ShownTip(), std::string(63, 'x'));
  // An emoji is two UTF-16 units: at the limit it goes whole or not at all.
  tray->SetToolTip(std::string(62, 'x') + "\xF0\x9F\x98\x80");
  EXPECT_EQ(ShownTip(), std::string(62, 'x'));
  tray->SetToolTip("\xD0\x9E\xD1\x82\xD1\x87\xD1\x91\xD1\x82 \xCE\xA9");
  EXPECT_EQ(ShownTip(), "\xD0\x9E\xD1\x82\xD1\x87\xD1\x91\xD1\x82 \xCE\xA9");
}

// A second source window keeps the first picture box, silently.
TEST_F(SysTrayTest, EachMouseMessageRaisesItsOwnEventAndThoseDuringAHandlerAreLost) {
  ShowIcon();
  const auto first = tray->Record().hWnd;
  tray->SetSourceWindow(form);
  EXPECT_EQ(tray->Record().hWnd, first);
  EXPECT_TRUE(ui.MsgBoxes().empty());
  tray->DefaultDblClk = false;  // the double-click would take the icon away
  for (std::uint32_t code : {0x0201u, 0x0202u, 0x0203u, 0x0204u, 0x0205u, 0x0206u, 0x0200u, 0x0207u})
    desktop.MouseOnTrayIcon(code);
  EXPECT_EQ(events, (std::vector<std::string>{"LButtonDown", "LButtonUp", "LButtonDblClk", "RButtonDown",
                                              "RButtonUp", "RButtonDblClk"}));
  events.clear();
  tray->RButtonUp.Handle([this] {
    // A pop-up menu services events: the user clicks the icon meanwhile.
    desktop.MouseOnTrayIcon(platform::kWmLButtonDown);
    desktop.MouseOnTrayIcon(platform::kWmRButtonUp);
  });
  desktop.MouseOnTrayIcon(platform::kWmRButtonUp);
  desktop.MouseOnTrayIcon(platform::kWmLButtonUp);
  EXPECT_EQ(events, (std::vector<std::string>{"RButtonUp", "LButtonUp"}));
}

TEST_F(SysTrayTest, TheIconComesBackWhenTheShellStartsAgainUnlessRemovedOrReleased) {
  ShowIcon();
  desktop.RestartShell();
  ASSERT_EQ(desktop.TrayIcons().size(), 1u);
  EXPECT_EQ(ShownTip(), "Tarvolo");
  tray->RemoveFromSysTray();
  desktop.RestartShell();
  EXPECT_TRUE(desktop.TrayIcons().empty());

  ShowIcon();
  tray.reset();
  events.clear();
  desktop.MouseOnTrayIcon(platform::kWmRButtonUp);
  desktop.RestartShell();
  EXPECT_TRUE(events.empty());
  EXPECT_TRUE(desktop.TrayIcons().empty());
}

}  // namespace
