#include "platform/sim/headless_peers.h"

#include "platform/forms/form_error.h"
#include "platform/forms/layout.h"
#include "platform/sim/headless_messages.h"

namespace sim {

HeadlessFormPeer::HeadlessFormPeer(HeadlessUi& ui, forms::Form& form) : ui_(ui), form_(form) {
  hwnd_ = ui_.Desktop().AddWindow({form.Caption(), "ThunderRT6FormDC", 0, ui_.ProcessId()});
  ui_.Desktop().SetWindowHandler(hwnd_, [this](std::uint32_t msg, std::uintptr_t wParam, std::intptr_t) {
    OnMessage(msg, wParam);
  });
}

HeadlessFormPeer::~HeadlessFormPeer() { ui_.Desktop().RemoveWindow(hwnd_); }

void HeadlessFormPeer::OnMessage(std::uint32_t msg, std::uintptr_t wParam) {
  switch (msg) {
    case kWmClose:
      form_.Unload(forms::UnloadMode::FormControlMenu);
      break;
    case kWmQueryEndSession:
      form_.QueryEndSession.Raise();
      break;
    case kWmEndSession:
      if (wParam != 0) {
        ui_.SessionEnding();
        form_.Unload(forms::UnloadMode::AppWindows);
      }
      break;
    case kWmFormPosted:
      form_.PostArrived();
      break;
    case platform::kWmHotkey:
      form_.Hotkey.Raise();
      break;
    case SimDesktop::kTaskbarCreatedMessage:
      form_.ShellRestarted.Raise();
      break;
    default:
      break;
  }
}

std::unique_ptr<forms::ControlPeer> HeadlessFormPeer::CreateControlPeer(forms::Control& control) {
  if (auto failure = ui_.TakeFailure()) throw forms::Error(failure->first, failure->second);
  return std::make_unique<HeadlessControlPeer>(ui_, control, hwnd_);
}

void HeadlessFormPeer::Update(forms::FormProperty what) {
  SimDesktop& desktop = ui_.Desktop();
  switch (what) {
    case forms::FormProperty::Caption:
      desktop.SetWindowTitle(hwnd_, form_.Caption());
      break;
    case forms::FormProperty::Visible:
      // Showing a window activates it, as on Windows.
      if (form_.Visible()) {
        desktop.SetForeground(hwnd_);
        form_.UserActivated(true);
        RestoreFocus();
      } else {
        if (desktop.Foreground() == hwnd_) desktop.SetForeground(0);
        if (forms::Control* focused = form_.ActiveControl()) {
          savedFocus_ = focused;
          ui_.MoveFocus(nullptr);
        }
      }
      break;
    case forms::FormProperty::Focus:
      if (form_.Visible()) {
        desktop.SetForeground(hwnd_);
        form_.UserActivated(true);
      }
      break;
    default:
      break;
  }
}

forms::Control* HeadlessFormPeer::PopupMenu(forms::Control& menu, unsigned flags, forms::Control* defaultItem) {
  std::vector<forms::Control*> items;
  for (forms::Control* control : form_.Controls())
    if (control->Kind() == forms::ControlKind::MenuItem && control->Spec().Container == menu.Name() &&
        control->Visible())
      items.push_back(control);
  PopupMenuCall call{form_.Name(), {}, -1, flags};
  for (std::size_t i = 0; i < items.size(); ++i) {
    call.captions.push_back(items[i]->Caption());
    if (items[i] == defaultItem) call.defaultItem = static_cast<int>(i);
  }
  const int picked = ui_.AnswerPopup(call);
  if (picked < 0 || picked >= static_cast<int>(items.size())) return nullptr;
  forms::Control* item = items[static_cast<std::size_t>(picked)];
  if (item->Caption() == "-" || !item->Enabled()) return nullptr;
  return item;
}

// The focus comes back to where it was when the form was hidden, or goes to
// the first Tab stop, as the Windows backend does on activation.
void HeadlessFormPeer::RestoreFocus() {
  forms::Control* target = savedFocus_;
  savedFocus_ = nullptr;
  if (!target || !target->Enabled() || !forms::Shown(*target)) {
    const auto stops = forms::TabOrder(form_);
    target = stops.empty() ? nullptr : stops.front();
  }
  if (target) {
    target->SetFocus();
  } else {
    ui_.MoveFocus(nullptr);
    ui_.Desktop().SetFocusWindow(hwnd_);
  }
}

bool HeadlessFormPeer::Post() {
  ui_.Desktop().PostMessage(hwnd_, kWmFormPosted, 0, 0);
  return true;
}

void HeadlessFormPeer::SetModalOwner(forms::Form* owner) {
  ui_.Desktop().SetWindowOwner(hwnd_, owner ? owner->hWnd() : 0);
}

std::int32_t HeadlessFormPeer::TextWidth(const std::string& text) { return ui_.TextWidth(text, false); }

HeadlessControlPeer::HeadlessControlPeer(HeadlessUi& ui, forms::Control& control, platform::WindowHandle parent)
    : ui_(ui), control_(control) {
  SimDesktop& desktop = ui_.Desktop();
  if (forms::HasWindow(control.Kind())) hwnd_ = desktop.AddWindow({"", "Control", parent, ui_.ProcessId()});
  if (control.Kind() == forms::ControlKind::PictureBox) {
    desktop.SetWindowHandler(hwnd_, [this](std::uint32_t msg, std::uintptr_t, std::intptr_t lParam) {
      if (msg != platform::kWmMouseMove) return;
      const auto x = static_cast<std::uint16_t>(lParam & 0xFFFF);
      const auto y = static_cast<std::uint16_t>((lParam >> 16) & 0xFFFF);
      control_.UserMouse(control_.MouseMove, 0, 0, double(x) * ui_.TwipsPerPixelX(), double(y) * ui_.TwipsPerPixelY());
    });
  }
  if (control.Kind() == forms::ControlKind::Timer) SyncTimer();
}

HeadlessControlPeer::~HeadlessControlPeer() {
  ui_.Forget(control_);
  if (timer_ != 0) ui_.Desktop().StopTimer(timer_);
  if (hwnd_ != 0) ui_.Desktop().RemoveWindow(hwnd_);
}

void HeadlessControlPeer::Update(forms::Property what) {
  if (what == forms::Property::Timer) SyncTimer();
  if (what == forms::Property::Focus) TakeFocus();
  // A control hidden or disabled with the focus loses it, as on Windows.
  if (what == forms::Property::Visible || what == forms::Property::Enabled || what == forms::Property::Tab) {
    forms::Control* focused = ui_.FocusedControl();
    if (focused && &focused->Parent() == &control_.Parent() && (!focused->Enabled() || !forms::Shown(*focused))) {
      ui_.MoveFocus(nullptr);
      ui_.Desktop().SetFocusWindow(control_.Parent().hWnd());
    }
  }
}

void HeadlessControlPeer::TakeFocus() {
  if (hwnd_ == 0 || !control_.Enabled() || !forms::Shown(control_) || !control_.Parent().Visible()) return;
  ui_.MoveFocus(&control_);
}

std::int32_t HeadlessControlPeer::TextWidth(const std::string& text) {
  return ui_.TextWidth(text, control_.FontBold());
}

void HeadlessControlPeer::SyncTimer() {
  const bool run = control_.ShouldTick();
  if (timer_ != 0 && (!run || timerInterval_ != control_.Interval())) {
    ui_.Desktop().StopTimer(timer_);
    timer_ = 0;
  }
  if (run && timer_ == 0) {
    timerInterval_ = control_.Interval();
    timer_ = ui_.Desktop().StartTimer(timerInterval_, [this] { control_.TimerDue(); });
  }
}

}  // namespace sim
