#pragma once
#include <string>

#include "platform/forms/event.h"
#include "platform/forms/form.h"
#include "platform/forms/ui.h"
#include "platform/os_tray.h"

// One icon in the notification area on behalf of a form: its picture and
// tool-tip, and the shell's mouse notifications turned into events. The
// shell's callback reaches a hidden picture box, "pichook", that the
// component adds to the source window.
class clsSysTray {
 public:
  clsSysTray(platform::OsTray& tray, forms::Ui& ui);
  clsSysTray(const clsSysTray&) = delete;
  clsSysTray& operator=(const clsSysTray&) = delete;

  void SetToolTip(const std::string& text) { ChangeToolTip(text); }
  const std::string& ToolTip() const { return toolTip_; }
  void SetIcon(const forms::Picture& picture) { ChangeIcon(picture); }
  platform::IconHandle Icon() const { return nid_.hIcon; }
  bool DefaultDblClk = true;
  void SetSourceWindow(forms::Form& form);
  forms::Form* SourceWindow() const { return sourceWindow_; }

  void RemoveFromSysTray();
  void IconInSysTray();
  void MinToSysTray();
  void ChangeIcon(const forms::Picture& toNewIcon);
  void ChangeToolTip(const std::string& cNewTip);
  // The notification area's own balloon at the icon, where the shell has
  // one (shell 5: Windows 2000 and Me on); false where not, or not shown.
  bool ShowBalloon(const std::string& title, const std::string& text);

  forms::Event<> LButtonDblClk;
  forms::Event<> LButtonDown;
  forms::Event<> LButtonUp;
  forms::Event<> RButtonDblClk;
  forms::Event<> RButtonDown;
  forms::Event<> RButtonUp;

  // The record as the shell last got it.
  const platform::NotifyIconData& Record() const { return nid_; }

 private:
  void CreateHook();
  void pichook_MouseMove(double x);
  void Dispatch(long code);

  platform::OsTray& tray_;
  forms::Ui& ui_;
  platform::NotifyIconData nid_;
  std::string toolTip_;
  forms::Form* sourceWindow_ = nullptr;
  forms::Control* pichook_ = nullptr;
  bool busy_ = false;
  // Whether the icon should be in the notification area, so that it comes
  // back when the shell starts again.
  bool shown_ = false;
  forms::Event<int, int, double, double>::Connection mouseMove_;
  forms::Event<>::Connection shellRestarted_;
};
