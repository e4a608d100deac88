// A reproducible script of random clicks and drags over the main window of halcyra-headless.
#pragma once

#include <cstdint>
#include <string>

namespace bench {

struct RandomScript {
  std::string text;
  int actions = 0;        // clicks and drags
  long input_events = 0;  // pointer moves, presses and releases they inject
};

// `actions` clicks and drags, half of each, from the seed alone: the same seed gives the same
// script on every machine.
RandomScript MakeRandomScript(int actions, std::uint32_t seed);

}  // namespace bench
