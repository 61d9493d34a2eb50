// Opening the setup window with few and with very many settings: its load
// measures the screen, fills the chooser and the lists and shows the first
// setting; closing saves the file. On the headless forms, so this is the
// program's own share; the Wine figure adds the real controls' drawing.
#include <benchmark/benchmark.h>

#include "app/tarvolo_program.h"
#include "bench/tick_desk.h"
#include "platform/sim/headless_ui.h"
#include "platform/sim/sim_desktop.h"

namespace {

void BM_SetupWindow_OpenAndFill(benchmark::State& state) {
  sim::SimDesktop os;
  sim::HeadlessUi ui(os);
  TarvoloProgram program(os, ui);
  os.SetFile(os.ProgramFolder() + "\\Tarvolo.INI", bench::kOptionsOnly);
  program.Start();
  bench::AddSettings(program.State().Settings, static_cast<int>(state.range(0)));
  frmMain& setup = program.SetupWindow();
  for (auto _ : state) {
    program.Icon().mnuPopup_Click(0);
    state.PauseTiming();
    if (setup.cboSetting.ListCount() != program.State().Settings.Count()) {
      state.SkipWithError("the chooser was not filled");
      return;
    }
    setup.Form().Unload(forms::UnloadMode::FormControlMenu);  // saves: not what is measured
    state.ResumeTiming();
  }
}

BENCHMARK(BM_SetupWindow_OpenAndFill)->Arg(10)->Arg(30000)->Unit(benchmark::kMillisecond);

}  // namespace
