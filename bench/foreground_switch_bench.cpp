// From a window coming to the front to its evaluation done, on the headless
// forms: with the foreground event, a fast tick brought forward; without it,
// the wait for the timer's next tick. The simulated clock gives the wait
// (the wait_ms counter); the CPU time is the program's work per switch.
#include <benchmark/benchmark.h>

#include <random>

#include "bench/tick_desk.h"
#include "app/tarvolo_program.h"
#include "platform/sim/headless_ui.h"
#include "platform/sim/sim_desktop.h"

namespace {

class SwitchDesk {
 public:
  SwitchDesk(int settings, bool withEvent) : ui(os), program(os, ui) {
    os.RefuseWinEventHooks(!withEvent);
    editor = bench::AddEditor(os);
    os.SetFile(os.ProgramFolder() + "\\Tarvolo.INI", bench::kOptionsOnly);
    os.SetForeground(editor.first);
    program.Start();
    bench::AddSettings(program.State().Settings, settings);
    os.AdvanceClock(167);  // the editor's setting becomes current and sets the keys
  }

  // Brings the other editor window to the front and runs the message loop
  // until the program has evaluated it; gives the simulated milliseconds
  // that took.
  std::uint64_t SwitchAndWait() {
    onFirst_ = !onFirst_;
    const platform::WindowHandle target = onFirst_ ? editor.first : editor.second;
    os.ActivateWindow(target);
    const std::uint64_t at = os.NowMs();
    os.AdvanceClock(0);
    while (program.State().LastActiveWindow != target) os.AdvanceClock(1);
    return os.NowMs() - at;
  }

  bool Ready() { return program.State().CurrentSetting()->Name == "Editor"; }

  sim::SimDesktop os;
  sim::HeadlessUi ui;
  TarvoloProgram program;
  bench::EditorWindows editor;

 private:
  bool onFirst_ = true;
};

void BM_ForegroundSwitch_Event(benchmark::State& state) {
  SwitchDesk desk(static_cast<int>(state.range(0)), true);
  if (!desk.Ready()) {
    state.SkipWithError("the editor's setting did not become current");
    return;
  }
  double waited = 0;
  for (auto _ : state) waited += static_cast<double>(desk.SwitchAndWait());
  state.counters["wait_ms"] = benchmark::Counter(waited, benchmark::Counter::kAvgIterations);
}

// The switch comes at a random moment of the tick's period, as a user's
// does; the loop then steps the clock a millisecond at a time, so the CPU
// time here is not the program's and only wait_ms counts.
void BM_ForegroundSwitch_TimerOnly(benchmark::State& state) {
  SwitchDesk desk(static_cast<int>(state.range(0)), false);
  if (!desk.Ready()) {
    state.SkipWithError("the editor's setting did not become current");
    return;
  }
  std::minstd_rand random(12345);
  std::uniform_int_distribution<int> moment(0, 166);
  double waited = 0;
  for (auto _ : state) {
    desk.os.AdvanceClock(static_cast<std::uint64_t>(moment(random)));
    waited += static_cast<double>(desk.SwitchAndWait());
  }
  state.counters["wait_ms"] = benchmark::Counter(waited, benchmark::Counter::kAvgIterations);
}

BENCHMARK(BM_ForegroundSwitch_Event)->Arg(1)->Arg(100)->Arg(1000);
BENCHMARK(BM_ForegroundSwitch_TimerOnly)->Arg(1)->Arg(100);

}  // namespace
