// psapi.dll's own exports, as NT 4 has them, not the K32 aliases that newer
// headers map these names to.
#define PSAPI_VERSION 1
#include "platform/win32/win32_processes.h"

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_text.h"
// After <windows.h>, which the handles header brings in.
#include <psapi.h>
#include <tlhelp32.h>
#undef GetModuleFileNameEx

using platform::win32::FromHandle;
using platform::win32::ToHandle;

namespace {

// The caller fills our record; the real record of this build and family
// has its own size, which is what Windows checks. The wide calls on the NT
// family, the ANSI ones on the 9x family (which has no others).
template <typename Real, typename Call>
bool Walk(platform::OsHandle snapshot, platform::ProcessEntry32& entry, Call call) {
  Real real{};
  real.dwSize = sizeof real;
  if (!call(ToHandle(snapshot), &real)) return false;
  entry.th32ProcessID = real.th32ProcessID;
  real.szExeFile[std::size(real.szExeFile) - 1] = 0;
  if constexpr (sizeof real.szExeFile[0] == 2)
    entry.szExeFile = platform::win32::Narrow(real.szExeFile);
  else
    entry.szExeFile = platform::win32::FromAnsi(real.szExeFile);
  return true;
}

}  // namespace

platform::OsHandle Win32Processes::CreateToolhelp32Snapshot(std::uint32_t flags, std::uint32_t processId) {
  return FromHandle(::CreateToolhelp32Snapshot(flags, processId));
}

bool Win32Processes::Process32First(platform::OsHandle snapshot, platform::ProcessEntry32& entry) {
  return platform::win32::IsNt() ? Walk<PROCESSENTRY32W>(snapshot, entry, ::Process32FirstW)
                                 : Walk<PROCESSENTRY32>(snapshot, entry, ::Process32First);
}

bool Win32Processes::Process32Next(platform::OsHandle snapshot, platform::ProcessEntry32& entry) {
  return platform::win32::IsNt() ? Walk<PROCESSENTRY32W>(snapshot, entry, ::Process32NextW)
                                 : Walk<PROCESSENTRY32>(snapshot, entry, ::Process32Next);
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

std::string Win32Processes::GetModuleFileNameEx(platform::OsHandle process, platform::ModuleHandle module) {
  // Only NT 4 asks, and it has the wide call.
  wchar_t path[MAX_PATH + 1] = {};
  const DWORD n = ::GetModuleFileNameExW(ToHandle(process), reinterpret_cast<HMODULE>(module), path, MAX_PATH);
  return platform::win32::Narrow(std::wstring_view(path, std::min<DWORD>(n, MAX_PATH)));
}

bool Win32Processes::CloseHandle(platform::OsHandle handle) { return ::CloseHandle(ToHandle(handle)) != FALSE; }

