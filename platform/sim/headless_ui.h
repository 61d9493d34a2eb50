#pragma once
// The headless form layer: forms and controls live in memory on the
// simulated desktop, and a driver plays the user (clicks, typing, answers to
// the input box, message box and pop-up menus) and reads what was shown.
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/forms/form.h"
#include "platform/forms/ui.h"
#include "platform/sim/sim_desktop.h"

namespace sim {

struct InputBoxCall {
  std::string prompt;
  std::string title;
  std::string defaultText;
};

struct MsgBoxCall {
  std::string prompt;
  int buttons;
  std::string title;
};

struct PopupMenuCall {
  std::string form;
  std::vector<std::string> captions;  // of the menu's items, in order
  int defaultItem;                    // position in captions; -1 for none
  unsigned flags;
};

class HeadlessUi : public forms::Ui {
 public:
  // The program's folder is the desktop's ProgramFolder; its process, with
  // tarvolo.exe there, owns every form's window.
  explicit HeadlessUi(SimDesktop& desktop, std::string title = "Tarvolo");

  // ---- the driver ----
  void SetPreviousInstance(bool running) { previousInstance_ = running; }
  // Answers to the coming input boxes, in order; std::nullopt presses Cancel.
  // With nothing queued the box is cancelled.
  void AnswerInputBox(std::optional<std::string> answer) { inputAnswers_.push_back(std::move(answer)); }
  // Runs while an input box is up (the user may take a while: advance the
  // clock there); its result answers the box.
  void OnInputBox(std::function<std::optional<std::string>(const InputBoxCall&)> user) { onInputBox_ = std::move(user); }
  // The item (position among the menu's items) picked in the coming pop-up
  // menus; -1 closes the menu without a pick. With nothing queued: no pick.
  void AnswerPopupMenu(int position) { popupAnswers_.push_back(position); }
  void OnPopupMenu(std::function<int(const PopupMenuCall&)> user) { onPopupMenu_ = std::move(user); }
  void AnswerMsgBox(int answer) { msgBoxAnswers_.push_back(answer); }
  // Runs while a message box is up; its result answers the box.
  void OnMsgBox(std::function<int(const MsgBoxCall&)> user) { onMsgBox_ = std::move(user); }
  // The next control created fails with this error.
  void FailNextControl(int number, std::string description) { failNext_ = {number, std::move(description)}; }

  // Runs while a form is shown modally (the user works in the dialog; the
  // clock may advance there). A dialog still up when it returns, or with no
  // hook, is closed with its close box.
  void OnModal(std::function<void(forms::Form& dialog)> user) { onModal_ = std::move(user); }
  // Measures as at another DPI: 10 twips per pixel at 144 DPI.
  void SetTwipsPerPixel(std::int32_t x, std::int32_t y) {
    twipsPerPixelX_ = x;
    twipsPerPixelY_ = y;
  }

  // The user's actions reach only forms not disabled by a modal dialog (false:
  // nothing happened); in headless_input.cpp.
  bool Click(forms::Control& control);
  bool Type(forms::Control& control, const std::string& text);
  bool Select(forms::Control& control, int index);
  bool DoubleClick(forms::Control& control);
  // Buttons 1 left, 2 right; shift 1 Shift, 2 Ctrl, 4 Alt; x and y in twips.
  bool MouseDown(forms::Control& control, int button, double x = 0, double y = 0, int shift = 0);
  bool MouseUp(forms::Control& control, int button, double x = 0, double y = 0, int shift = 0);
  // The user clicks into a control that takes the focus.
  bool Focus(forms::Control& control);
  // Keys on the form with the focus in it: Tab, Shift+Tab, Ctrl+(Shift+)Tab,
  // Enter, Escape, and Alt with a letter of an access key ("&Name"; not
  // while a box that captures key combinations has the focus).
  bool PressTab(forms::Form& form, bool backwards = false);
  bool PressCtrlTab(forms::Form& form, bool backwards = false);
  bool PressEnter(forms::Form& form);
  bool PressEscape(forms::Form& form);
  bool PressAccessKey(forms::Form& form, char letter);
  // Whether a modal dialog owned by the form is up.
  bool Disabled(const forms::Form& form) const;
  forms::Control* FocusedControl() const { return focus_; }
  // The user presses F1 on a control (null: on the form).
  void Help(forms::Form& form, forms::Control* control) { form.UserHelp(control); }
  // The user closes a form with its close box.
  void CloseBox(forms::Form& form);
  // Windows ends the session: every loaded form is asked, then unloaded.
  void EndSession();

  const std::vector<InputBoxCall>& InputBoxes() const { return inputBoxes_; }
  const std::vector<MsgBoxCall>& MsgBoxes() const { return msgBoxes_; }
  const std::vector<PopupMenuCall>& PopupMenus() const { return popupMenus_; }
  std::vector<forms::Form*> LoadedForms() const { return loaded_; }
  forms::Form* FindLoadedForm(const std::string& name) const;
  std::string PictureName(const forms::Picture& picture) const;
  std::uint32_t ProcessId() const { return processId_; }
  bool Ended() const { return ended_; }
  SimDesktop& Desktop() { return desktop_; }

  // ---- forms::Ui ----
  std::unique_ptr<forms::FormPeer> CreateFormPeer(forms::Form& form) override;
  void FormLoaded(forms::Form& form) override { loaded_.push_back(&form); }
  void FormUnloaded(forms::Form& form) override { std::erase(loaded_, &form); }
  void SessionEnding() override { sessionEnding_ = true; }
  int MsgBox(const std::string& prompt, int buttons, const std::string& title) override;
  std::string InputBox(const std::string& prompt, const std::string& title, const std::string& defaultText) override;
  bool PrevInstance() override { return previousInstance_; }
  std::string AppTitle() override { return title_; }
  std::string AppPath() override { return desktop_.ProgramFolder(); }
  void SetTaskVisible(bool visible) override { taskVisible_ = visible; }
  bool TaskVisible() override { return taskVisible_; }
  void SetHelpFile(const std::string& path) override { helpFile_ = path; }
  std::string HelpFile() override { return helpFile_; }
  forms::Picture LoadResPicture(const std::string& resource) override;
  std::int32_t TwipsPerPixelX() override { return twipsPerPixelX_; }
  std::int32_t TwipsPerPixelY() override { return twipsPerPixelY_; }
  [[noreturn]] void End() override;
  void RunModal(forms::Form& dialog) override;

  // For the peers.
  std::optional<std::pair<int, std::string>> TakeFailure() { return std::exchange(failNext_, std::nullopt); }
  int AnswerPopup(const PopupMenuCall& call);
  // Text widths of a font of 6 pixels a character at 96 DPI (7 in bold),
  // rounded to whole pixels.
  std::int32_t TextWidth(const std::string& text, bool bold) const;
  // The focus moves to control (null: to no control), raising LostFocus and
  // GotFocus as on Windows.
  void MoveFocus(forms::Control* control);
  // The control's window is gone; no event.
  void Forget(const forms::Control& control) {
    if (focus_ == &control) focus_ = nullptr;
  }

 private:
  SimDesktop& desktop_;
  std::string title_;
  std::uint32_t processId_;
  bool previousInstance_ = false;
  bool taskVisible_ = true;
  bool ended_ = false;
  std::string helpFile_;
  std::deque<std::optional<std::string>> inputAnswers_;
  std::function<std::optional<std::string>(const InputBoxCall&)> onInputBox_;
  std::deque<int> popupAnswers_;
  std::function<int(const PopupMenuCall&)> onPopupMenu_;
  std::function<void(forms::Form&)> onModal_;
  std::int32_t twipsPerPixelX_ = 15;
  std::int32_t twipsPerPixelY_ = 15;
  forms::Control* focus_ = nullptr;
  std::deque<int> msgBoxAnswers_;
  std::function<int(const MsgBoxCall&)> onMsgBox_;
  std::optional<std::pair<int, std::string>> failNext_;
  std::vector<InputBoxCall> inputBoxes_;
  std::vector<MsgBoxCall> msgBoxes_;
  bool sessionEnding_ = false;
  std::vector<PopupMenuCall> popupMenus_;
  std::vector<forms::Form*> loaded_;
  std::map<std::string, std::uintptr_t> pictures_;
};

}  // namespace sim
