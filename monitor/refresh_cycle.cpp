#include <algorithm>
#include <limits>

#include "engine/matcher.h"
#include "monitor/frm_icon.h"
#include "store/hotkey_table.h"
#include "store/settings_file.h"

namespace {

bool HotkeyPending(const AppOptionsRecord& options) {
  return std::any_of(kHotkeys.begin(), kHotkeys.end(),
                     [&options](const HotkeyEntry& h) { return (options.*h.record).bHKTriggered; });
}

}  // namespace

void frmIcon::tmrFast_Timer() {
  // The lock-key operations below service events; no second fast tick may
  // start meanwhile.
  tmrFast.SetEnabled(false);
  // This tick serves whatever waited for it; what comes while it works is
  // served after it.
  servedLater_ = false;
  if (engine_.MainWindowOpen) frmMain_.UpdateKeyStat();
  EvaluateActiveWindow(engine_);
  // "Exit" may have been chosen while events were serviced: the program is
  // ending, and nothing more may be done.
  if (!form_.Loaded()) return;
  EnforceActions(engine_);
  if (!form_.Loaded()) return;
  if (gSysTray && trayStatus_) trayStatus_->Update(*gSysTray, ilsIcons);
  functions_.RunPendingHotkeys(store_.AppOptions, bShowTarvolo);
  if (!form_.Loaded()) return;
  if (bShowTarvolo) ShowSetupWindow();
  if (!form_.Loaded()) return;
  tmrFast.SetEnabled(true);
  // One hot-key request per tick: the next one, or a window that came to the
  // front meanwhile, need not wait a whole period.
  if (servedLater_ || HotkeyPending(store_.AppOptions)) ServeSoon();
}

void frmIcon::Form_Posted() {
  // Only where the timer itself could tick: not inside a tick (its waits and
  // the password's input box service messages), not during start-up, where
  // no setting may be applied, nor once shut-down has stopped the timer.
  if (!tmrFast.ShouldTick()) {
    servedLater_ = true;
    return;
  }
  tmrFast_Timer();
}

void frmIcon::tmrRefresh_Timer() {
  if (!store_.IsNT) {
    ++HookTicks;
    if (!engine_.ScreenSaverSeen) {
      ++hook_.IdleTicks;
      if (HookTicks > 120 && hook_.IdleTicks <= 10) {
        hook_.RemoveActivityHook();
        hook_.InstallActivityHook();
        HookTicks = 0;
      }
    }
  }

  if (gSysTray && trayStatus_) trayStatus_->Update(*gSysTray, ilsIcons, true);

  if (!engine_.MainWindowOpen) {
    AdoptSettingsChangedOnDisk();
    return;
  }
  // None in force shows as an empty name.
  const clsSetting* current = engine_.CurrentSetting();
  const std::string name = current ? current->Name : std::string();
  std::string shown;
  if (name != CaptionName) {
    CaptionScroll = 1;
    CaptionName = name;
    shown = name;
  } else {
    CaptionName = name;
    if (name.size() > 35) {
      int scroll = CaptionScroll + 1;
      if (scroll > static_cast<int>(name.size()) + 3 || scroll > std::numeric_limits<std::int16_t>::max()) scroll = 1;
      CaptionScroll = static_cast<std::int16_t>(scroll);
      // Turned left by CaptionScroll - 1 places.
      const std::string looped = name + "...  ";
      const std::size_t at = static_cast<std::size_t>(CaptionScroll - 1);
      shown = looped.substr(at) + looped.substr(0, at);
    } else {
      shown = name;
    }
  }
  frmMain_.SetCaption("Tarvolo - [" + shown.substr(0, 35) + "]");
}

// A Tarvolo.INI edited by hand applies while the program runs, as long as
// nothing of the program's own is editing the same settings: the setup
// window is closed and no fast tick (nor its password question) is under way.
void frmIcon::AdoptSettingsChangedOnDisk() {
  if (!tmrFast.Enabled()) return;
  std::unique_ptr<SettingsStore> loaded = ReadSettingsChangedOnDisk(store_);
  if (!loaded) return;
  AdoptSettings(store_, *loaded);
  SettingsReplaced(engine_);
  hotkeys_.RegisterHotkeys();  // releases the old combinations first
}
