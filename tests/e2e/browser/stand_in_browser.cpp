// A stand-in web browser for the help case: registered in the test prefix
// as the program that opens .html files, it writes the command line it was
// started with, as UTF-8, one line per start, to browser-args.txt in its
// working folder (the one tarvolo.exe runs in), and ends.
#include <fstream>

#include "tests/e2e/host_support.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  std::ofstream record("browser-args.txt", std::ios::app | std::ios::binary);
  return (record << e2e::Narrow(::GetCommandLineW()) << '\n').flush() ? 0 : 1;
}
