#include "x11_display.h"

namespace app {

std::unique_ptr<host::X11Host> OpenX11Display(const std::string& program, std::FILE* errors,
                                              const std::string& display_name) {
  std::string why;
  std::unique_ptr<host::X11Host> host = host::X11Host::Open(display_name, &why);
  if (!host) {
    if (why.empty()) why = "cannot open the X display";
    std::fprintf(errors, "%s: %s\n", program.c_str(), why.c_str());
    std::fflush(errors);
  }
  return host;
}

int FinishX11Run(const host::X11Host& display, const std::string& program, int status,
                 std::FILE* errors) {
  if (!display.Disconnected()) return status;
  std::fprintf(errors, "%s: lost the connection to the X display \"%s\"\n", program.c_str(),
               display.DisplayName().c_str());
  std::fflush(errors);
  return 1;
}

}  // namespace app
