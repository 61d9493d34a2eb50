#pragma once
// The resident program on a simulated desktop with headless forms, with the
// links to the later subsystems recording their calls.
#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "monitor/tarvolo_program.h"
#include "platform/sim/headless_ui.h"
#include "platform/sim/sim_desktop.h"

struct ResidentProgram {
  explicit ResidentProgram(sim::WindowsFamily family = sim::WindowsFamily::Win10)
      : desktop(family), ui(std::make_unique<sim::HeadlessUi>(desktop)) {
    auto record = [this](const char* name) { return [this, name] { calls.push_back(name); }; };
    program = std::make_unique<TarvoloProgram>(
        desktop, *ui,
        MonitorLinks{record("InstallActivityHook"), record("RemoveActivityHook"), record("RegisterHotkeys"),
                     record("UnregisterHotkeys"), [this] {
                       calls.push_back("RunPendingHotkeys");
                       if (onHotkeys) onHotkeys();
                     }});
  }

  ProgramState& state() { return program->State(); }
  frmIcon& icon() { return program->Icon(); }
  forms::Form& iconForm() { return program->Icon().Form(); }
  forms::Form& setupForm() { return program->SetupWindow().Form(); }
  std::string SettingsPath() const { return "C:\\Program Files\\Tarvolo\\Tarvolo.INI"; }
  int Count(const std::string& call) const { return static_cast<int>(std::count(calls.begin(), calls.end(), call)); }

  sim::SimDesktop desktop;
  std::unique_ptr<sim::HeadlessUi> ui;
  std::vector<std::string> calls;
  // Runs as the hot-key link, after the call is recorded.
  std::function<void()> onHotkeys;
  std::unique_ptr<TarvoloProgram> program;
};
