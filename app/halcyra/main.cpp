// halcyra: the lighting application on the X display, driving the controller through hidapi.
#include <cstdio>

#include "afxwin.h"
#include "hidapi_device.h"
#include "program_name.h"
#include "window_system.h"
#include "x11_display.h"

int main(int, char** argv) {
  auto display = app::OpenX11Display(app::ProgramName(argv[0]), stderr);
  if (!display) return 1;
  app::InstallHidapiDevices();
  app::WindowSystem windows(*display);
  return AfxWinMain();
}
