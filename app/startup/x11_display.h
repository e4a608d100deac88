// Opening the X display a program shows its windows on.
#pragma once

#include <cstdio>
#include <memory>
#include <string>

#include "x11_host.h"

namespace app {

// Connects to `display_name` (empty: $DISPLAY). When that fails, writes one line
// "<program>: <reason>" to `errors` and returns null; the caller then ends with a non-zero status.
std::unique_ptr<host::X11Host> OpenX11Display(const std::string& program, std::FILE* errors,
                                              const std::string& display_name = {});

// The status a program on `display` ends with once its run is over: `status` as the run returned
// it, or, when the display went away under it (the window system then ends every loop), 1 after
// one line "<program>: lost the connection to the X display "NAME"" on `errors`.
int FinishX11Run(const host::X11Host& display, const std::string& program, int status,
                 std::FILE* errors);

}  // namespace app
