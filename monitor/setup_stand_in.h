#pragma once
#include <string>

#include "engine/engine_state.h"
#include "store/settings_store.h"
#include "monitor/setup_window.h"
#include "platform/forms/form.h"
#include "platform/forms/ui.h"

// Stands in for the setup window until the program has the real one: a
// plain window captioned "Tarvolo" that marks the setup window open while it
// is loaded, takes the refresh tick's caption, and writes the settings file
// when it closes, whichever way it is closed.
class frmMainStandIn final : public SetupWindow {
 public:
  frmMainStandIn(SettingsStore& store, EngineState& engine, forms::Ui& ui);

  void Show() override { form_.Show(); }
  void Unload() override { form_.Unload(); }
  // There is no key panel to update in this window.
  void UpdateKeyStat() override {}
  void SetCaption(const std::string& caption) override { form_.SetCaption(caption); }
  void SetFocus() override { form_.SetFocus(); }

  forms::Form& Form() { return form_; }

 private:
  SettingsStore& store_;
  EngineState& engine_;
  forms::Ui& ui_;
  forms::Form form_;
};
