// The whole application on the headless host with the simulated controller, in this process: a full
// repaint of the main window, and a click on Apply up to the report the controller receives. Each
// is timed from the input (or the invalidation) until the program waits for input again, with the
// changed pixels handed to the screen.
#include <benchmark/benchmark.h>

#include "CHalcyraDlg.h"
#include "running_app.h"
#include "winuser.h"

namespace {

using app::test::RunningApp;

// Every pixel of the main window and of each of its 47 controls painted again and presented.
void BM_MainWindowFullRepaint(benchmark::State& state) {
  RunningApp app;
  app.Start();
  CHalcyraDlg* dialog = app.MainDialog();
  if (dialog == nullptr) {
    state.SkipWithError("the main window did not open");
    return;
  }
  const HWND window = dialog->m_hWnd;
  for (auto _ : state) {
    app.OnProgramThread([window] {
      ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    });
  }
}
BENCHMARK(BM_MainWindowFullRepaint)->Unit(benchmark::kMicrosecond);

// A press and a release on Apply: the button's pictures, the command, the report written.
void BM_ApplyClickToReport(benchmark::State& state) {
  RunningApp app;
  app.Start();
  if (app.MainDialog() == nullptr) {
    state.SkipWithError("the main window did not open");
    return;
  }
  const POINT apply = app.OnMain({683, 498});
  app.MoveTo(apply);
  const std::size_t before = app.Reports().size();
  for (auto _ : state) {
    app.Press();
    app.Release();
  }
  if (app.Reports().size() - before != static_cast<std::size_t>(state.iterations())) {
    state.SkipWithError("not every click sent one report");
  }
}
BENCHMARK(BM_ApplyClickToReport)->Unit(benchmark::kMicrosecond);

}  // namespace
