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

}  // namespace app
