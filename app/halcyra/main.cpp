// halcyra: the lighting application on the X display, driving the controller through hidapi.
#include <cstdio>

#include "afxwin.h"
#include "device_access.h"
#include "hidapi_device.h"
#include "program_name.h"
#include "window_system.h"
#include "x11_display.h"

int main(int, char** argv) {
  const std::string program = app::ProgramName(argv[0]);
  auto display = app::OpenX11Display(program, stderr);
  if (!display) return 1;
  // The window can only say "Hardware detection failed."; a node closed to this user is worth
  // telling the person how to open it.
  app::ReportControllerAccess(*app::InstallHidapiDevices(), program, stderr);
  app::WindowSystem windows(*display);
  return AfxWinMain();
}
