#include "engine/winfo.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/unique_handle.h"

using platform::WindowHandle;

clsWinfo::clsWinfo(platform::OsWindows& windows, platform::OsProcesses& processes,
                   platform::OsSystem& system)
    : windows_(windows), processes_(processes) {
  platform::OsVersionInfo info;
  info.dwOSVersionInfoSize = 148;
  system.GetVersionEx(info);
  if (info.dwPlatformId == platform::kVerPlatformWin32Nt) useProcessStatus_ = info.dwMajorVersion == 4;
}

WindowHandle clsWinfo::ActWndHandle() { return windows_.GetForegroundWindow(); }

WindowHandle clsWinfo::ActWndOwnerHandle() {
  return windows_.GetWindow(windows_.GetForegroundWindow(), platform::kGwOwner);
}

std::string clsWinfo::WndTitle(WindowHandle handle) {
  return windows_.GetWindowText(Resolve(handle), 254);
}

std::string clsWinfo::WndClass(WindowHandle handle) {
  return windows_.GetClassName(Resolve(handle), 255);
}

std::string clsWinfo::OwnerEXE(WindowHandle handle) {
  const WindowHandle h = Resolve(handle);
  return useProcessStatus_ ? ExeByProcessStatus(h) : ExeByToolHelp(h);
}

std::string clsWinfo::ExeByProcessStatus(WindowHandle handle) {
  std::uint32_t wanted = 0;
  windows_.GetWindowThreadProcessId(handle, &wanted);

  // Grow the table until the system returns less than the whole buffer.
  // A failing call or an absurd size ends the search empty-handed rather than
  // doubling for ever.
  constexpr std::uint32_t kMaxBytes = 1u << 20;
  std::uint32_t bufferBytes = 8;
  std::uint32_t bytesReturned = 96;
  std::vector<std::uint32_t> ids;
  while (bufferBytes <= bytesReturned) {
    if (bufferBytes >= kMaxBytes) return {};
    bufferBytes *= 2;
    ids.assign(bufferBytes / 4, 0);
    if (!processes_.EnumProcesses(ids.data(), bufferBytes, &bytesReturned)) return {};
  }

  std::string path;
  const std::size_t count = std::min<std::size_t>(bytesReturned / 4, ids.size());
  for (std::size_t i = 0; i < count; ++i) {
    platform::UniqueHandle process(
        processes_, processes_.OpenProcess(platform::kProcessQueryInformation | platform::kProcessVmRead,
                                           false, ids[i]));
    if (!process.valid() || ids[i] != wanted) continue;
    platform::ModuleHandle firstModule = 0;
    std::uint32_t needed = 0;
    if (!processes_.EnumProcessModules(process.get(), &firstModule, sizeof firstModule, &needed)) continue;
    path = processes_.GetModuleFileNameEx(process.get(), firstModule);
    break;
  }
  return FileNamePart(path);
}

std::string clsWinfo::ExeByToolHelp(WindowHandle handle) {
  std::uint32_t wanted = 0;
  const std::uint32_t thread = windows_.GetWindowThreadProcessId(handle, &wanted);
  if (thread == 0 || wanted == 0) return {};
  const platform::OsHandle raw = processes_.CreateToolhelp32Snapshot(platform::kTh32csSnapProcess, 0);
  if (raw == platform::kInvalidHandle) return {};
  platform::UniqueHandle snapshot(processes_, raw);

  platform::ProcessEntry32 entry;
  entry.dwSize = 296;  // sizeof(PROCESSENTRY32) of a 32-bit program
  std::string exe;
  for (bool more = processes_.Process32First(snapshot.get(), entry); more;
       more = processes_.Process32Next(snapshot.get(), entry)) {
    if (entry.th32ProcessID != wanted) continue;
    exe = entry.szExeFile;
    break;
  }
  return FileNamePart(exe);
}

std::string FileNamePart(std::string_view path) {
  const auto at = path.find_last_of("\\:");
  return std::string(at == std::string_view::npos ? path : path.substr(at + 1));
}
