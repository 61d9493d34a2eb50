#pragma once
// The application-wide half of the form layer: what a backend offers beyond
// single forms (the App and Screen objects, the standard dialogs).
#include <cstdint>
#include <memory>
#include <string>

#include "platform/forms/peers.h"
#include "platform/forms/picture.h"

namespace forms {

class Form;

class Ui {
 public:
  virtual ~Ui() = default;

  virtual std::unique_ptr<FormPeer> CreateFormPeer(Form& form) = 0;
  // Told when a form is loaded or unloaded, so the backend knows when the
  // last one has gone.
  virtual void FormLoaded(Form&) {}
  virtual void FormUnloaded(Form&) {}

  // Runs the user's input while dialog is shown modally: returns once it is
  // hidden or unloaded. Every form's timers keep running meanwhile.
  virtual void RunModal(Form& dialog) = 0;

  // Windows is ending the session (a form was told so): a box that is up
  // closes as its Cancel (or its only button) would, and none opens from now
  // on, so that nothing holds up the log-off.
  virtual void SessionEnding() = 0;

  // The standard message box; returns kMbAnswerOk or kMbAnswerCancel.
  virtual int MsgBox(const std::string& prompt, int buttons, const std::string& title) = 0;
  // The standard input box: prompt, one text field, OK and Cancel. Cancel
  // gives the empty text.
  virtual std::string InputBox(const std::string& prompt, const std::string& title,
                               const std::string& defaultText) = 0;

  // Whether another instance of the program already runs for this user.
  virtual bool PrevInstance() = 0;
  virtual std::string AppTitle() = 0;
  // The program's folder, without a closing backslash (except for a root).
  virtual std::string AppPath() = 0;
  // Whether the application shows on the task bar.
  virtual void SetTaskVisible(bool visible) = 0;
  virtual bool TaskVisible() = 0;
  virtual void SetHelpFile(const std::string& path) = 0;
  virtual std::string HelpFile() = 0;

  // An icon from the program's resources.
  virtual Picture LoadResPicture(const std::string& resource) = 0;
  virtual std::int32_t TwipsPerPixelX() = 0;
  virtual std::int32_t TwipsPerPixelY() = 0;

  // Ends the program at once, without unloading anything.
  [[noreturn]] virtual void End() = 0;
};

}  // namespace forms
