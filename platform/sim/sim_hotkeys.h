#pragma once
// Atoms, the system-wide hot-key table and window subclassing on the
// simulated desktop.
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <utility>

#include "platform/os_hotkeys.h"

namespace sim {

class SimHotkeys : public virtual platform::OsHotkeys {
 public:
  // ---- set-up and faults ----
  // Another program holds this combination.
  void HoldHotkeyElsewhere(std::uint32_t modifiers, std::uint32_t vk) { elsewhere_.insert({modifiers, vk}); }
  // The user presses the combination: WM_HOTKEY to whoever registered it.
  // False when nobody of ours has it.
  bool PressHotkey(std::uint32_t modifiers, std::uint32_t vk);

  // ---- observation ----
  bool HotkeyRegistered(std::uint32_t modifiers, std::uint32_t vk) const { return table_.count({modifiers, vk}) > 0; }
  bool HeldElsewhere(std::uint32_t modifiers, std::uint32_t vk) const { return elsewhere_.count({modifiers, vk}) > 0; }
  std::size_t RegisteredHotkeys() const { return table_.size(); }
  std::size_t AtomsInTable() const { return atoms_.size(); }
  int SubclassCalls() const { return subclassCalls_; }
  int RegisterCalls() const { return registerCalls_; }
  bool IsSubclassed(platform::WindowHandle hwnd) const;

  // ---- platform::OsHotkeys ----
  platform::Atom GlobalAddAtom(const std::string& name) override;
  platform::Atom GlobalDeleteAtom(platform::Atom atom) override;
  bool RegisterHotKey(platform::WindowHandle hwnd, int id, std::uint32_t modifiers, std::uint32_t vk) override;
  bool UnregisterHotKey(platform::WindowHandle hwnd, int id) override;
  platform::WindowProcRef SubclassWindow(platform::WindowHandle hwnd, platform::WindowProc proc) override;
  void RestoreWindowProc(platform::WindowHandle hwnd, platform::WindowProcRef previous) override;
  std::intptr_t CallWindowProc(platform::WindowProcRef previous, platform::WindowHandle hwnd, std::uint32_t msg,
                                std::uintptr_t wParam, std::intptr_t lParam) override;

 protected:
  // A message to a window: through its current procedure.
  void Dispatch(platform::WindowHandle hwnd, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam);
  // The window's own procedure, from before any subclass.
  virtual void DeliverToWindow(platform::WindowHandle hwnd, std::uint32_t msg, std::uintptr_t wParam,
                               std::intptr_t lParam) = 0;
  virtual bool WindowExists(platform::WindowHandle hwnd) const = 0;

 private:
  static constexpr platform::WindowProcRef kOwnProc = 1;
  struct AtomEntry {
    std::string name;
    int references;
  };
  std::map<platform::Atom, AtomEntry> atoms_;
  std::map<std::pair<std::uint32_t, std::uint32_t>, std::pair<platform::WindowHandle, int>> table_;
  std::set<std::pair<std::uint32_t, std::uint32_t>> elsewhere_;
  std::map<platform::WindowProcRef, platform::WindowProc> procs_;
  std::map<platform::WindowHandle, platform::WindowProcRef> current_;
  platform::WindowProcRef nextProc_ = 0x100;
  int subclassCalls_ = 0;
  int registerCalls_ = 0;
};

}  // namespace sim
