#include "tray/hotkeys.h"

#include "store/hotkey_table.h"

namespace {
// Atoms from the global table lie above 0x7FFF; the identifier is the atom
// read as a signed 16-bit number.
int IdOf(platform::Atom atom) { return static_cast<std::int16_t>(atom); }
}  // namespace

modHotkey::modHotkey(platform::OsHotkeys& os, AppOptionsRecord& options, WindowOf frmIconWindow)
    : os_(os), options_(options), window_(std::move(frmIconWindow)) {}

modHotkey::~modHotkey() {
  // The window must never be left calling into a procedure that is gone.
  if (previousProc_ != 0) os_.RestoreWindowProc(subclassedWindow_, previousProc_);
}

std::array<clsHotkey*, 4> modHotkey::Ordered() {
  std::array<clsHotkey*, 4> hotkeys{};
  for (std::size_t i = 0; i < hotkeys.size(); ++i) hotkeys[i] = &(options_.*HotkeyOf(kHotkeyPrecedence[i]).record);
  return hotkeys;
}

void modHotkey::ReleaseRegistrations() {
  for (platform::Atom atom : atoms_) {
    if (atom == 0) continue;
    os_.UnregisterHotKey(window_(), IdOf(atom));
    os_.GlobalDeleteAtom(atom);
  }
  atoms_ = {};
}

void modHotkey::RegisterHotkeys() {
  // Registering again over our own registrations would fail for every
  // hot-key and leave them all inactive; the new values replace the old.
  ReleaseRegistrations();
  const auto hotkeys = Ordered();
  for (std::size_t i = 0; i < hotkeys.size(); ++i) atoms_[i] = os_.GlobalAddAtom(hotkeys[i]->sDescription);
  const platform::WindowHandle hwnd = window_();
  for (std::size_t i = 0; i < hotkeys.size(); ++i) {
    clsHotkey& hotkey = *hotkeys[i];
    // Without an atom there is no identifier to tell this hot-key apart; one
    // without a key (never set, or cleared) has no combination to register.
    hotkey.bActivated = atoms_[i] != 0 && hotkey.lVKey != 0 &&
                        os_.RegisterHotKey(hwnd, IdOf(atoms_[i]), static_cast<std::uint32_t>(hotkey.lModifier),
                                           static_cast<std::uint32_t>(hotkey.lVKey));
  }
  if (previousProc_ == 0) {
    previousProc_ = os_.SubclassWindow(
        hwnd, [this](platform::WindowHandle w, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) {
          return HotkeyWindowProc(w, msg, wParam, lParam);
        });
    if (previousProc_ != 0) subclassedWindow_ = hwnd;
  }
}

void modHotkey::UnregisterHotkeys() {
  ReleaseRegistrations();
  if (previousProc_ != 0) {
    os_.RestoreWindowProc(subclassedWindow_, previousProc_);
    previousProc_ = 0;
    subclassedWindow_ = 0;
  }
}

bool modHotkey::IsHotkeyFree(std::int32_t& lModifier, std::int32_t& lVKey) {
  const platform::Atom atom = os_.GlobalAddAtom("TestHotkey");
  if (atom == 0) return false;
  const platform::WindowHandle hwnd = window_();
  const int id = IdOf(atom);
  const bool free =
      os_.RegisterHotKey(hwnd, id, static_cast<std::uint32_t>(lModifier), static_cast<std::uint32_t>(lVKey));
  if (free) os_.UnregisterHotKey(hwnd, id);
  os_.GlobalDeleteAtom(atom);
  return free;
}

std::intptr_t modHotkey::HotkeyWindowProc(platform::WindowHandle hwnd, std::uint32_t msg, std::uintptr_t wParam,
                                          std::intptr_t lParam) {
  if (msg == platform::kWmHotkey) {
    const auto id = static_cast<std::int16_t>(wParam & 0xFFFF);
    const auto hotkeys = Ordered();
    for (std::size_t i = 0; i < hotkeys.size(); ++i) {
      if (atoms_[i] != 0 && IdOf(atoms_[i]) == id) {
        hotkeys[i]->bHKTriggered = true;
        break;
      }
    }
  }
  return os_.CallWindowProc(previousProc_, hwnd, msg, wParam, lParam);
}
