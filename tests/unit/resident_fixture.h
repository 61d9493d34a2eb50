#pragma once
// The whole program on a simulated desktop with headless forms.
#include <memory>
#include <string>

#include "app/tarvolo_program.h"
#include "platform/sim/headless_ui.h"
#include "platform/sim/sim_desktop.h"

struct ResidentProgram {
  explicit ResidentProgram(sim::WindowsFamily family = sim::WindowsFamily::Win10)
      : desktop(family),
        ui(std::make_unique<sim::HeadlessUi>(desktop)),
        program(std::make_unique<TarvoloProgram>(desktop, *ui)) {}

  ProgramState& state() { return program->State(); }
  frmIcon& icon() { return program->Icon(); }
  forms::Form& iconForm() { return program->Icon().Form(); }
  forms::Form& setupForm() { return program->SetupWindow().Form(); }
  std::string SettingsPath() const { return "C:\\Program Files\\Tarvolo\\Tarvolo.INI"; }
  // Tarvolo.INI with the hot-keys Ctrl+Alt+T (Show), U (Capitalize), R
  // (Reverse) and L (Lower), and a setting "Default" that does nothing.
  void FileWithHotkeys() {
    std::string text = "[Options]\r\n";
    for (auto [name, key] : {std::pair{"Show", 'T'}, {"Capitalize", 'U'}, {"Reverse", 'R'}, {"Lower", 'L'}})
      text += std::string(name) + "_Disp=Ctrl + Alt + " + key + "\r\n" + name + "_vKey=" + std::to_string(key) +
              "\r\n" + name + "_Modifier=3\r\n";
    desktop.SetFile(SettingsPath(), text + "[Setting 0]\r\nName=Default\r\n");
  }
  // Runs the clock to just past the next fast tick.
  void FastTick() { desktop.AdvanceClock(167); }

  sim::SimDesktop desktop;
  std::unique_ptr<sim::HeadlessUi> ui;
  std::unique_ptr<TarvoloProgram> program;
};

inline constexpr std::uint32_t kCtrlAlt = platform::kModControl | platform::kModAlt;
