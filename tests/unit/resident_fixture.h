#pragma once
// The resident program on a simulated desktop with headless forms, with the
// links to the later subsystems recording their calls.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "monitor/tarvolo_program.h"
#include "platform/sim/headless_ui.h"
#include "platform/sim/sim_desktop.h"

struct ResidentProgram {
  // adjust may replace links before the program is built.
  explicit ResidentProgram(sim::WindowsFamily family = sim::WindowsFamily::Win10,
                           const std::function<void(MonitorLinks&)>& adjust = {})
      : desktop(family) {
    ui = std::make_unique<sim::HeadlessUi>(desktop);
    MonitorLinks links = Links();
    if (adjust) adjust(links);
    program = std::make_unique<TarvoloProgram>(desktop, *ui, std::move(links));
  }

  MonitorLinks Links() {
    auto record = [this](const char* name) { return [this, name] { calls.push_back(name); }; };
    return {record("InstallActivityHook"), record("RemoveActivityHook"), record("RegisterHotkeys"),
            record("UnregisterHotkeys"), record("RunPendingHotkeys")};
  }

  ProgramState& state() { return program->State(); }
  frmIcon& icon() { return program->Icon(); }
  forms::Form& iconForm() { return program->Icon().Form(); }
  forms::Form& setupForm() { return program->SetupWindow().Form(); }
  std::string SettingsPath() const { return "C:\\Program Files\\Tarvolo\\Tarvolo.INI"; }
  int Count(const std::string& call) const {
    int n = 0;
    for (const auto& c : calls) n += c == call;
    return n;
  }

  sim::SimDesktop desktop;
  std::unique_ptr<sim::HeadlessUi> ui;
  std::vector<std::string> calls;
  std::unique_ptr<TarvoloProgram> program;
};
