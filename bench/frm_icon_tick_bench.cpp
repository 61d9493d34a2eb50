// The whole fast tick as the program runs it, frmIcon's tmrFast handler on
// the headless forms: the engine's work plus the timer's stop and restart
// and the checks around them. Same desktop and settings as the engine's
// benchmark, so the two figures side by side show what the handler adds.
#include <benchmark/benchmark.h>

#include <memory>

#include "bench/tick_desk.h"
#include "app/tarvolo_program.h"
#include "platform/sim/headless_ui.h"
#include "platform/sim/sim_desktop.h"

namespace {

class ResidentDesk {
 public:
  explicit ResidentDesk(int settings) : ui(os), program(os, ui) {
    editor = bench::AddEditor(os);
    os.SetFile(os.ProgramFolder() + "\\Tarvolo.INI", bench::kOptionsOnly);
    os.SetForeground(editor.first);
    program.Start();
    bench::AddSettings(program.State().Settings, settings);
    Tick();  // the editor's setting becomes current and sets the keys
  }

  void Tick() { program.Icon().tmrFast_Timer(); }

  sim::SimDesktop os;
  sim::HeadlessUi ui;
  TarvoloProgram program;
  bench::EditorWindows editor;
};

void BM_FrmIconFastTick_ForegroundUnchanged(benchmark::State& state) {
  ResidentDesk desk(static_cast<int>(state.range(0)));
  if (desk.program.State().CurrentSetting()->Name != "Editor") {
    state.SkipWithError("the editor's setting did not become current");
    return;
  }
  for (auto _ : state) desk.Tick();
}

void BM_FrmIconFastTick_NewForeground(benchmark::State& state) {
  ResidentDesk desk(static_cast<int>(state.range(0)));
  if (desk.program.State().CurrentSetting()->Name != "Editor") {
    state.SkipWithError("the editor's setting did not become current");
    return;
  }
  bool onFirst = true;
  for (auto _ : state) {
    onFirst = !onFirst;
    desk.os.SetForeground(onFirst ? desk.editor.first : desk.editor.second);
    desk.Tick();
  }
}

BENCHMARK(BM_FrmIconFastTick_ForegroundUnchanged)->Arg(1)->Arg(100)->Arg(1000);
BENCHMARK(BM_FrmIconFastTick_NewForeground)->Arg(1)->Arg(100)->Arg(1000);

}  // namespace
