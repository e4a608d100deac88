// halcyra-demo: the lighting application on the X display with a simulated controller, which
// writes every report it receives to standard output as one line of hex.
#include <cstdio>
#include <string>

#include "afxwin.h"
#include "printing_controller.h"
#include "program_name.h"
#include "window_system.h"
#include "x11_display.h"

int main(int, char** argv) {
  const std::string program = app::ProgramName(argv[0]);
  auto display = app::OpenX11Display(program, stderr);
  if (!display) return 1;
  app::InstallPrintingController(stdout);
  app::WindowSystem windows(*display);
  return app::FinishX11Run(*display, program, AfxWinMain(), stderr);
}
