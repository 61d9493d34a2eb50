#pragma once
// Plain values that cross the OS interface. No Windows header here: these are
// our own spellings of what the Win32 calls take and give.
#include <array>
#include <cstdint>
#include <string>

namespace platform {

// Window handles are 32-bit values, as on Windows (64-bit Windows keeps them
// in 32 bits). -1 is the program's own marker for "the default window".
using WindowHandle = std::int32_t;

// Kernel object handles (process, snapshot). 0 means none; for snapshots
// kInvalidHandle (-1) is the failure value, as INVALID_HANDLE_VALUE is.
using OsHandle = std::intptr_t;
inline constexpr OsHandle kInvalidHandle = -1;

// Module handles as EnumProcessModules fills them.
using ModuleHandle = std::uintptr_t;

using KeyboardTable = std::array<std::uint8_t, 256>;

// Virtual-key codes. Letters and digits are their capital ASCII codes ('A',
// '0'), as in Windows, which names none of them.
inline constexpr int kVkShift = 0x10;
inline constexpr int kVkControl = 0x11;
inline constexpr int kVkMenu = 0x12;  // Alt
inline constexpr int kVkCapital = 0x14;
inline constexpr int kVkSpace = 0x20;
inline constexpr int kVkDelete = 0x2E;
inline constexpr int kVkLWin = 0x5B;
inline constexpr int kVkRWin = 0x5C;
inline constexpr int kVkNumpad0 = 0x60;
inline constexpr int kVkNumpad9 = 0x69;
inline constexpr int kVkDivide = 0x6F;  // the last of the number pad's keys
inline constexpr int kVkF1 = 0x70;
inline constexpr int kVkF16 = 0x7F;
inline constexpr int kVkNumLock = 0x90;
inline constexpr int kVkScroll = 0x91;
inline constexpr int kVkOem1 = 0xBA;  // ';' on US keyboards: the first punctuation key
inline constexpr int kVkOem3 = 0xC0;  // '`'
inline constexpr int kVkOem4 = 0xDB;  // '['
inline constexpr int kVkOem8 = 0xDF;

// Bit 15 of GetKeyState and GetAsyncKeyState: the key is down.
inline constexpr int kKeyDown = 0x8000;

inline constexpr std::uint32_t kKeyEventExtendedKey = 1;
inline constexpr std::uint32_t kKeyEventKeyUp = 2;

inline constexpr std::uint32_t kMapVkToScan = 0;
inline constexpr std::uint32_t kMapVkToChar = 2;

inline constexpr std::uint32_t kGwOwner = 4;

// GetSystemMetrics indexes the setup window measures itself with.
inline constexpr int kSmCyCaption = 4;
inline constexpr int kSmCyMenu = 15;
inline constexpr int kSmCxFrame = 32;
inline constexpr int kSmCyFrame = 33;

inline constexpr std::uint32_t kTh32csSnapProcess = 2;
inline constexpr std::uint32_t kProcessQueryInformation = 0x400;
inline constexpr std::uint32_t kProcessVmRead = 0x10;

inline constexpr std::uint32_t kVerPlatformWin32Windows = 1;
inline constexpr std::uint32_t kVerPlatformWin32Nt = 2;

// Mirrors PROCESSENTRY32 in the fields the program reads; dwSize is what the
// caller claims, as with the real record.
struct ProcessEntry32 {
  std::uint32_t dwSize = 0;
  std::uint32_t th32ProcessID = 0;
  std::string szExeFile;  // the executable's name or path
};

// Mirrors OSVERSIONINFO.
struct OsVersionInfo {
  std::uint32_t dwOSVersionInfoSize = 0;
  std::uint32_t dwMajorVersion = 0;
  std::uint32_t dwMinorVersion = 0;
  std::uint32_t dwBuildNumber = 0;
  std::uint32_t dwPlatformId = 0;
  std::array<char, 128> szCSDVersion{};
};

}  // namespace platform
