// Presenting through the X11 host on the display in $DISPLAY (run it under Xvfb); skipped without
// one. Each iteration ends with a round trip, so the time includes the server's work.
#include <benchmark/benchmark.h>
#include <time.h>

#include <memory>
#include <string>
#include <vector>

#include "x11_host.h"

namespace {

using host::Framebuffer;
using host::Rect;

struct Window {
  std::unique_ptr<host::X11Host> host;
  host::NativeWindow id = 0;
  std::vector<std::uint32_t> pixels;
  Framebuffer frame;
};

// The main window's size.
constexpr int kWidth = 800, kHeight = 540;

bool Open(benchmark::State& state, Window* w, bool shared_memory = true) {
  std::string error;
  w->host = host::X11Host::Open("", &error, shared_memory);
  if (!w->host) {
    state.SkipWithError(error.c_str());
    return false;
  }
  host::WindowDesc desc;
  desc.rect = Rect{100, 100, 100 + kWidth, 100 + kHeight};
  w->id = w->host->CreateWindow(desc);
  w->pixels.resize(static_cast<size_t>(kWidth) * kHeight);
  for (size_t i = 0; i < w->pixels.size(); ++i)
    w->pixels[i] = static_cast<std::uint32_t>(i * 2654435761u);
  w->frame = Framebuffer{w->pixels.data(), kWidth, kHeight, kWidth};
  w->host->Show(w->id, false);
  w->host->Present(w->id, w->frame, {Rect{0, 0, kWidth, kHeight}});
  w->host->CursorPos();
  return true;
}

// Argument 1: through MIT-SHM; 0: through the connection (a remote display).
void BM_X11PresentFullFrame(benchmark::State& state) {
  Window w;
  if (!Open(state, &w, state.range(0) != 0)) return;
  const std::vector<Rect> dirty{Rect{0, 0, kWidth, kHeight}};
  for (auto _ : state) {
    w.pixels[0] ^= 1;
    w.host->Present(w.id, w.frame, dirty);
    benchmark::DoNotOptimize(w.host->CursorPos());
  }
  state.counters["shm"] = w.host->UsesSharedMemory();
  state.SetBytesProcessed(state.iterations() * kWidth * kHeight * 4);
}
BENCHMARK(BM_X11PresentFullFrame)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

// The colour sample and a slider value: what one click repaints.
void BM_X11PresentSmallRects(benchmark::State& state) {
  Window w;
  if (!Open(state, &w)) return;
  const std::vector<Rect> dirty{Rect{585, 273, 645, 330}, Rect{743, 358, 780, 378}};
  for (auto _ : state) {
    w.pixels[273 * kWidth + 585] ^= 1;
    w.host->Present(w.id, w.frame, dirty);
    benchmark::DoNotOptimize(w.host->CursorPos());
  }
}
BENCHMARK(BM_X11PresentSmallRects)->Unit(benchmark::kMicrosecond);

// Waiting with nothing to do must sleep: the CPU time per 20 ms wait is the cost of idling.
void BM_X11IdleWait(benchmark::State& state) {
  Window w;
  if (!Open(state, &w)) return;
  host::Event e;
  while (w.host->PollEvent(&e)) {
  }
  timespec start{}, end{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &start);
  std::int64_t events = 0;
  for (auto _ : state) {
    if (w.host->WaitEvent(w.host->NowMs() + 20, &e)) ++events;
  }
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &end);
  const double cpu_us = (end.tv_sec - start.tv_sec) * 1e6 + (end.tv_nsec - start.tv_nsec) / 1e3;
  state.counters["cpu_us_per_wait"] = cpu_us / static_cast<double>(state.iterations());
  state.counters["events"] = static_cast<double>(events);
}
BENCHMARK(BM_X11IdleWait)->Unit(benchmark::kMillisecond)->Iterations(25)->UseRealTime();

}  // namespace
