#include "tray/sys_tray.h"

#include <algorithm>
#include <cmath>

#include "platform/forms/form_error.h"

clsSysTray::clsSysTray(platform::OsTray& tray, forms::Ui& ui) : tray_(tray), ui_(ui) {
  nid_.cbSize = platform::kNotifyIconDataSize;
  nid_.uID = 1;
  nid_.uFlags = platform::kNifMessage | platform::kNifIcon | platform::kNifTip;
  nid_.uCallbackMessage = platform::kWmMouseMove;
  nid_.hIcon = 0;
  nid_.szTip.clear();
}

void clsSysTray::SetSourceWindow(forms::Form& form) {
  sourceWindow_ = &form;
  try {
    CreateHook();
  } catch (const forms::Error& error) {
    // Set a second time on the same form: the picture box made the first
    // time stays in use.
    if (error.Number() == forms::kErrControlExists) return;
    ui_.MsgBox("Run-time error '" + std::to_string(error.Number()) + "':\r\n\r\n" + error.what(), forms::kMbCritical,
               "Error");
    ui_.End();
  }
}

void clsSysTray::CreateHook() {
  forms::Control& hook = sourceWindow_->AddControl({.Name = "pichook", .Kind = forms::ControlKind::PictureBox});
  pichook_ = &hook;
  mouseMove_ = hook.MouseMove.Connect([this](int, int, double x, double) { pichook_MouseMove(x); });
  shellRestarted_ = sourceWindow_->ShellRestarted.Connect([this] {
    if (shown_) IconInSysTray();
  });
  hook.SetVisible(false);
  hook.SetPicture(sourceWindow_->Icon());
  nid_.hWnd = hook.hWnd();
}

void clsSysTray::RemoveFromSysTray() {
  nid_.cbSize = platform::kNotifyIconDataSize;
  nid_.hWnd = pichook_ ? pichook_->hWnd() : 0;
  nid_.uID = 1;
  tray_.Shell_NotifyIcon(platform::kNimDelete, nid_);
  shown_ = false;
}

void clsSysTray::IconInSysTray() {
  tray_.Shell_NotifyIcon(platform::kNimAdd, nid_);
  shown_ = true;
}

void clsSysTray::MinToSysTray() {
  IconInSysTray();
  if (sourceWindow_) sourceWindow_->Hide();
  ui_.SetTaskVisible(false);
}

void clsSysTray::ChangeIcon(const forms::Picture& toNewIcon) {
  if (pichook_) {
    pichook_->SetPicture(toNewIcon);
    nid_.hIcon = pichook_->GetPicture().Handle;
  } else {
    nid_.hIcon = toNewIcon.Handle;
  }
  tray_.Shell_NotifyIcon(platform::kNimModify, nid_);
}

void clsSysTray::ChangeToolTip(const std::string& cNewTip) {
  toolTip_ = cNewTip;
  nid_.szTip = cNewTip;
  tray_.Shell_NotifyIcon(platform::kNimModify, nid_);
  if (sourceWindow_ && sourceWindow_->GetWindowState() == forms::WindowState::Minimized)
    sourceWindow_->SetCaption(cNewTip);
}

bool clsSysTray::ShowBalloon(const std::string& title, const std::string& text) {
  if (!shown_) return false;
  platform::NotifyIconData balloon = nid_;
  balloon.cbSize = platform::kNotifyIconDataV2Size;
  balloon.uFlags = platform::kNifInfo;
  balloon.szInfo = text;
  balloon.szInfoTitle = title;
  balloon.uTimeout = 10000;  // the least the shell allows
  balloon.dwInfoFlags = platform::kNiifNone | platform::kNiifNoSound;
  return tray_.Shell_NotifyIcon(platform::kNimModify, balloon);
}

void clsSysTray::pichook_MouseMove(double x) {
  // The shell's mouse message arrives as the X coordinate in twips.
  const long code = std::lround(std::nearbyint(x / ui_.TwipsPerPixelX()));
  if (busy_) return;  // a handler of ours is still running: dropped, not queued
  busy_ = true;
  struct Done {
    bool& flag;
    ~Done() { flag = false; }
  } done{busy_};
  Dispatch(code);
}

void clsSysTray::Dispatch(long code) {
  switch (code) {
    case platform::kWmLButtonDown:
      LButtonDown.Raise();
      break;
    case platform::kWmLButtonUp:
      LButtonUp.Raise();
      break;
    case platform::kWmLButtonDblClk:
      if (DefaultDblClk && sourceWindow_) {
        sourceWindow_->SetWindowState(forms::WindowState::Normal);
        sourceWindow_->Show();
        ui_.SetTaskVisible(true);
        RemoveFromSysTray();
      }
      LButtonDblClk.Raise();
      break;
    case platform::kWmRButtonDown:
      RButtonDown.Raise();
      break;
    case platform::kWmRButtonUp:
      RButtonUp.Raise();
      break;
    case platform::kWmRButtonDblClk:
      RButtonDblClk.Raise();
      break;
    default:
      break;
  }
}
