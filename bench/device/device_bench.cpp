// Discovery over a full set of interfaces and the report encoders: both run on the UI thread, so
// their cost should stay far below the read bound and invisible next to one USB round trip.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "discovery.h"
#include "report.h"
#include "simulated_backend.h"

namespace {

void BM_FindDeviceAmong128Interfaces(benchmark::State& state) {
  std::vector<hid::SimulatedInterface> interfaces(127, hid::SimulatedInterface{0x046D, 0xC31C});
  interfaces.push_back(hid::SimulatedInterface{});  // the controller, last index tried
  hid::SetBackend(std::make_shared<hid::SimulatedBackend>(interfaces));
  for (auto _ : state) {
    device::DeviceDiscovery d;
    benchmark::DoNotOptimize(d.FindDevice());
  }
  hid::SetBackend(nullptr);
}
BENCHMARK(BM_FindDeviceAmong128Interfaces);

void BM_EncodeArgbSettings(benchmark::State& state) {
  device::LightingSettings s{1, 0, 10, 20, 30};
  for (auto _ : state) {
    s.effect = s.effect % 24 + 1;
    benchmark::DoNotOptimize(device::EncodeArgbSettings(s));
  }
}
BENCHMARK(BM_EncodeArgbSettings);

}  // namespace
