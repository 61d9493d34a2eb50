#include "platform/sim/sim_desktop.h"

#include "platform/text/utf8.h"

#include <algorithm>
#include <cstring>

namespace sim {
namespace {
bool IsLockKey(int vk) {
  return vk == platform::kVkCapital || vk == platform::kVkNumLock || vk == platform::kVkScroll;
}
std::string BareName(const std::string& path) {
  const auto at = path.find_last_of("\\:");
  return at == std::string::npos ? path : path.substr(at + 1);
}
}  // namespace

bool SimDesktop::Toggled(int vk) const {
  const auto it = keys_.find(vk);
  return it != keys_.end() && it->second.toggled;
}

void SimDesktop::HoldKey(int vk, int polls, bool togglesOnRelease) {
  Key& key = keys_[vk];
  key.heldPolls = polls;
  key.toggleOnRelease = togglesOnRelease;
}

void SimDesktop::ClearLog() {
  keyEvents_.clear();
  setKeyboardStateCalls_ = 0;
  doEventsCalls_ = 0;
  openProcessCalls_ = 0;
  snapshotCalls_ = 0;
  foregroundQueries_ = 0;
}

void SimDesktop::RequestToggle(int vk, bool on) {
  Key& key = keys_[vk];
  if (key.refuses) return;
  if (key.delayReads > 0) {
    key.pending = true;
    key.pendingState = on;
    key.pendingReads = key.delayReads;
  } else {
    key.toggled = on;
  }
}

bool SimDesktop::UserHolds(int vk) const {
  const auto it = keys_.find(vk);
  return heldKeys_.count(vk) > 0 || (it != keys_.end() && it->second.heldPolls > 0);
}

std::int16_t SimDesktop::GetAsyncKeyState(int vk) {
  if (heldKeys_.count(vk)) return static_cast<std::int16_t>(0x8000);
  Key& key = keys_[vk];
  if (key.heldPolls > 0) {
    if (--key.heldPolls == 0 && key.toggleOnRelease) key.toggled = !key.toggled;
    return static_cast<std::int16_t>(0x8000);
  }
  return key.down ? static_cast<std::int16_t>(0x8000) : 0;
}

std::int16_t SimDesktop::GetKeyState(int vk) {
  if (!IsLockKey(vk))
    return static_cast<std::int16_t>((heldKeys_.count(vk) ? 0x8000 : 0) |
                                     (otherKeys_[static_cast<std::size_t>(vk & 0xFF)] & 0x81));
  Key& key = keys_[vk];
  if (key.pending && --key.pendingReads <= 0) {
    key.pending = false;
    key.toggled = key.pendingState;
  }
  const int down = (key.down || key.heldPolls > 0) ? 0x8000 : 0;
  return static_cast<std::int16_t>(down | (key.toggled ? 1 : 0));
}

void SimDesktop::keybd_event(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags, std::uintptr_t) {
  keyEvents_.push_back({vk, scan, flags});
  lastInputMs_ = nowMs_;
  if (!IsLockKey(vk)) return;
  Key& key = keys_[vk];
  if (flags & platform::kKeyEventKeyUp) {
    key.down = false;
  } else if (!key.down) {
    key.down = true;
    RequestToggle(vk, !(key.pending ? key.pendingState : key.toggled));
  }
}

bool SimDesktop::GetLastInputInfo(std::uint32_t& dwTime) {
  if (family_ == WindowsFamily::Win98 || family_ == WindowsFamily::NT4) return false;
  dwTime = static_cast<std::uint32_t>(lastInputMs_);
  return true;
}

std::uint32_t SimDesktop::MapVirtualKey(std::uint32_t code, std::uint32_t mapType) {
  if (mapType == platform::kMapVkToChar) return 0;  // none of the lock keys types a character
  if (mapType != platform::kMapVkToScan) return 0;
  switch (code) {
    case platform::kVkCapital: return 0x3A;
    case platform::kVkNumLock: return 0x45;
    case platform::kVkScroll: return 0x46;
    default: return 0;
  }
}

bool SimDesktop::GetKeyboardState(platform::KeyboardTable& table) {
  table = otherKeys_;
  for (const auto& [vk, key] : keys_)
    if (IsLockKey(vk))
      table[static_cast<std::size_t>(vk)] = static_cast<std::uint8_t>((key.toggled ? 1 : 0) | (key.down || key.tableDown ? 0x80 : 0));
  return true;
}

bool SimDesktop::SetKeyboardState(const platform::KeyboardTable& table) {
  ++setKeyboardStateCalls_;
  lastTableWritten_ = table;
  for (int vk : {platform::kVkCapital, platform::kVkNumLock, platform::kVkScroll}) {
    const auto byte = table[static_cast<std::size_t>(vk)];
    Key& key = keys_[vk];
    key.tableDown = (byte & 0x80) != 0;
    if (((byte & 1) != 0) != key.toggled) RequestToggle(vk, (byte & 1) != 0);
  }
  for (std::size_t i = 0; i < table.size(); ++i)
    if (!IsLockKey(static_cast<int>(i))) otherKeys_[i] = table[i];
  return true;
}

platform::WindowHandle SimDesktop::AddWindow(SimWindow window) {
  const auto h = nextWindow_;
  nextWindow_ += 0x10;
  windows_[h] = std::move(window);
  return h;
}

std::uint32_t SimDesktop::AddProcess(SimProcess process) {
  const auto pid = nextProcessId_;
  nextProcessId_ += 4;
  processes_[pid] = std::move(process);
  return pid;
}

platform::WindowHandle SimDesktop::GetForegroundWindow() {
  ++foregroundQueries_;
  return foreground_;
}

platform::WindowHandle SimDesktop::GetWindow(platform::WindowHandle hwnd, std::uint32_t cmd) {
  const auto it = windows_.find(hwnd);
  if (it == windows_.end() || cmd != platform::kGwOwner) return 0;
  return it->second.owner;
}

std::string SimDesktop::CutText(const std::string& text, int maxChars) const {
  // The system counts UTF-16 units on the NT family, bytes on the 9x family;
  // either way no character is cut in two. Never more units than bytes.
  if (text.size() <= static_cast<std::size_t>(std::max(maxChars, 0))) return text;
  std::size_t at = 0;
  for (int units = 0; at < text.size();) {
    const text::Utf8Char c = text::DecodeUtf8(text, at);
    units += family_ == WindowsFamily::Win98 ? static_cast<int>(c.length) : (c.cp >= 0x10000 ? 2 : 1);
    if (units > maxChars) break;
    at += c.length;
  }
  return text.substr(0, at);
}

std::string SimDesktop::GetWindowText(platform::WindowHandle hwnd, int maxChars) {
  const auto it = windows_.find(hwnd);
  return it == windows_.end() ? std::string() : CutText(it->second.title, maxChars);
}

std::string SimDesktop::GetClassName(platform::WindowHandle hwnd, int maxChars) {
  const auto it = windows_.find(hwnd);
  return it == windows_.end() ? std::string() : CutText(it->second.className, maxChars);
}

std::uint32_t SimDesktop::GetWindowThreadProcessId(platform::WindowHandle hwnd, std::uint32_t* processId) {
  const auto it = windows_.find(hwnd);
  if (processId) *processId = it == windows_.end() ? 0 : it->second.processId;
  return it == windows_.end() ? 0 : it->second.threadId;
}

platform::OsHandle SimDesktop::NewHandle(std::uint32_t processId) {
  const auto h = nextHandle_;
  nextHandle_ += 4;
  openHandles_[h] = processId;
  return h;
}

platform::OsHandle SimDesktop::CreateToolhelp32Snapshot(std::uint32_t flags, std::uint32_t) {
  ++snapshotCalls_;
  if (failSnapshot_ || flags != platform::kTh32csSnapProcess) return platform::kInvalidHandle;
  const auto h = NewHandle(0);
  auto& list = snapshots_[h];
  for (const auto& [pid, process] : processes_) list.push_back(pid);
  snapshotCursor_[h] = 0;
  return h;
}

bool SimDesktop::Process32First(platform::OsHandle snapshot, platform::ProcessEntry32& entry) {
  if (!snapshots_.count(snapshot)) return false;
  snapshotCursor_[snapshot] = 0;
  return Process32Next(snapshot, entry);
}

bool SimDesktop::Process32Next(platform::OsHandle snapshot, platform::ProcessEntry32& entry) {
  if (!snapshots_.count(snapshot) || entry.dwSize != 296) return false;
  auto& cursor = snapshotCursor_[snapshot];
  const auto& list = snapshots_[snapshot];
  if (cursor >= list.size()) return false;
  const std::uint32_t pid = list[cursor++];
  entry.th32ProcessID = pid;
  const auto& path = processes_.at(pid).exePath;
  const std::string shown = family_ == WindowsFamily::Win98 ? path : BareName(path);
  entry.szExeFile = CutText(shown, 259);
  return true;
}

bool SimDesktop::EnumProcesses(std::uint32_t* ids, std::uint32_t bufferBytes, std::uint32_t* bytesReturned) {
  if (failEnumProcesses_) return false;
  std::uint32_t written = 0;
  for (const auto& [pid, process] : processes_) {
    if ((written + 1) * 4 > bufferBytes) break;
    ids[written++] = pid;
  }
  *bytesReturned = written * 4;
  return true;
}

platform::OsHandle SimDesktop::OpenProcess(std::uint32_t, bool, std::uint32_t processId) {
  ++openProcessCalls_;
  const auto it = processes_.find(processId);
  if (it == processes_.end() || !it->second.canOpen) return 0;
  return NewHandle(processId);
}

bool SimDesktop::EnumProcessModules(platform::OsHandle process, platform::ModuleHandle* modules,
                                    std::uint32_t bufferBytes, std::uint32_t* bytesNeeded) {
  const auto it = openHandles_.find(process);
  if (it == openHandles_.end() || !processes_.at(it->second).modulesListable) return false;
  if (bufferBytes >= sizeof(platform::ModuleHandle)) modules[0] = 0x400000;
  *bytesNeeded = sizeof(platform::ModuleHandle);
  return true;
}

std::string SimDesktop::GetModuleFileNameEx(platform::OsHandle process, platform::ModuleHandle) {
  const auto it = openHandles_.find(process);
  if (it == openHandles_.end()) return std::string();
  return CutText(processes_.at(it->second).exePath, 259);
}

bool SimDesktop::CloseHandle(platform::OsHandle handle) {
  snapshots_.erase(handle);
  snapshotCursor_.erase(handle);
  return openHandles_.erase(handle) > 0;
}

bool SimDesktop::GetVersionEx(platform::OsVersionInfo& info) {
  if (info.dwOSVersionInfoSize != 148) return false;
  switch (family_) {
    case WindowsFamily::Win98:
      info.dwPlatformId = platform::kVerPlatformWin32Windows;
      info.dwMajorVersion = 4;
      info.dwMinorVersion = 10;
      break;
    case WindowsFamily::NT4:
      info.dwPlatformId = platform::kVerPlatformWin32Nt;
      info.dwMajorVersion = 4;
      info.dwMinorVersion = 0;
      break;
    case WindowsFamily::Win2000:
      info.dwPlatformId = platform::kVerPlatformWin32Nt;
      info.dwMajorVersion = 5;
      info.dwMinorVersion = 0;
      break;
    case WindowsFamily::Win10:
      info.dwPlatformId = platform::kVerPlatformWin32Nt;
      info.dwMajorVersion = 10;
      info.dwMinorVersion = 0;
      break;
  }
  return true;
}

void SimDesktop::DoEvents() {
  ++doEventsCalls_;
  if (everyDoEvents_) {
    auto every = everyDoEvents_;
    every();
  }
  for (std::size_t n = events_.size(); n > 0 && !events_.empty(); --n) {
    auto event = std::move(events_.front());
    events_.pop_front();
    event();
  }
  DeliverPostedMessages();
  RunDueTimers();
}

}  // namespace sim
