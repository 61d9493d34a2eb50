#include "monitor/setup_stand_in.h"

#include "monitor/settings_save.h"

namespace {
forms::FormSpec StandInForm() {
  return {.Name = "frmMain",
          .Caption = "Tarvolo",
          .Rect = {0, 0, 6135, 2400},
          .Border = forms::BorderStyle::FixedSingle,
          .ShowInTaskbar = true};
}
}  // namespace

frmMainStandIn::frmMainStandIn(SettingsStore& store, EngineState& engine, forms::Ui& ui)
    : store_(store), engine_(engine), ui_(ui), form_(ui, StandInForm()) {
  form_.Activate.Handle([this] { engine_.MainWindowOpen = true; });
  form_.UnloadEvent.Handle([this](int&) {
    engine_.MainWindowOpen = false;
    SaveSettingsTellingUser(store_, ui_, SaveOccasion::ProgramGoesOn);
  });
}
