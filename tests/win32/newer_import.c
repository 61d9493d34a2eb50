// A program that imports a function Windows Vista lacks: check_imports.py
// must refuse it, or it would refuse nothing.
#include <windows.h>

int main(void) {
  FILETIME now;
  GetSystemTimePreciseAsFileTime(&now);
  return (int)(now.dwLowDateTime & 1);
}
