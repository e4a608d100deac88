// The simulated controller as a scripted run describes it before the program starts:
//
//   device absent          no controller is attached
//   device color R G B     the colour it reports when asked (default 0 0 0)
//   device qty N           the LED count it reports when asked (default 8)
//   device silent          it is attached but never answers reads
#pragma once

#include <memory>
#include <string_view>

#include "simulated_backend.h"

namespace hid {

struct SimulatedSetup {
  bool attached = true;
  BYTE red = 0;
  BYTE green = 0;
  BYTE blue = 0;
  BYTE led_count = 8;
  bool silent = false;
  // Faults a script cannot describe; tests set them.
  bool access_denied = false;          // its node is closed to this user
  bool descriptor_unreadable = false;  // it opens, but its report descriptor cannot be read
  ReplyFaults replies;
};

// Applies the words after "device" ("color 255 0 0", "absent", ...) to `setup`. False, with
// `setup` unchanged, for anything malformed: an unknown word, a missing or extra argument, a
// number that is not a whole number from 0 to 255.
bool ApplyDeviceCommand(std::string_view arguments, SimulatedSetup& setup);

// A backend that plays the described controller: one interface with the controller's
// identifiers, or none when it is absent.
std::shared_ptr<SimulatedBackend> MakeSimulatedBackend(const SimulatedSetup& setup);

}  // namespace hid
