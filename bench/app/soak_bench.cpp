// 100,000 random pointer and key events over every window of the program, with the controller
// present, absent and pulled out midway. The counters give the figures at rest after the warm-up
// (start_*) and at the end (end_*); grown is the largest growth of any object count, which must
// stay 0.
#include <benchmark/benchmark.h>

#include "soak.h"

namespace {

void Soak(benchmark::State& state, app::test::SoakController controller) {
  app::test::SoakReport report;
  for (auto _ : state) {
    app::test::SoakOptions options;
    options.seed = 2026;
    options.events = static_cast<std::size_t>(state.range(0));
    options.checkpoint_every = 5000;
    options.controller = controller;
    options.reveal_hidden_pages = controller == app::test::SoakController::kPresent;
    report = app::test::RunSoak(options);
  }
  const app::test::SoakSample& start = report.samples.front();
  const app::test::SoakSample& end = report.samples.back();
  state.counters["events"] = static_cast<double>(report.events);
  state.counters["restarts"] = static_cast<double>(report.restarts);
  state.counters["virtual_s"] = static_cast<double>(report.virtual_ms) / 1000.0;
  state.counters["start_rss_kib"] = static_cast<double>(start.resident_kib);
  state.counters["end_rss_kib"] = static_cast<double>(end.resident_kib);
  state.counters["start_windows"] = static_cast<double>(start.live.windows);
  state.counters["end_windows"] = static_cast<double>(end.live.windows);
  state.counters["start_gdi"] = static_cast<double>(start.live.gdi.Total());
  state.counters["end_gdi"] = static_cast<double>(end.live.gdi.Total());
  state.counters["start_timers"] = static_cast<double>(start.live.timers);
  state.counters["end_timers"] = static_cast<double>(end.live.timers);
  state.counters["grown"] = static_cast<double>(report.WorstGrowth());
  state.counters["unsettled"] = static_cast<double>(report.unsettled);
  state.SetLabel(report.Describe());
  if (report.WorstGrowth() != 0)
    state.SkipWithError(("objects grew: " + report.Describe()).c_str());
}

BENCHMARK_CAPTURE(Soak, present, app::test::SoakController::kPresent)
    ->Arg(100000)
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(Soak, absent, app::test::SoakController::kAbsent)
    ->Arg(100000)
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(Soak, unplugged_midway, app::test::SoakController::kUnpluggedMidway)
    ->Arg(100000)
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kSecond);

}  // namespace
