// Seeded random input over every window of the real application, counting live objects at rest.
#pragma once

#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "user.h"

namespace app::test {

enum class SoakController {
  kPresent,
  kAbsent,
  kUnpluggedMidway,  // pulled out after half the events; later starts find none
  kEachInTurn,       // present, pulled out, then a fresh start without it: a third each
};

struct SoakOptions {
  std::uint32_t seed = 1;
  std::size_t events = 1000;  // random events after the warm-up
  std::size_t checkpoint_every = 250;
  SoakController controller = SoakController::kPresent;
  bool reveal_hidden_pages = false;  // the page tabs and Synchronize, which the window hides
};

struct SoakSample {
  std::size_t events = 0;  // random pointer and key events so far
  user::LiveObjects live;
  std::size_t resident_kib = 0;
};

struct SoakReport {
  // At rest after the warm-up (the baseline), then at every checkpoint and at the end.
  std::vector<SoakSample> samples;
  std::size_t events = 0;     // every event injected, warm-up and bringing to rest included
  std::size_t restarts = 0;   // times the program ended and was started again
  std::size_t unsettled = 0;  // checkpoints not brought to rest, runs that stopped taking input
  // The top-level windows that appeared: 'CLASS "TEXT" WxH', or 'message: TEXT' for a message box.
  std::set<std::wstring> shown;
  std::uint64_t virtual_ms = 0;  // virtual time that passed, over every run

  // The largest growth of any count from the baseline to a later sample (0 when flat).
  std::size_t WorstGrowth() const;
  // "windows 3 -> 3, bitmaps 10 -> 11, ...": the baseline against the last sample.
  std::string Describe() const;
};

SoakReport RunSoak(const SoakOptions& options);

}  // namespace app::test
