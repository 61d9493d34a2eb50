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

frmMainStandIn::frmMainStandIn(ProgramState& state, forms::Ui& ui)
    : state_(state), ui_(ui), form_(ui, StandInForm()) {
  form_.Activate.Handle([this] { state_.MainWindowOpen = true; });
  form_.UnloadEvent.Handle([this](int&) {
    state_.MainWindowOpen = false;
    SaveSettingsTellingUser(state_, ui_, SaveOccasion::ProgramGoesOn);
  });
}
