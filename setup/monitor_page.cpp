// The "Monitor" page: the setting in force, the foreground window's facts
// with the matched part in green, the key states, and the snapshot.
#include "setup/frm_main.h"

#include <algorithm>
#include <functional>
#include <string>

#include "platform/clipboard_scope.h"
#include "engine/lock_key_table.h"
#include "engine/matcher.h"
#include "setup/fit_text.h"
#include "setup/frm_main_form.h"

namespace {
constexpr std::int32_t kGreen = forms::Rgb(0, 255, 0);
}  // namespace

std::array<forms::Control*, 3>& frmMain::Field(WindowFact fact) {
  switch (fact) {
    case WindowFact::Title:
      return lblAWTitle;
    case WindowFact::OwnerTitle:
      return lblAWOwnerTitle;
    case WindowFact::EXE:
      break;
  }
  return lblAWOwnerEXE;
}

void frmMain::HandleMonitorPage() {
  cmdEdit.Click.Handle([this] { cmdEdit_Click(); });
  cmdNewSnapshot.Click.Handle([this] { cmdNewSnapshot_Click(); });
  // A frame's double-click does what its state label's does.
  forms::Control* keyControls[3][2] = {
      {&lblCapsLockStat, &fraCapsLock}, {&lblNumLockStat, &fraNumLock}, {&lblScrollLockStat, &fraScrollLock}};
  for (int key = 0; key < 3; ++key)
    for (forms::Control* c : keyControls[key]) c->DblClick.Handle([this, key] { ToggleKey(key); });

  const auto onRightUp = [this](forms::Control& label, std::function<std::string()> text) {
    label.MouseUp.Handle([this, text](int button, int, double, double) {
      if (button == 2) ShowPopup(text());
    });
  };
  onRightUp(lblSettingMatch, [this] { return lblSettingMatch.Caption(); });
  for (forms::Control* label : lblAWTitle) onRightUp(*label, [this] { return engine_.WindowFacts.Title; });
  for (forms::Control* label : lblAWOwnerTitle) onRightUp(*label, [this] { return engine_.WindowFacts.OwnerTitle; });
  for (forms::Control* label : lblAWOwnerEXE) onRightUp(*label, [this] { return engine_.WindowFacts.EXE; });
  for (int i = 0; i < 4; ++i) mnuPopup[i]->Click.Handle([this, i] { mnuPopup_Click(i); });
}

void frmMain::LayOutFields() {
  for (auto* field : {&lblAWTitle, &lblAWOwnerTitle, &lblAWOwnerEXE}) {
    forms::Control& box = *(*field)[0];
    forms::Control& text = *(*field)[1];
    forms::Control& highlight = *(*field)[2];
    forms::TwipsRect r = box.Rect();
    text.Move(r);
    forms::TwipsRect h = highlight.Rect();
    h.Top = r.Top;
    h.Height = r.Height;
    highlight.Move(h);
    highlight.SetVisible(false);
    // One pixel larger on every side: the box's border frames the text.
    box.Move({r.Left - TwipsPerPixelX, r.Top - TwipsPerPixelY, r.Width + 2 * TwipsPerPixelX,
              r.Height + 2 * TwipsPerPixelY});
  }
}

void frmMain::UpdateKeyStat() {
  EnsureLoaded();
  forms::Control* lamps[] = {&shpCapsLockStat, &shpNumLockStat, &shpScrollLockStat};
  forms::Control* labels[] = {&lblCapsLockStat, &lblNumLockStat, &lblScrollLockStat};
  for (std::size_t i = 0; i < kLockKeys.size(); ++i) {
    const bool on = (engine_.LockKeys.*kLockKeys[i].get)();
    lamps[i]->SetFillColor(on ? kGreen : forms::kColorButtonFace);
    labels[i]->SetCaption(std::string(kLockKeys[i].name) + (on ? " ON" : " off"));
  }
}

void frmMain::UpdateMonitorButtons() {
  EnsureLoaded();
  const clsSetting* current = engine_.CurrentSetting();
  // None in force, as under "Default", means no setting of the user's
  // matched: nothing to edit, a window to capture.
  const bool unmatched = !current || current->Name == kDefaultSettingName;
  cmdEdit.SetEnabled(!unmatched);
  cmdNewSnapshot.SetEnabled(unmatched);
  lblSettingMatch.SetCaption(current ? current->Name : std::string());
}

void frmMain::ShowMatchedText(const std::string& text, const std::string& filter, std::int32_t matchType,
                              WindowFact fact) {
  EnsureLoaded();
  std::array<forms::Control*, 3>& field = Field(fact);
  forms::Control& label = *field[1];
  forms::Control& highlight = *field[2];
  const TextWidthOf widthOf = [&label](const std::string& s) { return label.TextWidth(s); };
  const std::int32_t W = label.Rect().Width;
  const std::optional<MatchedPart> matched = MatchFilterPart(text, filter, matchType);
  const auto highlightAt = [&](const std::string& part, std::int32_t left, std::int32_t width) {
    highlight.SetCaption(part);
    forms::TwipsRect r = highlight.Rect();
    r.Left = left;
    r.Width = width;
    highlight.Move(r);
    highlight.SetVisible(true);
  };

  if (matchType == MatchEnding) {
    label.SetCaption(FitText(text, W, false, widthOf));
    if (matched) {
      const std::string part = FitText(text.substr(matched->offset), W, false, widthOf);
      const std::int32_t pw = widthOf(part);
      highlightAt(part, label.Rect().Left + widthOf(label.Caption()) - pw, pw);
    } else {
      highlight.SetVisible(false);
    }
  } else {
    label.SetCaption(FitText(text, W, true, widthOf));
    if (matched) {
      const std::string part = matchType == MatchBeginning ? FitText(text.substr(0, matched->length), W, true, widthOf)
                                                           : FitText(text, W, false, widthOf);
      highlightAt(part, label.Rect().Left, widthOf(part));
    } else {
      highlight.SetVisible(false);
    }
  }
}

void frmMain::cmdEdit_Click() {
  const clsSetting* current = engine_.CurrentSetting();
  if (!current) return;
  const std::string name = current->Name;
  for (int i = 0; i < cboSetting.ListCount(); ++i) {
    if (cboSetting.List(i) != name) continue;
    cboSetting.SetListIndex(i);
    mstPage.SetTab(kSettingsPage);
    return;
  }
  // Deleted since the matcher chose it: there is nothing to edit.
}

void frmMain::cmdNewSnapshot_Click() {
  const std::string name = AskFreeName("Enter Name for New Setting");
  if (name.empty()) return;
  auto setting = std::make_shared<clsSetting>();
  clsSetting& s = *setting;
  s.Name = name;
  s.Filter_EXE = lblAWOwnerEXE[1]->Caption();
  s.Filter_Owner = lblAWOwnerTitle[1]->Caption();
  s.Filter_Title = lblAWTitle[1]->Caption();
  s.Match_EXE = MatchExact;
  s.Match_Owner = MatchBeginning;
  s.Match_Title = MatchBeginning;
  AddEditedSetting(std::move(setting));
  mstPage.SetTab(kSettingsPage);
}

void frmMain::ToggleKey(int key) {
  const LockKeyEntry& k = kLockKeys.at(static_cast<std::size_t>(key));
  const clsSetting* current = engine_.CurrentSetting();
  const std::int32_t action = current ? current->*k.action : ActionIgnore;  // none in force keeps no key
  if (action == ActionMaintainOn || action == ActionMaintainOff) {
    os_.MessageBeep(0);
    return;
  }
  const bool wanted = !(engine_.LockKeys.*k.get)();
  (engine_.LockKeys.*k.set)(wanted);
}

void frmMain::ShowPopup(const std::string& text) {
  PopupText = text;
  form_.PopupMenu(mPopup, forms::kPopupRightButton);
}

void frmMain::mnuPopup_Click(int index) {
  if (index != kPopupCopy) return;
  platform::ClipboardScope scope(os_, os_, form_.hWnd());
  if (!scope.Opened()) return;
  os_.EmptyClipboard();
  os_.SetClipboardText(store_.IsNT ? platform::kCfUnicodeText : platform::kCfText, PopupText);
}
