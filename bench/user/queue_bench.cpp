// The window system's costs: messages through the queue, a full repaint of a window with as many
// children as the main window, and how often an idle program wakes up.
#include <benchmark/benchmark.h>

#include <memory>

#include "embedded_resources.h"
#include "headless_host.h"
#include "user.h"
#include "winuser.h"

namespace {

int g_paints = 0;

LRESULT Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_PAINT) {
    ++g_paints;
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(h, &ps);
    RECT rc;
    GetClientRect(h, &rc);
    FillRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    EndPaint(h, &ps);
    return 0;
  }
  return DefWindowProcW(h, msg, wp, lp);
}

struct Env {
  Env() {
    res::InstallEmbeddedResources();
    host = std::make_unique<host::HeadlessHost>();
    user::SetHost(host.get());
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.lpszClassName = L"BenchWindow";
    RegisterClassW(&wc);
  }
  ~Env() { user::SetHost(nullptr); }
  void Pump() {
    MSG m;
    while (GetMessageW(&m, nullptr, 0, 0) > 0) DispatchMessageW(&m);
  }
  std::unique_ptr<host::HeadlessHost> host;
};

void BM_PostAndDispatch(benchmark::State& state) {
  Env env;
  HWND w = CreateWindowExW(0, L"BenchWindow", L"", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr,
                           nullptr, nullptr, nullptr);
  env.Pump();
  for (auto _ : state) {
    for (int i = 0; i < 100; ++i) PostMessageW(w, WM_USER, static_cast<WPARAM>(i), 0);
    env.Pump();
  }
  state.SetItemsProcessed(state.iterations() * 100);
}
BENCHMARK(BM_PostAndDispatch);

// A window of the main window's size with 47 children, all repainted.
void BM_RepaintMainWindowSized(benchmark::State& state) {
  Env env;
  HWND w = CreateWindowExW(0, L"BenchWindow", L"", WS_POPUP | WS_VISIBLE, 100, 100, 800, 540,
                           nullptr, nullptr, nullptr, nullptr);
  for (int i = 0; i < 47; ++i) {
    CreateWindowExW(
        0, L"BenchWindow", L"", WS_CHILD | WS_VISIBLE, 20 + (i % 8) * 90, 20 + (i / 8) * 80, 60, 59,
        w, reinterpret_cast<HMENU>(static_cast<std::intptr_t>(1500 + i)), nullptr, nullptr);
  }
  env.Pump();
  g_paints = 0;
  for (auto _ : state) {
    InvalidateRect(w, nullptr, TRUE);
    env.Pump();
  }
  state.counters["paints_per_round"] =
      benchmark::Counter(static_cast<double>(g_paints) / static_cast<double>(state.iterations()));
}
BENCHMARK(BM_RepaintMainWindowSized)->Unit(benchmark::kMicrosecond);

// Counts the host waits of an hour of idling: with no timer due there is nothing to wake up for.
void BM_IdleHourWakeUps(benchmark::State& state) {
  Env env;
  CreateWindowExW(0, L"BenchWindow", L"", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr,
                  nullptr, nullptr);
  env.Pump();
  int waits = 0;
  for (auto _ : state) {
    env.host->Wait(60 * 60 * 1000);
    int rounds = 0;
    env.host->SetIdleHandler([&] { return ++rounds < 1; });
    MSG m;
    while (GetMessageW(&m, nullptr, 0, 0) > 0) DispatchMessageW(&m);
    waits += rounds;
    env.host->SetIdleHandler(nullptr);
  }
  state.counters["idle_handler_calls_per_hour"] =
      benchmark::Counter(static_cast<double>(waits) / static_cast<double>(state.iterations()));
}
BENCHMARK(BM_IdleHourWakeUps);

}  // namespace
