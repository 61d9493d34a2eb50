#include "engine/matcher.h"

#include "engine/engine_state.h"
#include "store/text.h"

namespace {

bool FiltersMatch(const clsSetting& setting, const WindowFactsRecord& facts) {
  bool matched = false;
  bool failed = false;
  auto test = [&](const std::string& text, const std::string& filter, std::int32_t match) {
    if (failed || filter.empty()) return;
    (MatchFilter(text, filter, match) ? matched : failed) = true;
  };
  test(facts.Title, setting.Filter_Title, setting.Match_Title);
  test(facts.OwnerTitle, setting.Filter_Owner, setting.Match_Owner);
  test(facts.EXE, setting.Filter_EXE, setting.Match_EXE);
  return matched && !failed;
}

struct KeyOps {
  bool (LockKeyController::*get)();
  void (LockKeyController::*set)(const bool&);
  std::int32_t clsSetting::*action;
  bool clsSetting::*remembered;
};

constexpr KeyOps kKeys[] = {
    {&LockKeyController::GetCapsLock, &LockKeyController::SetCapsLock, &clsSetting::Action_CapsLock,
     &clsSetting::Remembered_CapsLock},
    {&LockKeyController::GetNumLock, &LockKeyController::SetNumLock, &clsSetting::Action_NumLock,
     &clsSetting::Remembered_NumLock},
    {&LockKeyController::GetScrollLock, &LockKeyController::SetScrollLock, &clsSetting::Action_ScrollLock,
     &clsSetting::Remembered_ScrollLock},
};

void SetKey(EngineState& state, const KeyOps& key, bool on) { (state.LockKeys.*key.set)(on); }

}  // namespace

bool MatchFilter(std::string_view text, std::string_view filter, std::int32_t matchType) {
  if (filter.empty() || filter.size() > text.size()) return false;
  switch (matchType) {
    case MatchBeginning:
      return EqualsIgnoringCase(text.substr(0, filter.size()), filter);
    case MatchEnding:
      return EqualsIgnoringCase(text.substr(text.size() - filter.size()), filter);
    case MatchExact:
      return EqualsIgnoringCase(text, filter);
    default:
      return true;
  }
}

void EvaluateActiveWindow(EngineState& state) {
  clsWinfo& probe = state.Probe();
  const platform::WindowHandle handle = probe.ActWndHandle();
  if (handle == 0 || handle == state.LastActiveWindow) return;
  state.LastActiveWindow = handle;

  probe.set_hWndDefault(handle);
  std::string title = probe.WndTitle();
  std::string exe = probe.OwnerEXE();
  const platform::WindowHandle owner = probe.ActWndOwnerHandle();
  std::string ownerTitle = probe.WndTitle(owner);

  // Our own windows and screen savers never change the setting in force.
  if (UpperCase(std::string_view(exe).substr(0, 7)) == "TARVOLO") return;
  if (exe.size() >= 4 && UpperCase(std::string_view(exe).substr(exe.size() - 4)) == ".SCR") {
    state.ScreenSaverSeen = true;
    return;
  }
  state.WindowFacts = {std::move(title), std::move(ownerTitle), std::move(exe)};

  bool changed = false;
  bool won = false;
  for (const auto& setting : state.Settings) {
    if (!FiltersMatch(*setting, state.WindowFacts)) continue;
    won = true;
    changed = setting->Name != state.CurrentSetting().Name;
    if (changed) state.SetCurrentSetting(setting);
    break;
  }
  if (!won) {
    changed = state.CurrentSetting().Name != "Default";
    if (changed) state.SetCurrentSetting(state.Settings.Item("Default"));
  }

  ApplyActions(state, changed);

  if (state.MainWindowOpen && state.View != nullptr) {
    const clsSetting& current = state.CurrentSetting();
    const WindowFactsRecord& facts = state.WindowFacts;
    state.View->ShowMatchedText(facts.Title, current.Filter_Title, current.Match_Title, WindowFact::Title);
    state.View->ShowMatchedText(facts.OwnerTitle, current.Filter_Owner, current.Match_Owner, WindowFact::OwnerTitle);
    state.View->ShowMatchedText(facts.EXE, current.Filter_EXE, current.Match_EXE, WindowFact::EXE);
    state.View->UpdateMonitorButtons();
  }
}

void ApplyActions(EngineState& state, const bool& changed) {
  for (const KeyOps& key : kKeys) {
    // Hold the record itself: a nested tick may replace CurrentSetting while
    // a key operation services events.
    const clsSettings::Ref current = state.CurrentSettingRef();
    switch ((*current).*key.action) {
      case ActionToggleOn:
        if (changed) SetKey(state, key, true);
        break;
      case ActionToggleOff:
        if (changed) SetKey(state, key, false);
        break;
      case ActionMaintainOn:
        SetKey(state, key, true);
        break;
      case ActionMaintainOff:
        SetKey(state, key, false);
        break;
      case ActionRemember:
        if (changed) SetKey(state, key, (*current).*key.remembered);
        break;
      default:
        break;
    }
  }
}

void EnforceActions(EngineState& state) {
  for (const KeyOps& key : kKeys) {
    const clsSettings::Ref current = state.CurrentSettingRef();
    switch ((*current).*key.action) {
      case ActionMaintainOn:
        SetKey(state, key, true);
        break;
      case ActionMaintainOff:
        SetKey(state, key, false);
        break;
      case ActionRemember:
        (*current).*key.remembered = (state.LockKeys.*key.get)();
        break;
      default:
        break;
    }
  }
}

void SettingsReplaced(EngineState& state) {
  const clsSetting& current = state.CurrentSetting();
  if (const clsSettings::Ref same = state.Settings.Item(current.Name); same && same->Name == current.Name) {
    same->Remembered_CapsLock = current.Remembered_CapsLock;
    same->Remembered_NumLock = current.Remembered_NumLock;
    same->Remembered_ScrollLock = current.Remembered_ScrollLock;
    state.SetCurrentSetting(same);
  }
  state.LastActiveWindow = 0;
}
