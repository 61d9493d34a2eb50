#include "platform/sim/sim_hotkeys.h"

#include <algorithm>
#include <cctype>

namespace sim {

namespace {
bool SameName(const std::string& a, const std::string& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
  });
}
}  // namespace

platform::Atom SimHotkeys::GlobalAddAtom(const std::string& name) {
  if (name.empty()) return 0;
  const std::string& text = name;
  for (auto& [atom, entry] : atoms_) {
    if (SameName(entry.name, text)) {
      ++entry.references;
      return atom;
    }
  }
  platform::Atom atom = 0xC000;
  while (atoms_.count(atom)) ++atom;
  atoms_[atom] = {text, 1};
  return atom;
}

platform::Atom SimHotkeys::GlobalDeleteAtom(platform::Atom atom) {
  const auto it = atoms_.find(atom);
  if (it == atoms_.end()) return atom;
  if (--it->second.references == 0) atoms_.erase(it);
  return 0;
}

bool SimHotkeys::RegisterHotKey(platform::WindowHandle hwnd, int id, std::uint32_t modifiers, std::uint32_t vk) {
  ++registerCalls_;
  const auto key = std::make_pair(modifiers, vk);
  if (!WindowExists(hwnd) || elsewhere_.count(key) || table_.count(key)) return false;
  // One identifier per window, as on Windows.
  for (const auto& [combination, owner] : table_)
    if (owner == std::make_pair(hwnd, id)) return false;
  table_[key] = {hwnd, id};
  return true;
}

bool SimHotkeys::UnregisterHotKey(platform::WindowHandle hwnd, int id) {
  for (auto it = table_.begin(); it != table_.end(); ++it) {
    if (it->second == std::make_pair(hwnd, id)) {
      table_.erase(it);
      return true;
    }
  }
  return false;
}

bool SimHotkeys::PressHotkey(std::uint32_t modifiers, std::uint32_t vk) {
  const auto it = table_.find({modifiers, vk});
  if (it == table_.end()) return false;
  const auto [hwnd, id] = it->second;
  Dispatch(hwnd, platform::kWmHotkey, static_cast<std::uintptr_t>(static_cast<std::uint16_t>(id)),
           static_cast<std::intptr_t>((vk << 16) | modifiers));
  return true;
}

bool SimHotkeys::IsSubclassed(platform::WindowHandle hwnd) const {
  const auto it = current_.find(hwnd);
  return it != current_.end() && it->second != kOwnProc;
}

platform::WindowProcRef SimHotkeys::SubclassWindow(platform::WindowHandle hwnd, platform::WindowProc proc) {
  ++subclassCalls_;
  if (!WindowExists(hwnd)) return 0;
  const auto it = current_.find(hwnd);
  const platform::WindowProcRef previous = it == current_.end() ? kOwnProc : it->second;
  const platform::WindowProcRef ref = nextProc_++;
  procs_[ref] = std::move(proc);
  current_[hwnd] = ref;
  return previous;
}

void SimHotkeys::RestoreWindowProc(platform::WindowHandle hwnd, platform::WindowProcRef previous) {
  const auto it = current_.find(hwnd);
  if (it == current_.end()) return;
  procs_.erase(it->second);
  it->second = previous;
}

std::intptr_t SimHotkeys::CallWindowProc(platform::WindowProcRef previous, platform::WindowHandle hwnd,
                                          std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) {
  if (previous == kOwnProc) {
    DeliverToWindow(hwnd, msg, wParam, lParam);
    return 0;
  }
  const auto it = procs_.find(previous);
  if (it == procs_.end()) return 0;
  auto proc = it->second;
  return proc(hwnd, msg, wParam, lParam);
}

void SimHotkeys::Dispatch(platform::WindowHandle hwnd, std::uint32_t msg, std::uintptr_t wParam,
                          std::intptr_t lParam) {
  const auto it = current_.find(hwnd);
  CallWindowProc(it == current_.end() ? kOwnProc : it->second, hwnd, msg, wParam, lParam);
}

}  // namespace sim
