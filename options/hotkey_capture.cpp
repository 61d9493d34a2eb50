// The capture of hot-key combinations in the Options dialog: the user holds
// the keys down in a box; a timer reads them, shows them, and stores a
// complete combination that is free into the working copy.
#include "options/frm_settings.h"

#include "platform/os_hotkeys.h"
#include "platform/os_types.h"
#include "store/hotkey_table.h"

namespace {

constexpr std::int32_t kBlue = forms::Rgb(0, 0, 255);

// The record holds the modifier bits as a signed number, as the file does.
constexpr std::int32_t Bit(std::uint32_t modifier) { return static_cast<std::int32_t>(modifier); }

struct Keys {
  platform::OsKeys& os;
  bool Down(int vk) const { return (os.GetKeyState(vk) & platform::kKeyDown) != 0; }
};

}  // namespace

bool frmSettings::HotkeyInUse(std::int32_t lModifier, std::int32_t lVKey, const clsHotkey& copy) const {
  for (const HotkeyEntry& entry : kHotkeys) {
    const clsHotkey& hotkey = store_.AppOptions.*entry.record;
    if (hotkey.bActivated && hotkey.sDescription != copy.sDescription)
      return SameCombination(lModifier, lVKey, hotkey);
  }
  return false;
}

bool frmSettings::DisplayUsedElsewhere(const std::string& text, const forms::Control& box) const {
  int count = 0;
  for (const forms::Control* other : hotkeyBoxes) count += other->Text() == text ? 1 : 0;
  if (box.Text() == text) --count;
  return count > 0;
}

void frmSettings::tmrHotKey_Timer() {
  const platform::WindowHandle focus = os_.GetFocus();
  std::size_t row = hotkeyBoxes.size();
  for (std::size_t i = 0; i < hotkeyBoxes.size(); ++i)
    if (focus != 0 && hotkeyBoxes[i]->hWnd() == focus) {
      row = i;
      break;
    }
  if (row == hotkeyBoxes.size()) return;
  forms::Control& box = *hotkeyBoxes[row];
  clsHotkey& copy = Copies[row];
  const Keys keys{os_};

  std::string text;
  std::int32_t lModifier = 0;
  if (keys.Down(platform::kVkControl)) text = "Ctrl + ", lModifier = Bit(platform::kModControl);
  if (keys.Down(platform::kVkLWin)) text += "Win + ", lModifier += Bit(platform::kModWin);
  if (keys.Down(platform::kVkMenu)) text += "Alt + ", lModifier += Bit(platform::kModAlt);
  if (lModifier == 0) {
    if (!keys.Down(platform::kVkDelete) && !keys.Down(platform::kVkSpace)) {
      box.SetText(copy.sHotkey);
    } else {
      copy.sHotkey.clear();
      copy.lModifier = 0;
      copy.lVKey = 0;
      copy.sScratch.clear();
      box.SetText("");
    }
    box.SetForeColor(forms::kColorWindowText);
    return;
  }
  if (keys.Down(platform::kVkShift)) text += "Shift + ", lModifier += Bit(platform::kModShift);

  std::int32_t lVKey = 0;
  for (int vk = 'A'; vk <= 'Z' && lVKey == 0; ++vk)
    if (keys.Down(vk)) lVKey = vk, text += static_cast<char>(vk);
  for (int vk = platform::kVkF1; vk <= platform::kVkF16 && lVKey == 0; ++vk)
    if (keys.Down(vk)) lVKey = vk, text.append("F").append(std::to_string(vk - platform::kVkF1 + 1));
  for (int vk = '0'; vk <= '9' && lVKey == 0; ++vk)
    if (keys.Down(vk)) lVKey = vk, text += static_cast<char>(vk);
  // Keypad digits by bit 15 like every other key; they read as the digits.
  for (int vk = platform::kVkNumpad0; vk <= platform::kVkNumpad9 && lVKey == 0; ++vk)
    if (keys.Down(vk)) lVKey = vk, text += static_cast<char>('0' + vk - platform::kVkNumpad0);

  box.SetText(text);
  if (lVKey == 0) box.SetForeColor(kBlue);
  if (lVKey != 0 && text != copy.sScratch) {
    std::int32_t modifier = lModifier;
    std::int32_t vkey = lVKey;
    const bool ours = HotkeyInUse(lModifier, lVKey, copy);
    const bool free = hotkeys_.IsHotkeyFree(modifier, vkey);
    if ((ours || free) && !DisplayUsedElsewhere(text, box)) {
      box.SetForeColor(forms::kColorWindowText);
      copy.lModifier = lModifier;
      copy.lVKey = lVKey;
      copy.sHotkey = text;
    } else {
      box.SetForeColor(kBlue);
    }
  }
  copy.sScratch = text;
}
