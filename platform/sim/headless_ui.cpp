#include "platform/sim/headless_ui.h"

#include "platform/text/utf8.h"

#include <stdexcept>

#include "platform/forms/form_error.h"
#include "platform/sim/headless_messages.h"
#include "platform/sim/headless_peers.h"

namespace sim {

HeadlessUi::HeadlessUi(SimDesktop& desktop, std::string title) : desktop_(desktop), title_(std::move(title)) {
  processId_ = desktop_.AddProcess({desktop_.ProgramFolder() + "\\tarvolo.exe"});
  desktop_.SetProgramProcess(processId_);
}

void HeadlessUi::CloseBox(forms::Form& form) { desktop_.SendMessage(form.hWnd(), kWmClose, 0, 0); }

void HeadlessUi::EndSession() {
  for (forms::Form* form : LoadedForms()) desktop_.SendMessage(form->hWnd(), kWmQueryEndSession, 0, 0);
  for (forms::Form* form : LoadedForms()) desktop_.SendMessage(form->hWnd(), kWmEndSession, 1, 0);
}

forms::Form* HeadlessUi::FindLoadedForm(const std::string& name) const {
  for (forms::Form* form : loaded_)
    if (form->Name() == name) return form;
  return nullptr;
}

std::unique_ptr<forms::FormPeer> HeadlessUi::CreateFormPeer(forms::Form& form) {
  return std::make_unique<HeadlessFormPeer>(*this, form);
}

int HeadlessUi::MsgBox(const std::string& prompt, int buttons, const std::string& title) {
  // Closed, a box answers as its Cancel or, without one, its only button.
  const int closed = (buttons & 0xF) == forms::kMbOkCancel ? forms::kMbAnswerCancel : forms::kMbAnswerOk;
  if (sessionEnding_) return closed;
  msgBoxes_.push_back({prompt, buttons, title});
  if (onMsgBox_) {
    const int answer = onMsgBox_(msgBoxes_.back());
    return sessionEnding_ ? closed : answer;
  }
  if (msgBoxAnswers_.empty()) return forms::kMbAnswerOk;
  const int answer = msgBoxAnswers_.front();
  msgBoxAnswers_.pop_front();
  return answer;
}

std::string HeadlessUi::InputBox(const std::string& prompt, const std::string& title, const std::string& defaultText) {
  if (sessionEnding_) return std::string();
  inputBoxes_.push_back({prompt, title, defaultText});
  std::optional<std::string> answer;
  if (onInputBox_) {
    answer = onInputBox_(inputBoxes_.back());
    if (sessionEnding_) return std::string();
  } else if (!inputAnswers_.empty()) {
    answer = inputAnswers_.front();
    inputAnswers_.pop_front();
  }
  return answer.value_or(std::string());
}

int HeadlessUi::AnswerPopup(const PopupMenuCall& call) {
  popupMenus_.push_back(call);
  if (onPopupMenu_) return onPopupMenu_(call);
  if (popupAnswers_.empty()) return -1;
  const int answer = popupAnswers_.front();
  popupAnswers_.pop_front();
  return answer;
}

forms::Picture HeadlessUi::LoadResPicture(const std::string& resource) {
  const std::string name = resource.empty() ? "APPICON" : resource;
  auto [it, added] = pictures_.try_emplace(name, 0x7000 + pictures_.size() * 0x10);
  return {it->second};
}

std::string HeadlessUi::PictureName(const forms::Picture& picture) const {
  for (const auto& [name, handle] : pictures_)
    if (handle == picture.Handle) return name;
  return {};
}

void HeadlessUi::RunModal(forms::Form& dialog) {
  if (onModal_) onModal_(dialog);
  if (dialog.Loaded() && dialog.Visible()) CloseBox(dialog);
  if (dialog.Loaded() && dialog.Visible())
    throw std::logic_error("the modal form " + dialog.Name() + " refused to close and the driver left it up");
}

std::int32_t HeadlessUi::TextWidth(const std::string& text, bool bold) const {
  // Every character is as wide as every other, whatever its UTF-8 length.
  std::int32_t chars = 0;
  for (std::size_t at = 0; at < text.size(); ++chars) at += text::DecodeUtf8(text, at).length;
  const std::int32_t twips = chars * (bold ? 105 : 90);
  return (twips + twipsPerPixelX_ / 2) / twipsPerPixelX_ * twipsPerPixelX_;
}

void HeadlessUi::MoveFocus(forms::Control* control) {
  forms::Control* previous = std::exchange(focus_, control);
  if (control) desktop_.SetFocusWindow(control->hWnd());
  else if (previous && desktop_.GetFocus() == previous->hWnd()) desktop_.SetFocusWindow(0);
  if (previous == control) return;
  if (previous) previous->UserFocus(false);
  if (control) control->UserFocus(true);
}

void HeadlessUi::End() {
  ended_ = true;
  throw forms::ProgramEnded();
}

}  // namespace sim
