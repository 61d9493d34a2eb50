// The capture of hot-key combinations in the Options dialog: the user holds
// the keys down in a box; a timer reads them, shows them, and stores a
// complete combination that is free into the working copy.
#include "options/frm_settings.h"

#include "platform/os_types.h"

namespace {

constexpr std::int32_t kBlue = forms::Rgb(0, 0, 255);

struct Keys {
  platform::OsKeys& os;
  bool Down(int vk) const { return (os.GetKeyState(vk) & 0x8000) != 0; }
};

}  // namespace

bool frmSettings::HotkeyInUse(std::int32_t lModifier, std::int32_t lVKey, const clsHotkey& copy) const {
  const AppOptionsRecord& o = store_.AppOptions;
  for (const clsHotkey* hotkey : {&o.HotkeyShow, &o.HotkeyCapitalize, &o.HotkeyReverse, &o.HotkeyLower})
    if (hotkey->bActivated && hotkey->sDescription != copy.sDescription)
      return SameCombination(lModifier, lVKey, *hotkey);
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
  if (keys.Down(17)) text = "Ctrl + ", lModifier = 2;
  if (keys.Down(91)) text += "Win + ", lModifier += 8;
  if (keys.Down(18)) text += "Alt + ", lModifier += 1;
  if (lModifier == 0) {
    if (!keys.Down(46) && !keys.Down(32)) {
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
  if (keys.Down(16)) text += "Shift + ", lModifier += 4;

  std::int32_t lVKey = 0;
  for (int vk = 65; vk <= 90 && lVKey == 0; ++vk)
    if (keys.Down(vk)) lVKey = vk, text += static_cast<char>(vk);
  for (int vk = 112; vk <= 127 && lVKey == 0; ++vk)
    if (keys.Down(vk)) lVKey = vk, text.append("F").append(std::to_string(vk - 111));
  for (int vk = 48; vk <= 57 && lVKey == 0; ++vk)
    if (keys.Down(vk)) lVKey = vk, text += static_cast<char>(vk);
  // Keypad digits by bit 15 like every other key; they read as the digits.
  for (int vk = 96; vk <= 105 && lVKey == 0; ++vk)
    if (keys.Down(vk)) lVKey = vk, text += static_cast<char>('0' + vk - 96);

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
