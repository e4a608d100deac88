// What a halcyractl command line asks for, read from its words. Options may stand before or after
// the command; --help and --version win over everything else on the line.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "effects.h"

namespace ctl {

enum class Command { kHelp, kVersion, kList, kStatus, kEffect, kEffects, kLights };

struct Invocation {
  Command command = Command::kHelp;
  std::string device_path;  // --device; empty: the controller discovery finds first
  bool dry_run = false;     // print the reports instead of sending them
  int effect = 0;           // effect: the effect button, 1..24
  // effect: the colour choice, 0 for --color and 1..8 for --preset; none keeps the controller's.
  std::optional<int> color;
  device::Rgb custom;  // effect --color
  int lights = 0;      // lights: the LED count
};

// A command line that cannot be carried out, and what to tell the person.
struct UsageError {
  std::string message;
};

// `words` are the arguments after the program's name.
std::variant<Invocation, UsageError> ParseCommandLine(const std::vector<std::string_view>& words);

// An effect by its number (1..24) or its name, in any case.
std::optional<int> EffectByName(std::string_view word);

// A preset colour by its swatch's name, in any case, or by its number (1..8).
std::optional<int> PresetByName(std::string_view word);

}  // namespace ctl
