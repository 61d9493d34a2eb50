// psapi.dll's own exports, as NT 4 has them, not the K32 aliases that newer
// headers map these names to.
#define PSAPI_VERSION 1
#include "platform/win32/win32_processes.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/win32/win32_handles.h"
// After <windows.h>, which the handles header brings in.
#include <psapi.h>
#include <tlhelp32.h>

using platform::win32::FromHandle;
using platform::win32::ToHandle;

namespace {

// The caller fills our record and sets dwSize for the ANSI record of a 32-bit
// program; the real record of this build has its own size, which is what
// Windows checks.
PROCESSENTRY32 RealEntry() {
  PROCESSENTRY32 real{};
  real.dwSize = sizeof real;
  return real;
}

void CopyBack(const PROCESSENTRY32& real, platform::ProcessEntry32& entry) {
  entry.th32ProcessID = real.th32ProcessID;
  static_assert(sizeof real.szExeFile == std::tuple_size_v<decltype(entry.szExeFile)>);
  std::memcpy(entry.szExeFile.data(), real.szExeFile, entry.szExeFile.size());
}

}  // namespace

platform::OsHandle Win32Processes::CreateToolhelp32Snapshot(std::uint32_t flags, std::uint32_t processId) {
  return FromHandle(::CreateToolhelp32Snapshot(flags, processId));
}

bool Win32Processes::Process32First(platform::OsHandle snapshot, platform::ProcessEntry32& entry) {
  PROCESSENTRY32 real = RealEntry();
  if (!::Process32First(ToHandle(snapshot), &real)) return false;
  CopyBack(real, entry);
  return true;
}

bool Win32Processes::Process32Next(platform::OsHandle snapshot, platform::ProcessEntry32& entry) {
  PROCESSENTRY32 real = RealEntry();
  if (!::Process32Next(ToHandle(snapshot), &real)) return false;
  CopyBack(real, entry);
  return true;
}

bool Win32Processes::EnumProcesses(std::uint32_t* ids, std::uint32_t bufferBytes, std::uint32_t* bytesReturned) {
  // DWORD and std::uint32_t are distinct types on Windows; go through a table
  // of the real type rather than alias one as the other.
  std::vector<DWORD> real(bufferBytes / sizeof(DWORD));
  DWORD returned = 0;
  const BOOL ok = ::EnumProcesses(real.data(), static_cast<DWORD>(real.size() * sizeof(DWORD)), &returned);
  if (ok) {
    const std::size_t count = std::min<std::size_t>(returned / sizeof(DWORD), real.size());
    std::copy_n(real.begin(), count, ids);
    if (bytesReturned != nullptr) *bytesReturned = returned;
  }
  return ok != FALSE;
}

platform::OsHandle Win32Processes::OpenProcess(std::uint32_t access, bool inherit, std::uint32_t processId) {
  return FromHandle(::OpenProcess(access, inherit ? TRUE : FALSE, processId));
}

bool Win32Processes::EnumProcessModules(platform::OsHandle process, platform::ModuleHandle* modules, std::uint32_t bufferBytes,
                                        std::uint32_t* bytesNeeded) {
  std::vector<HMODULE> real(bufferBytes / sizeof(HMODULE));
  DWORD needed = 0;
  const BOOL ok = ::EnumProcessModules(ToHandle(process), real.data(),
                                       static_cast<DWORD>(real.size() * sizeof(HMODULE)), &needed);
  if (ok) {
    const std::size_t count = std::min<std::size_t>(needed / sizeof(HMODULE), real.size());
    std::transform(real.begin(), real.begin() + static_cast<std::ptrdiff_t>(count), modules,
                   [](HMODULE m) { return reinterpret_cast<platform::ModuleHandle>(m); });
    if (bytesNeeded != nullptr) *bytesNeeded = needed;
  }
  return ok != FALSE;
}

std::uint32_t Win32Processes::GetModuleFileNameExA(platform::OsHandle process, platform::ModuleHandle module, char* buffer,
                                                   std::uint32_t size) {
  return ::GetModuleFileNameExA(ToHandle(process), reinterpret_cast<HMODULE>(module), buffer, size);
}

bool Win32Processes::CloseHandle(platform::OsHandle handle) { return ::CloseHandle(ToHandle(handle)) != FALSE; }

