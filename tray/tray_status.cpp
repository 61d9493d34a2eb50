#include "tray/tray_status.h"

#include <utility>

#include "engine/lock_key_table.h"
#include "platform/text/utf8.h"

namespace {

constexpr std::size_t kTipRoom = 63;
constexpr std::size_t kNoticeRoom = 255;

// The shell counts UTF-16 units on the NT family and bytes of the ANSI code
// page on the 9x family; a character beyond ASCII counted as two is never
// less than either.
std::size_t Units(const text::Utf8Char& c) { return c.cp < 0x80 ? 1 : 2; }

// The name whole, or its start and "..." within room units.
std::string Fitted(std::string_view name, std::size_t room) {
  std::size_t units = 0;
  for (std::size_t at = 0; at < name.size();) {
    const text::Utf8Char c = text::DecodeUtf8(name, at);
    units += Units(c);
    at += c.length;
  }
  if (units <= room) return std::string(name);
  std::size_t at = 0;
  for (units = 3; at < name.size();) {
    const text::Utf8Char c = text::DecodeUtf8(name, at);
    if ((units += Units(c)) > room) break;
    at += c.length;
  }
  return std::string(name.substr(0, at)) + "...";
}

std::string KeysOn(LockKeySet on) {
  if (on == 0) return "all lock keys off";
  if (on == (kCapsLockBit | kNumLockBit | kScrollLockBit)) return "all lock keys on";
  std::string names;
  for (const LockKeyEntry& key : kLockKeys) {
    if ((on & key.bit) == 0) continue;
    if (!names.empty()) names += " and ";
    names += key.name;
  }
  return names + " on";
}

}  // namespace

std::string TrayTip(std::string_view setting, LockKeySet on) {
  const std::string keys = KeysOn(on);
  const std::string head = "Tarvolo: ";
  if (setting.empty()) return head + keys;
  return head + Fitted(setting, kTipRoom - head.size() - 2 - keys.size()) + ", " + keys;
}

std::string LockKeyNotice(std::string_view setting, LockKeySet keys, LockKeySet on) {
  std::string text;
  for (const LockKeyEntry& key : kLockKeys) {
    if ((keys & key.bit) == 0) continue;
    if (!text.empty()) text += ", ";
    text += std::string(key.name) + ((on & key.bit) ? " on" : " off");
  }
  if (setting.empty()) return text;
  return text + " (" + Fitted(setting, kNoticeRoom - text.size() - 3) + ")";
}

void TrayStatus::Update(clsSysTray& tray, forms::Control& pictures, bool refreshTick) {
  // The picture stands in for the keyboard's lamps: the keys are read at
  // every tick. The tip alone waits for the refresh tick, unless a setting
  // changed a key, so that the idle fast tick asks the system nothing more.
  if (refreshTick || options_.ShowLockKeysInTray || engine_.KeysSetBySetting.keys != 0 || !tipShown_)
    keys_ = engine_.LockKeys.ToggledNow();
  const LockKeySet on = keys_;
  static const std::string kNoSetting;  // none in force: the tip names only the keys
  const clsSetting* current = engine_.CurrentSetting();
  const std::string& name = current ? current->Name : kNoSetting;
  if (!tipShown_ || on != shownKeys_ || name != shownName_) {
    tipShown_ = true;
    shownKeys_ = on;
    shownName_ = name;
    std::string tip = TrayTip(name, on);
    if (tip != tray.ToolTip()) tray.SetToolTip(tip);
  }
  const int picture = options_.ShowLockKeysInTray ? 1 + on : 0;
  if (picture != shownPicture_) {
    shownPicture_ = picture;
    tray.SetIcon(pictures.ListImage(picture));
  }
  Notice(tray, on);
}

void TrayStatus::Notice(clsSysTray& tray, LockKeySet on) {
  const LockKeyChanges changes = std::exchange(engine_.KeysSetBySetting, {});
  if (engine_.LastActiveWindow != activation_) {
    activation_ = engine_.LastActiveWindow;
    waiting_ = {};
    told_ = false;
  }
  if (told_ || !options_.TellLockKeyChanges) {
    waiting_ = {};
    return;
  }
  if (changes.keys != 0) {
    waiting_.keys |= changes.keys;
    waiting_.on = static_cast<LockKeySet>((waiting_.on & ~changes.keys) | (changes.on & changes.keys));
    const clsSetting* current = engine_.CurrentSetting();
    waitingSetting_ = current ? current->Name : std::string();
  }
  if (waiting_.keys == 0) return;
  // A key the user has put back since is no longer the setting's doing. The
  // keys were read after that: putting one back is input, and the notice
  // waits a second after input, which has a refresh tick in it.
  waiting_.keys &= static_cast<LockKeySet>(~(waiting_.on ^ on));
  if (waiting_.keys == 0 || !UserQuiet()) return;
  tray.ShowBalloon("Tarvolo", LockKeyNotice(waitingSetting_, waiting_.keys, waiting_.on));
  waiting_ = {};
  told_ = true;
}

// No keyboard or mouse input for a second. The program's own keystrokes
// count as input too, so a notice waits a second after the change.
bool TrayStatus::UserQuiet() {
  // The activity hook of the 9x family counts refresh ticks (half a second)
  // without input.
  if (!isNT_) return hook_.IdleTicks >= 3;
  std::uint32_t last = 0;
  // NT 4 cannot tell; its shell has no balloons either.
  if (!engine_.os.GetLastInputInfo(last)) return true;
  return engine_.os.GetTickCount() - last >= 1000;
}
