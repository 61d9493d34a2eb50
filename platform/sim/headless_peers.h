#pragma once
#include <memory>

#include "platform/forms/form.h"
#include "platform/sim/headless_ui.h"

namespace sim {

// A loaded form on the simulated desktop: a window of the program's own
// process, titled with the form's caption.
class HeadlessFormPeer : public forms::FormPeer {
 public:
  HeadlessFormPeer(HeadlessUi& ui, forms::Form& form);
  ~HeadlessFormPeer() override;
  std::unique_ptr<forms::ControlPeer> CreateControlPeer(forms::Control& control) override;
  void Update(forms::FormProperty what) override;
  platform::WindowHandle hWnd() const override { return hwnd_; }
  forms::Control* PopupMenu(forms::Control& menu, unsigned flags, forms::Control* defaultItem) override;
  std::int32_t TextWidth(const std::string& text) override;
  void SetModalOwner(forms::Form* owner) override;
  bool Post() override;

 private:
  void OnMessage(std::uint32_t msg, std::uintptr_t wParam);
  void RestoreFocus();
  HeadlessUi& ui_;
  forms::Form& form_;
  platform::WindowHandle hwnd_;
  forms::Control* savedFocus_ = nullptr;
};

// A control: those that are windows on Windows have a window of their own
// (the tray icon's callback reaches a picture box's, the focus rests on
// them); timers run on the desktop's clock.
class HeadlessControlPeer : public forms::ControlPeer {
 public:
  HeadlessControlPeer(HeadlessUi& ui, forms::Control& control, platform::WindowHandle parent);
  ~HeadlessControlPeer() override;
  void Update(forms::Property what) override;
  platform::WindowHandle hWnd() const override { return hwnd_; }
  std::int32_t TextWidth(const std::string& text) override;

 private:
  void SyncTimer();
  void TakeFocus();
  HeadlessUi& ui_;
  forms::Control& control_;
  platform::WindowHandle hwnd_ = 0;
  int timer_ = 0;
  std::uint32_t timerInterval_ = 0;
};

}  // namespace sim
