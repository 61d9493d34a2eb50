#include "app/tarvolo_program.h"

TarvoloProgram::TarvoloProgram(platform::Os& os, forms::Ui& ui)
    : state_(os),
      // The hot-keys belong to frmIcon's window, which exists once it loads.
      hotkeys_(os, state_.AppOptions, [this] { return icon_.Form().hWnd(); }),
      functions_(os),
      hook_(os, state_.ScreenSaverSeen),
      options_(state_, os, ui, hotkeys_),
      setup_(state_, state_, os, ui, functions_),
      icon_(state_, state_, ui, setup_, hotkeys_, functions_, hook_) {
  // The setup window's "Hide Tarvolo" and "Exit" go through the hidden form.
  setup_.Icon = &icon_;
  setup_.frmSettings = &options_;
  icon_.frmSettings = &options_;
}
