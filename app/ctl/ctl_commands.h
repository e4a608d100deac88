// halcyractl's commands over the installed HID services: list, status, effect, effects, lights.
#pragma once

#include <cstdio>
#include <string_view>
#include <vector>

#include "ctl_command_line.h"

namespace ctl {

// Carries out `invocation`, writing its results to `out` and what went wrong to `errors`.
// Returns the exit status (kExitDone, kExitNoController).
int Run(const Invocation& invocation, std::FILE* out, std::FILE* errors);

// The whole program after the HID services are installed: reads the command line (`words`, the
// arguments after the program's name) and runs it. A bad command line is explained on `errors`
// and gives kExitUsage.
int Main(const std::vector<std::string_view>& words, std::FILE* out, std::FILE* errors);

}  // namespace ctl
