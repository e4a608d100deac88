// The headless host's screen: presenting the main window and composing the whole screen (what
// every `pixel` and `screenshot` of a scripted run costs).
#include <benchmark/benchmark.h>

#include <vector>

#include "headless_host.h"

namespace {

using host::Framebuffer;
using host::HeadlessHost;
using host::Rect;

constexpr int kWidth = 800, kHeight = 540;

// A main window shaped like a rounded skin (one rectangle per row near the corners), with a
// tooltip above it.
struct Scene {
  Scene() : pixels(static_cast<size_t>(kWidth) * kHeight, 0x336699) {
    host::WindowDesc d;
    d.rect = Rect{240, 130, 240 + kWidth, 130 + kHeight};
    main = screen.CreateWindow(d);
    std::vector<Rect> shape;
    for (int y = 0; y < kHeight; ++y) {
      const int edge = y < 40 ? 40 - y : (y >= kHeight - 40 ? y - (kHeight - 41) : 0);
      shape.push_back(Rect{edge, y, kWidth - edge, y + 1});
    }
    screen.SetShape(main, &shape);
    screen.Show(main, true);
    screen.Present(main, Frame(), {Rect{0, 0, kWidth, kHeight}});
    host::WindowDesc t;
    t.rect = Rect{600, 400, 700, 420};
    t.popup = t.topmost = true;
    tip = screen.CreateWindow(t);
    screen.Show(tip, false);
  }
  Framebuffer Frame() const { return Framebuffer{pixels.data(), kWidth, kHeight, kWidth}; }

  HeadlessHost screen;
  std::vector<std::uint32_t> pixels;
  host::NativeWindow main = 0, tip = 0;
};

void BM_HeadlessPresentFullFrame(benchmark::State& state) {
  Scene s;
  const std::vector<Rect> dirty{Rect{0, 0, kWidth, kHeight}};
  for (auto _ : state) {
    s.screen.Present(s.main, s.Frame(), dirty);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_HeadlessPresentFullFrame)->Unit(benchmark::kMicrosecond);

void BM_HeadlessComposeScreen(benchmark::State& state) {
  Scene s;
  for (auto _ : state) benchmark::DoNotOptimize(s.screen.ComposeScreen());
}
BENCHMARK(BM_HeadlessComposeScreen)->Unit(benchmark::kMicrosecond);

void BM_HeadlessPixelAt(benchmark::State& state) {
  Scene s;
  int x = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(s.screen.PixelAt(240 + (x % kWidth), 130 + 270));
    x += 7;
  }
}
BENCHMARK(BM_HeadlessPixelAt);

}  // namespace
