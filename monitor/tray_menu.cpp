#include "engine/matcher.h"
#include "monitor/frm_icon.h"
#include "monitor/frm_icon_form.h"
#include "store/text.h"

void frmIcon::gSysTray_RButtonUP() {
  // Our window in the foreground makes the menu close when the user clicks
  // elsewhere.
  engine_.os.SetForegroundWindow(form_.hWnd());
  forms::Control* defaultItem = mnuPopup[engine_.MainWindowOpen ? kMenuHide : kMenuShow];
  form_.PopupMenu(mPopup, forms::kPopupRightButton, defaultItem);
}

void frmIcon::mnuPopup_Click(std::int16_t index) {
  switch (index) {
    case kMenuShow:
      if (CheckPassword()) frmMain_.Show();
      break;
    case kMenuHide:
      frmMain_.Unload();
      break;
    case kMenuExit:
      frmMain_.Unload();
      if (frmSettings) frmSettings->Unload();
      form_.Unload();
      break;
    default:
      break;
  }
}

void frmIcon::gSysTray_LButtonDblClk() {
  if (CheckPassword()) frmMain_.Show();
}

bool frmIcon::CheckPassword() {
  const std::string password = store_.AppOptions.AdminPassword;
  if (password.empty()) return true;
  const std::string entry = ui_.InputBox("Enter Password", ui_.AppTitle(), "");
  // "Exit" chosen from the tray while the box was up: the program has ended,
  // and a setup window opened now would outlive it.
  if (!form_.Loaded()) return false;
  return UpperCase(entry) == UpperCase(password);
}

void frmIcon::ShowSetupWindow() {
  bShowTarvolo = false;
  if (!CheckPassword()) return;
  if (!engine_.MainWindowOpen) {
    // Evaluated afresh, so that the setup window's panel shows the window
    // the user was in.
    engine_.LastActiveWindow = -1;
    engine_.MainWindowOpen = true;
    EvaluateActiveWindow(engine_);
    frmMain_.Show();
  }
  frmMain_.SetFocus();
}
