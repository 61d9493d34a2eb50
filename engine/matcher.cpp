#include "engine/matcher.h"

#include "engine/engine_state.h"
#include "engine/lock_key_table.h"
#include "platform/text/utf8.h"
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

void SetKey(EngineState& state, const LockKeyEntry& key, bool on) {
  if (!(state.LockKeys.*key.set)(on)) return;
  LockKeyChanges& changes = state.KeysSetBySetting;
  changes.keys |= key.bit;
  changes.on = static_cast<LockKeySet>(on ? changes.on | key.bit : changes.on & ~key.bit);
}

}  // namespace

std::optional<MatchedPart> MatchFilterPart(std::string_view text, std::string_view filter,
                                           std::int32_t matchType) {
  if (filter.empty()) return std::nullopt;
  switch (matchType) {
    case MatchBeginning:
      if (const auto n = StartsWithIgnoringCase(text, filter)) return MatchedPart{0, *n};
      return std::nullopt;
    case MatchEnding:
      if (const auto at = EndsWithIgnoringCase(text, filter)) return MatchedPart{*at, text.size() - *at};
      return std::nullopt;
    case MatchExact:
      if (EqualsIgnoringCase(text, filter)) return MatchedPart{0, text.size()};
      return std::nullopt;
    default: {
      // Unknown codes accept, unless the filter is longer than the text.
      std::size_t chars = 0;
      for (std::size_t at = 0; at < filter.size(); ++chars) at += text::DecodeUtf8(filter, at).length;
      for (std::size_t at = 0; at < text.size() && chars > 0; --chars) at += text::DecodeUtf8(text, at).length;
      if (chars > 0) return std::nullopt;
      return MatchedPart{0, text.size()};
    }
  }
}

bool MatchFilter(std::string_view text, std::string_view filter, std::int32_t matchType) {
  // A new window is compared with every setting, and nearly every comparison
  // is decided by its first (or last) character, nearly always ASCII: that
  // one is looked at here, cheaply, before the whole comparison.
  if (filter.empty() || text.empty()) return false;
  const bool fromEnd = matchType == MatchEnding;
  const char a = fromEnd ? text.back() : text.front();
  const char b = fromEnd ? filter.back() : filter.front();
  const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
  if ((matchType == MatchBeginning || fromEnd || matchType == MatchExact) && a != b &&
      static_cast<unsigned char>(a) < 0x80 && static_cast<unsigned char>(b) < 0x80 && upper(a) != upper(b))
    return false;
  return MatchFilterPart(text, filter, matchType).has_value();
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
  if (StartsWithIgnoringCase(exe, "TARVOLO")) return;
  if (EndsWithIgnoringCase(exe, ".SCR")) {
    state.ScreenSaverSeen = true;
    return;
  }
  state.WindowFacts = {std::move(title), std::move(ownerTitle), std::move(exe)};

  bool changed = false;
  bool won = false;
  for (const auto& setting : state.Settings) {
    if (!FiltersMatch(*setting, state.WindowFacts)) continue;
    won = true;
    changed = !state.CurrentSetting() || setting->Name != state.CurrentSetting()->Name;
    if (changed) state.SetCurrentSetting(setting);
    break;
  }
  if (!won) {
    // No "Default" leaves none in force, and each new window is a change.
    changed = !state.CurrentSetting() || state.CurrentSetting()->Name != kDefaultSettingName;
    if (changed) state.SetCurrentSetting(state.Settings.Item(kDefaultSettingName));
  }

  ApplyActions(state, changed);
  ShowWindowFacts(state);
}

void ShowWindowFacts(EngineState& state) {
  if (!state.MainWindowOpen || state.View == nullptr) return;
  // With none in force nothing matched: no filter to highlight.
  const clsSetting none;
  const clsSetting& current = state.CurrentSetting() ? *state.CurrentSetting() : none;
  const WindowFactsRecord& facts = state.WindowFacts;
  state.View->ShowMatchedText(facts.Title, current.Filter_Title, current.Match_Title, WindowFact::Title);
  state.View->ShowMatchedText(facts.OwnerTitle, current.Filter_Owner, current.Match_Owner, WindowFact::OwnerTitle);
  state.View->ShowMatchedText(facts.EXE, current.Filter_EXE, current.Match_EXE, WindowFact::EXE);
  state.View->UpdateMonitorButtons();
}

void ApplyActions(EngineState& state, const bool& changed) {
  for (const LockKeyEntry& key : kLockKeys) {
    // Hold the record itself: a nested tick may replace CurrentSetting while
    // a key operation services events.
    const clsSettings::Ref current = state.CurrentSettingRef();
    if (!current) return;  // none in force: no action
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
  for (const LockKeyEntry& key : kLockKeys) {
    const clsSettings::Ref current = state.CurrentSettingRef();
    if (!current) return;
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
  // None in force: there are no remembered states to carry over.
  if (const clsSetting* current = state.CurrentSetting()) {
    if (const clsSettings::Ref same = state.Settings.Item(current->Name); same && same->Name == current->Name) {
      same->Remembered_CapsLock = current->Remembered_CapsLock;
      same->Remembered_NumLock = current->Remembered_NumLock;
      same->Remembered_ScrollLock = current->Remembered_ScrollLock;
      state.SetCurrentSetting(same);
    }
  }
  state.LastActiveWindow = 0;
}
