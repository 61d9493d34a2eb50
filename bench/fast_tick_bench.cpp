// One fast tick of the engine (EvaluateActiveWindow, then EnforceActions) on
// the simulated desktop, with the foreground window unchanged and with a new
// one, for 1, 100 and 1,000 settings. The setting that matches comes last, so
// a new foreground window walks the whole list. Beside each tick: the same
// OS calls the tick makes, made on their own, so the difference is the
// program's own overhead.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/tick_desk.h"
#include "engine/matcher.h"
#include "app/program_state.h"
#include "platform/sim/sim_desktop.h"

namespace {

using platform::kVkCapital;
using platform::kVkNumLock;
using platform::kVkScroll;

class TickDesk {
 public:
  explicit TickDesk(int settings) : state(os) {
    const bench::EditorWindows editor = bench::AddEditor(os);
    first = editor.first;
    second = editor.second;
    bench::AddSettings(state.Settings, settings);
    state.IsNT = true;  // a Windows 10 desktop
    os.SetForeground(first);
    Tick();  // the editor's setting becomes current and sets the keys
  }

  void Tick() {
    EvaluateActiveWindow(state);
    EnforceActions(state);
  }

  sim::SimDesktop os;
  ProgramState state;
  platform::WindowHandle first = 0;
  platform::WindowHandle second = 0;
};

// ---- the tick's own OS calls, in the order the tick makes them ----

void ReadKeyCalls(sim::SimDesktop& os, int vk) {
  benchmark::DoNotOptimize(os.GetAsyncKeyState(vk));
  benchmark::DoNotOptimize(os.GetKeyState(vk));
}

// What EnforceActions asks with Caps Lock "Maintain ON" already on and Num
// Lock "Remember": one set that finds the key right, and one read.
void EnforceCalls(sim::SimDesktop& os) {
  os.DoEvents();
  ReadKeyCalls(os, kVkCapital);
  ReadKeyCalls(os, kVkNumLock);
}

void UnchangedTickCalls(sim::SimDesktop& os) {
  benchmark::DoNotOptimize(os.GetForegroundWindow());
  EnforceCalls(os);
}

void NewForegroundTickCalls(sim::SimDesktop& os) {
  const platform::WindowHandle hwnd = os.GetForegroundWindow();
  benchmark::DoNotOptimize(os.GetWindowText(hwnd, 254));

  std::uint32_t pid = 0;
  os.GetWindowThreadProcessId(hwnd, &pid);
  const platform::OsHandle snapshot = os.CreateToolhelp32Snapshot(platform::kTh32csSnapProcess, 0);
  platform::ProcessEntry32 entry;
  entry.dwSize = 296;
  for (bool more = os.Process32First(snapshot, entry); more; more = os.Process32Next(snapshot, entry))
    if (entry.th32ProcessID == pid) break;
  os.CloseHandle(snapshot);
  benchmark::DoNotOptimize(entry);

  const platform::WindowHandle owner = os.GetWindow(os.GetForegroundWindow(), platform::kGwOwner);
  benchmark::DoNotOptimize(os.GetWindowText(owner, 254));

  // The same setting stays current, so only its "Maintain" key is set.
  os.DoEvents();
  ReadKeyCalls(os, kVkCapital);
  EnforceCalls(os);
}

struct CallCounts {
  int foreground, snapshots, doEvents;
  std::size_t keyEvents;
  bool operator==(const CallCounts&) const = default;
};

template <class Calls>
CallCounts Count(sim::SimDesktop& os, Calls calls) {
  os.ClearLog();
  calls();
  return {os.ForegroundQueries(), os.SnapshotCalls(), os.DoEventsCalls(), os.KeyEvents().size()};
}

// The replay must make the calls the tick makes, or the comparison means
// nothing; checked once before timing.
template <class Replay>
bool ReplayMatchesTick(TickDesk& desk, Replay replay, bool alternate) {
  if (alternate) desk.os.SetForeground(desk.second);
  const CallCounts tick = Count(desk.os, [&] { desk.Tick(); });
  if (alternate) desk.os.SetForeground(desk.first);
  const CallCounts replayed = Count(desk.os, [&] { replay(desk.os); });
  if (alternate) desk.Tick();  // back on the first window for the timing loop
  return tick == replayed && tick.keyEvents == 0;
}

void BM_FastTick_ForegroundUnchanged(benchmark::State& state) {
  TickDesk desk(static_cast<int>(state.range(0)));
  if (!ReplayMatchesTick(desk, UnchangedTickCalls, false)) {
    state.SkipWithError("the replayed OS calls differ from the tick's");
    return;
  }
  for (auto _ : state) desk.Tick();
}

void BM_FastTick_NewForeground(benchmark::State& state) {
  TickDesk desk(static_cast<int>(state.range(0)));
  if (!ReplayMatchesTick(desk, NewForegroundTickCalls, true)) {
    state.SkipWithError("the replayed OS calls differ from the tick's");
    return;
  }
  bool onFirst = true;
  for (auto _ : state) {
    onFirst = !onFirst;
    desk.os.SetForeground(onFirst ? desk.first : desk.second);
    desk.Tick();
  }
}

void BM_OsCallsOnly_ForegroundUnchanged(benchmark::State& state) {
  TickDesk desk(1);
  for (auto _ : state) UnchangedTickCalls(desk.os);
}

void BM_OsCallsOnly_NewForeground(benchmark::State& state) {
  TickDesk desk(1);
  bool onFirst = true;
  for (auto _ : state) {
    onFirst = !onFirst;
    desk.os.SetForeground(onFirst ? desk.first : desk.second);
    NewForegroundTickCalls(desk.os);
  }
}

BENCHMARK(BM_FastTick_ForegroundUnchanged)->Arg(1)->Arg(100)->Arg(1000);
BENCHMARK(BM_OsCallsOnly_ForegroundUnchanged);
BENCHMARK(BM_FastTick_NewForeground)->Arg(1)->Arg(100)->Arg(1000);
BENCHMARK(BM_OsCallsOnly_NewForeground);

}  // namespace
