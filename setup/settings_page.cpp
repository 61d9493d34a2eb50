// The "Settings" page: choosing, creating, renaming and deleting settings,
// and editing the chosen one in place.
#include "setup/frm_main.h"

#include <string>
#include <vector>

namespace {
const char* const kMatchTypes[] = {"Beginning", "Ending", "Exact"};
const char* const kActions[] = {"Ignore", "Toggle ON", "Toggle OFF", "Maintain ON", "Maintain OFF", "Remember"};

// A stored code the list cannot show leaves the list without a selection;
// the setting keeps its code until the user picks an entry.
int Shown(std::int32_t code, int entries) { return code >= 0 && code < entries ? code : -1; }
}  // namespace

void frmMain::HandleSettingsPage() {
  cboSetting.Click.Handle([this] { cboSetting_Click(); });
  cmdNew.Click.Handle([this] { cmdNew_Click(); });
  cmdRename.Click.Handle([this] { cmdRename_Click(); });
  cmdDelete.Click.Handle([this] { cmdDelete_Click(); });
  const struct {
    forms::Control& check;
    forms::Control& text;
    forms::Control& match;
    std::string clsSetting::*filter;
    std::int32_t clsSetting::*matchType;
  } filters[] = {
      {chkTitle, txtFilter_Title, cboMatch_Title, &clsSetting::Filter_Title, &clsSetting::Match_Title},
      {chkOwnerTitle, txtFilter_Owner, cboMatch_Owner, &clsSetting::Filter_Owner, &clsSetting::Match_Owner},
      {chkOwnerEXE, txtFilter_EXE, cboMatch_EXE, &clsSetting::Filter_EXE, &clsSetting::Match_EXE},
  };
  for (const auto& f : filters) {
    forms::Control* check = &f.check;
    forms::Control* text = &f.text;
    forms::Control* match = &f.match;
    const auto filter = f.filter;
    const auto matchType = f.matchType;
    // With no setting shown the boxes edit nothing.
    check->Click.Handle([this, check, text, filter] {
      if (clsSetting* edited = EditedSetting()) edited->*filter = check->Value() == 1 ? text->Text() : std::string();
    });
    text->Change.Handle([this, text, filter] {
      if (clsSetting* edited = EditedSetting()) edited->*filter = text->Text();
    });
    match->Click.Handle([this, match, matchType] {
      clsSetting* edited = EditedSetting();
      if (edited && match->ListIndex() >= 0) edited->*matchType = match->ListIndex();
    });
  }
  const struct {
    forms::Control& list;
    std::int32_t clsSetting::*action;
  } actions[] = {{cboAction_CapsLock, &clsSetting::Action_CapsLock},
                 {cboAction_NumLock, &clsSetting::Action_NumLock},
                 {cboAction_ScrollLock, &clsSetting::Action_ScrollLock}};
  for (const auto& a : actions) {
    forms::Control* list = &a.list;
    const auto action = a.action;
    list->Click.Handle([this, list, action] {
      clsSetting* edited = EditedSetting();
      if (edited && list->ListIndex() >= 0) edited->*action = list->ListIndex();
    });
  }
}

void frmMain::FillSettingsPage() {
  editedSetting_.reset();  // so that choosing the first setting shows it
  for (forms::Control* list : {&cboMatch_Title, &cboMatch_Owner, &cboMatch_EXE}) {
    list->Clear();
    for (const char* text : kMatchTypes) list->AddItem(text);
  }
  for (forms::Control* list : {&cboAction_CapsLock, &cboAction_NumLock, &cboAction_ScrollLock}) {
    list->Clear();
    for (const char* text : kActions) list->AddItem(text);
  }
  cboSetting.SetItems(SettingNames());
  if (cboSetting.ListCount() > 0) cboSetting.SetListIndex(0);
}

std::vector<std::string> frmMain::SettingNames() const {
  std::vector<std::string> names;
  names.reserve(static_cast<std::size_t>(store_.Settings.Count()));
  for (const clsSettings::Ref& setting : store_.Settings) names.push_back(setting->Name);
  return names;
}

void frmMain::cboSetting_Click() {
  const std::string chosen = cboSetting.Text();
  if (editedSetting_ && chosen == editedSetting_->Name && !ForceRefresh) return;
  clsSettings::Ref setting = store_.Settings.Item(chosen);
  // The chooser lists only settings of the collection; should one be gone,
  // the page stays as it was rather than show a stranger.
  if (!setting) return;
  editedSetting_ = setting;
  ForceRefresh = false;

  const bool editable = chosen != kDefaultSettingName;
  for (forms::Control* c : {&cmdRename, &cmdDelete, &chkTitle, &chkOwnerTitle, &chkOwnerEXE, &txtFilter_Title,
                            &txtFilter_Owner, &txtFilter_EXE, &cboMatch_Title, &cboMatch_Owner, &cboMatch_EXE})
    c->SetEnabled(editable);

  // Each text box is filled before its check box is set: the handlers they
  // raise write the same values back.
  const clsSetting shown = *setting;
  cboMatch_Title.SetListIndex(Shown(shown.Match_Title, 3));
  cboMatch_Owner.SetListIndex(Shown(shown.Match_Owner, 3));
  cboMatch_EXE.SetListIndex(Shown(shown.Match_EXE, 3));
  cboAction_CapsLock.SetListIndex(Shown(shown.Action_CapsLock, 6));
  cboAction_NumLock.SetListIndex(Shown(shown.Action_NumLock, 6));
  cboAction_ScrollLock.SetListIndex(Shown(shown.Action_ScrollLock, 6));
  txtFilter_Title.SetText(shown.Filter_Title);
  txtFilter_Owner.SetText(shown.Filter_Owner);
  txtFilter_EXE.SetText(shown.Filter_EXE);
  chkTitle.SetValue(shown.Filter_Title.empty() ? 0 : 1);
  chkOwnerTitle.SetValue(shown.Filter_Owner.empty() ? 0 : 1);
  chkOwnerEXE.SetValue(shown.Filter_EXE.empty() ? 0 : 1);
}

std::string frmMain::AskFreeName(const std::string& prompt) {
  for (;;) {
    const std::string name = ui_.InputBox(prompt, ui_.AppTitle(), "");
    // The window may have been closed (Exit from the tray) while the box
    // was up: it has saved already, and a setting added now would be lost.
    if (!form_.Loaded()) return std::string();
    if (name.empty()) return name;
    if (!store_.Settings.Item(name)) return name;
    ui_.MsgBox("That name is already being used.", forms::kMbExclamation, ui_.AppTitle());
    if (!form_.Loaded()) return std::string();  // likewise while the message was up
  }
}

void frmMain::AddEditedSetting(clsSettings::Ref setting) {
  const std::string name = setting->Name;
  store_.Settings.Add(setting, name);
  editedSetting_ = std::move(setting);
  cboSetting.AddItem(name);
  ForceRefresh = true;
  cboSetting.SetListIndex(cboSetting.ListCount() - 1);
}

void frmMain::cmdNew_Click() {
  const std::string name = AskFreeName("Enter Name for New Setting");
  if (name.empty()) return;
  auto setting = std::make_shared<clsSetting>();
  setting->Name = name;
  AddEditedSetting(std::move(setting));
}

void frmMain::cmdRename_Click() {
  if (!editedSetting_) return;
  const clsSettings::Ref edited = editedSetting_;  // held while the name is asked for
  const std::string name = AskFreeName("Enter New Name for this Setting");
  if (name.empty()) return;
  const std::string old = edited->Name;
  edited->Name = name;
  store_.Settings.Rekey(old, name);
  const int index = cboSetting.ListIndex();
  if (index < 0) return;
  // The entry's text changes; the page is not shown again.
  std::vector<std::string> names;
  for (int i = 0; i < cboSetting.ListCount(); ++i) names.push_back(i == index ? name : cboSetting.List(i));
  cboSetting.SetItems(std::move(names));
  cboSetting.SetListIndex(index);  // the edited setting's own name: no reload
}

void frmMain::cmdDelete_Click() {
  if (!editedSetting_) return;
  const std::string name = editedSetting_->Name;
  editedSetting_.reset();
  store_.Settings.Remove(name);
  cboSetting.SetItems(SettingNames());
  if (cboSetting.ListCount() > 0) cboSetting.SetListIndex(0);
}
