// halcyra-headless: the application on the headless host and the simulated controller, driven by a
// script from standard input or from the file given as the only argument. The application object
// itself comes from the application library.
#include <cstdio>
#include <optional>
#include <string>

#include "CHalcyraDlg.h"
#include "headless_host.h"
#include "program_name.h"
#include "script_runner.h"
#include "script_source.h"
#include "window_system.h"

namespace {

// The lighting choice, read from the main dialog while it runs.
std::optional<script::LightingState> ReadState() {
  CWinApp* app = AfxGetApp();
  auto* dlg = app != nullptr ? dynamic_cast<CHalcyraDlg*>(app->m_pMainWnd) : nullptr;
  if (dlg == nullptr) return std::nullopt;
  return script::LightingState{dlg->m_nPage,
                               dlg->m_nEffect,
                               dlg->m_nColor,
                               dlg->m_sliderRed.m_nPos,
                               dlg->m_sliderGreen.m_nPos,
                               dlg->m_sliderBlue.m_nPos,
                               dlg->m_nLanguage,
                               dlg->m_nLightsQty,
                               static_cast<int>(g_bSync)};
}

}  // namespace

int main(int argc, char** argv) {
  host::HeadlessHost host;
  script::Runner runner(host, stdout, stderr, app::ProgramName(argc > 0 ? argv[0] : nullptr));
  std::string text;
  std::string error;
  if (!script::ReadScript(argc > 0 ? argc - 1 : 0, argc > 0 ? argv + 1 : argv, stdin, text,
                          error)) {
    runner.ReportError(error);
    return script::kExitBadScript;
  }
  app::WindowSystem windows(host);
  return runner.Run(
      text, [] { return AfxWinMain(); }, ReadState);
}
