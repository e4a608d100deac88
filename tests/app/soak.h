// A long run of random pointer and key events over every window of the real application on the
// headless host, that counts what the process holds alive as it goes.
//
// Most events aim at the controls of the window on top (a point inside a control's rectangle),
// the others at any point of the screen, at keys (Escape, Enter, Tab, Space, arrows, Home, End,
// Page Up, Page Down, and Alt+Space for the system menu) or at letting virtual time pass, so
// tooltips show and hover timers run. When the program ends (its close button, Enter on the main
// window) it is started again. The run is reproducible from its seed.
//
// At every checkpoint the run first brings the program back to rest: the main window alone, the
// pointer on its background, no tooltip, every timer run out. There the process should hold the
// same windows, drawing objects, timers and handles every time; the samples say whether it does.
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
  // Present for the first third, pulled out for the second, and the program started again
  // without it for the last.
  kEachInTurn,
};

struct SoakOptions {
  std::uint32_t seed = 1;
  std::size_t events = 1000;  // random events after the warm-up
  std::size_t checkpoint_every = 250;
  SoakController controller = SoakController::kPresent;
  // Shows the page tabs and Synchronize, which the window keeps hidden, so that the events reach
  // the other page and its warning message.
  bool reveal_hidden_pages = false;
};

struct SoakSample {
  std::size_t events = 0;  // random pointer and key events so far
  user::LiveObjects live;
  std::size_t resident_kib = 0;
};

struct SoakReport {
  // At rest after the warm-up (the baseline), then at every checkpoint and at the end.
  std::vector<SoakSample> samples;
  std::size_t events = 0;    // every event injected, warm-up and bringing to rest included
  std::size_t restarts = 0;  // times the program ended and was started again
  // Checkpoints at which the program could not be brought to rest, and runs cut short because it
  // took no input any more.
  std::size_t unsettled = 0;
  // The top-level windows that appeared: 'CLASS "TEXT" WxH' (a tooltip's text is its tip), or
  // 'message: TEXT' for a message box.
  std::set<std::wstring> shown;
  std::uint64_t virtual_ms = 0;  // virtual time that passed, over every run

  // The largest growth of any count from the baseline to a later sample (0 when flat).
  std::size_t WorstGrowth() const;
  // "windows 3 -> 3, bitmaps 10 -> 11, ...": the baseline against the last sample.
  std::string Describe() const;
};

SoakReport RunSoak(const SoakOptions& options);

// The process's resident memory, in KiB.
std::size_t ResidentKib();

}  // namespace app::test
