#pragma once
#include <cstdint>
#include <string>

// What the resident monitor asks of the setup window (frmMain): the tray
// menu opens and closes it, the fast tick shows the key states in it and the
// refresh tick writes its caption.
class SetupWindow {
 public:
  virtual ~SetupWindow() = default;
  // Loads the window when it is not loaded, and shows it (modeless).
  virtual void Show() = 0;
  // Unloads it; nothing happens when it is not loaded.
  virtual void Unload() = 0;
  virtual void UpdateKeyStat() = 0;
  virtual void SetCaption(const std::string& caption) = 0;
  // Gives the window the focus, which brings an open window to the front.
  virtual void SetFocus() = 0;

  // 0 shrunk to its title and menu bars, 1 sized for the "Monitor" page, 2
  // for the "Settings" page; kept while the program runs, also while the
  // window is closed. Start-up sets it to 1.
  std::int32_t SizeMode = 1;
};

namespace forms {
class Form;
}

// The Options dialog (frmSettings): the setup window opens it modally, owned
// by itself; "Exit" unloads it.
class OptionsDialogForm {
 public:
  virtual ~OptionsDialogForm() = default;
  virtual void ShowModal(forms::Form& owner) = 0;
  virtual void Unload() = 0;
};
