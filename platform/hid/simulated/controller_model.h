// The lighting controller's behaviour as the simulated backend plays it: it takes the reports the
// program writes, keeps what the write requests set, and answers the two read requests from it.
#pragma once

#include <optional>

#include "hid_backend.h"

namespace hid {

// What one lighting channel was last told.
struct ChannelState {
  BYTE effect = 0;
  BYTE option = 0;
  BYTE red = 0;
  BYTE green = 0;
  BYTE blue = 0;
};

struct ControllerState {
  ChannelState argb;  // the addressable strip; its colour answers the colour read
  ChannelState vrgb;  // the non-addressable header
  BYTE led_count = 8;
};

class ControllerModel {
 public:
  ControllerState& State() { return state_; }
  const ControllerState& State() const { return state_; }

  // Takes one written report. Returns the input report the controller sends back, for the two
  // read requests; nothing for anything else. Reports it does not know change nothing.
  std::optional<Report> Receive(const Report& report);

 private:
  ControllerState state_;
};

}  // namespace hid
