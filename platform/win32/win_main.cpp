// The program's entry point: the real OS, the real form layer, and the
// message loop while the program runs.
#include "platform/win32/win32_api.h"

#include "app/tarvolo_program.h"
#include "platform/win32/win32_form_ui.h"
#include "platform/win32/win32_os.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  Win32Os os;
  platform::win32::Win32Ui ui(instance, "Tarvolo");
  TarvoloProgram program(os, ui);
  program.Start();
  ui.RunMessageLoop([&program] { return program.Running(); });
  return 0;
}
