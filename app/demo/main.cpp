// halcyra-demo: the program's shell on the X display with the simulated controller, which
// writes every report it receives to standard output.
#include <cstdio>

#include "app/startup/printing_controller.h"
#include "app/startup/program_name.h"
#include "app/startup/window_system.h"
#include "app/startup/x11_display.h"
#include "platform/framework/afxwin.h"

int main(int, char** argv) {
  auto display = app::OpenX11Display(app::ProgramName(argv[0]), stderr);
  if (!display) return 1;
  app::InstallPrintingController(stdout);
  app::WindowSystem windows(*display);
  return AfxWinMain();
}
