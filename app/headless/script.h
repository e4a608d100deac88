// A script of the headless program, read into commands before anything runs.
//
// One command a line; `#` starts a comment that runs to the end of the line; words are separated
// by spaces or tabs; a line may end in CR LF. Lines before `start` set up the simulated controller
// (`device ...`); `start` runs the program; every later line drives it. A script without `start`
// runs nothing. Key names are matched exactly, case included; a screenshot's FILE is one word, so
// it holds no space and no `#`.
//
// The whole script is checked before the program starts: a malformed line anywhere stops the run
// before anything has happened, so a script never half-runs because of a typing error at its end.
// Only what cannot be known in advance (a screenshot file that cannot be written, a state asked
// for while the program has no main window) is found when its line is reached.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "simulated_setup.h"

namespace script {

// The virtual screen that coordinates address.
constexpr int kScreenWidth = 1280;
constexpr int kScreenHeight = 800;
// The longest `wait`: an hour of virtual time is more than any run needs, and it bounds how many
// timer rounds one line can cost.
constexpr int kMaxWaitMs = 3'600'000;

enum class Verb {
  kMove,        // x y
  kDown,        //
  kUp,          //
  kClick,       // x y
  kDrag,        // x1 y1 x2 y2
  kKey,         // key: a virtual-key code
  kWait,        // ms
  kState,       //
  kPixel,       // x y
  kWindows,     //
  kScreenshot,  // file
};

// One command after `start`.
struct Command {
  Verb verb = Verb::kWindows;
  int line = 0;               // 1-based line of the script
  std::array<int, 4> args{};  // coordinates, or the milliseconds of a wait, in the line's order
  unsigned key = 0;           // virtual-key code of `key`
  std::string file;           // `screenshot`
};

struct Script {
  hid::SimulatedSetup device;     // as the `device` lines left it
  bool start = false;             // the script has a `start` line
  std::vector<Command> commands;  // after `start`, in order
};

struct ScriptError {
  int line = 0;
  std::string message;  // what is wrong, without the line number
};

struct ParseResult {
  Script script;
  std::optional<ScriptError> error;  // the first malformed line; `script` is then incomplete
};

ParseResult ParseScript(std::string_view text);

// The virtual-key code of a key name of the script ("Escape", "PageUp", ...); nothing for any
// other name. Names are matched exactly, case included.
std::optional<unsigned> KeyCode(std::string_view name);

}  // namespace script
