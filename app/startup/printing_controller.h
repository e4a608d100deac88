// The simulated lighting controller for the programs that run without the hardware: it is
// installed as the HID system, and every report it receives is written out as one line of hex.
#pragma once

#include <cstdio>
#include <memory>

#include "simulated_setup.h"

namespace app {

// Installs a simulated HID system as `setup` describes it. Each report the controller receives is
// written to `out` as one line ("00 80 0B ..."), flushed at once so that a reader at the other end
// of a pipe sees it while the program runs. Returns the backend, for callers that look at it.
std::shared_ptr<hid::SimulatedBackend> InstallPrintingController(
    std::FILE* out, const hid::SimulatedSetup& setup = {});

}  // namespace app
