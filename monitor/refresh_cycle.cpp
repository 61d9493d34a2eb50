#include <limits>

#include "engine/matcher.h"
#include "monitor/frm_icon.h"

namespace {

bool HotkeyPending(const AppOptionsRecord& options) {
  return options.HotkeyShow.bHKTriggered || options.HotkeyReverse.bHKTriggered ||
         options.HotkeyCapitalize.bHKTriggered || options.HotkeyLower.bHKTriggered;
}

}  // namespace

void frmIcon::tmrFast_Timer() {
  forms::Control& tmrFast = form_["tmrFast"];
  // The lock-key operations below service events; no second fast tick may
  // start meanwhile.
  tmrFast.SetEnabled(false);
  // This tick serves whatever waited for it; what comes while it works is
  // served after it.
  servedLater_ = false;
  if (state_.MainWindowOpen) frmMain_.UpdateKeyStat();
  EvaluateActiveWindow(state_);
  // "Exit" may have been chosen while events were serviced: the program is
  // ending, and nothing more may be done.
  if (!form_.Loaded()) return;
  EnforceActions(state_);
  if (!form_.Loaded()) return;
  Call(links_.RunPendingHotkeys);
  if (!form_.Loaded()) return;
  if (state_.bShowTarvolo) ShowSetupWindow();
  if (!form_.Loaded()) return;
  tmrFast.SetEnabled(true);
  // One hot-key request per tick: the next one, or a window that came to the
  // front meanwhile, need not wait a whole period.
  if (servedLater_ || (links_.RunPendingHotkeys && HotkeyPending(state_.AppOptions))) ServeSoon();
}

void frmIcon::Form_Posted() {
  // Only where the timer itself could tick: not inside a tick (its waits and
  // the password's input box service messages), not during start-up, where
  // no setting may be applied, nor once shut-down has stopped the timer.
  if (!form_["tmrFast"].ShouldTick()) {
    servedLater_ = true;
    return;
  }
  tmrFast_Timer();
}

void frmIcon::tmrRefresh_Timer() {
  if (!state_.IsNT) {
    ++HookTicks;
    if (!state_.ScreenSaverSeen) {
      ++state_.IdleTicks;
      if (HookTicks > 120 && state_.IdleTicks <= 10) {
        Call(links_.RemoveActivityHook);
        Call(links_.InstallActivityHook);
        HookTicks = 0;
      }
    }
  }

  if (!state_.MainWindowOpen) return;
  const std::string name = state_.CurrentSetting().Name;
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
