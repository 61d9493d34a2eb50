#include "store/platform_check.h"

bool IsNTPlatform(platform::OsSystem& os) {
  platform::OsVersionInfo info;
  info.dwOSVersionInfoSize = 148;  // sizeof(OSVERSIONINFOA)
  os.GetVersionEx(info);
  return info.dwPlatformId == platform::kVerPlatformWin32Nt;
}
