#pragma once
// The form layer on real windows. Only platform/win32 includes this.
#include "platform/win32/win32_api.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "platform/forms/form.h"
#include "platform/forms/ui.h"

namespace platform::win32 {

// Closes a kernel handle when it goes out of scope.
struct KernelHandleCloser {
  void operator()(HANDLE h) const {
    if (h) ::CloseHandle(h);
  }
};
using KernelHandle = std::unique_ptr<void, KernelHandleCloser>;

struct GdiObjectDeleter {
  void operator()(HGDIOBJ h) const {
    if (h) ::DeleteObject(h);
  }
};
using GdiObject = std::unique_ptr<void, GdiObjectDeleter>;

class Win32Ui : public forms::Ui {
 public:
  Win32Ui(HINSTANCE instance, std::string title);
  ~Win32Ui() override;

  // Takes and dispatches messages while running() holds.
  void RunMessageLoop(const std::function<bool()>& running);
  void RunModal(forms::Form& dialog) override;

  std::unique_ptr<forms::FormPeer> CreateFormPeer(forms::Form& form) override;
  void FormLoaded(forms::Form& form) override;
  void FormUnloaded(forms::Form& form) override;
  void SessionEnding() override;
  int MsgBox(const std::string& prompt, int buttons, const std::string& title) override;
  std::string InputBox(const std::string& prompt, const std::string& title, const std::string& defaultText) override;
  bool PrevInstance() override;
  std::string AppTitle() override { return title_; }
  std::string AppPath() override;
  void SetTaskVisible(bool visible) override { taskVisible_ = visible; }
  bool TaskVisible() override { return taskVisible_; }
  void SetHelpFile(const std::string& path) override { helpFile_ = path; }
  std::string HelpFile() override { return helpFile_; }
  forms::Picture LoadResPicture(const std::string& resource) override;
  std::int32_t TwipsPerPixelX() override { return twipsPerPixelX_; }
  std::int32_t TwipsPerPixelY() override { return twipsPerPixelY_; }
  [[noreturn]] void End() override;

  HINSTANCE Instance() const { return instance_; }
  HFONT Font() const { return static_cast<HFONT>(font_.get()); }
  // The message font in that style, made once and kept as long as the Ui.
  HFONT Font(bool bold, bool underline);
  UINT TaskbarCreatedMessage() const { return taskbarCreated_; }

 private:
  static void CloseThreadDialogs();
  HINSTANCE instance_;
  std::string title_;
  std::string helpFile_;
  bool taskVisible_ = true;
  std::int32_t twipsPerPixelX_ = 15;
  std::int32_t twipsPerPixelY_ = 15;
  UINT taskbarCreated_ = 0;
  // The keyboard of the active form: Ctrl+Tab, then the dialog manager.
  bool PreTranslate(MSG& msg);

  // The message font, described in the family's form, in that style.
  HFONT MakeFont(bool bold, bool underline) const;
  GdiObject font_;
  std::variant<LOGFONTA, LOGFONTW> logFont_;
  std::map<int, GdiObject> styledFonts_;
  KernelHandle instanceMutex_;
  bool prevInstanceKnown_ = false;
  int loadedForms_ = 0;
  bool sessionEnding_ = false;
  bool prevInstance_ = false;
  std::map<std::string, HICON> icons_;
};

// The input box: prompt, one text field, OK and Cancel. Cancel gives "".
std::string RunInputBox(HINSTANCE instance, const std::string& prompt, const std::string& title,
                        const std::string& defaultText);

inline constexpr const char* kFormClass = "TarvoloForm";
inline constexpr const char* kPictureClass = "TarvoloPicture";
inline constexpr const char* kShapeClass = "TarvoloShape";

// A colour of the form layer as Windows draws it: a system colour looked up
// now, so it follows the user's scheme.
COLORREF ResolveColor(std::int32_t color);

}  // namespace platform::win32
