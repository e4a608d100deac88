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

}  // namespace app
