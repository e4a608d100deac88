// Runs a script against a program on the headless host and the simulated controller.
//
//   host::HeadlessHost host;
//   app::WindowSystem windows(host);                    // the host installed first
//   script::Runner runner(host, stdout, stderr, "halcyra-headless");
//   return runner.Run(text, [] { return AfxWinMain(); }, ReadState);
//
// The whole script is parsed first (see script.h). The `device` lines describe the simulated
// controller, which is installed as the HID system; `start` calls the program. From then on the
// runner is the host's idle handler: each time the program waits for input with nothing left to
// do (posted messages, paints and due timers all handled), the next command runs. Input commands
// queue what a person's hand would produce; `wait` lets virtual time pass; the answering commands
// print at once. A drag moves the pointer one pixel per idle moment, so the program sees (and
// paints) each step as it would under a real hand.
//
// The end of the script ends the program (the host answers quit). When the program has returned,
// by the end of the script or by closing itself, `exit CODE` is printed and any lines left are not
// run.
//
// Exit status: 0 when the program ended with code 0, 1 when it ended with another code (or failed
// with an exception, printed as `exit 1`), 2 for a malformed script. A line that fails when it is
// reached (a screenshot that cannot be written, `state` while the program has no main window)
// counts as malformed: it is reported, the transcript ends there without an `exit` line, the
// program is ended quietly and the status is 2.
#pragma once

#include <cstdio>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "headless_host.h"
#include "script.h"
#include "simulated_backend.h"
#include "transcript.h"

namespace script {

constexpr int kExitOk = 0;
constexpr int kExitProgramFailed = 1;
constexpr int kExitBadScript = 2;

// Runs the program to its end and returns its exit code.
using Program = std::function<int()>;
// The program's lighting state, or nothing while it has no main window.
using StateProvider = std::function<std::optional<LightingState>()>;

class Runner {
 public:
  // `host` must be the installed host. Transcript lines go to `out`, errors to `err` as
  // "<program_name>: line N: what is wrong".
  Runner(host::HeadlessHost& host, std::FILE* out, std::FILE* err, std::string program_name);
  ~Runner();
  Runner(const Runner&) = delete;
  Runner& operator=(const Runner&) = delete;

  // Returns the exit status described above.
  int Run(std::string_view script_text, const Program& program, const StateProvider& state);

  // Reports a problem of the command line or of reading the script, as "<program_name>: message".
  void ReportError(std::string_view message) const;

 private:
  bool OnIdle();
  bool Execute(const Command& command);
  bool Fail(int line, std::string_view message);
  void Drag(const Command& command);
  void PrintWindows();
  void Detach();

  host::HeadlessHost& host_;
  std::FILE* out_ = nullptr;
  Transcript transcript_;
  std::FILE* err_ = nullptr;
  std::string program_name_;

  // Set while a run is in progress.
  const Script* script_ = nullptr;
  const StateProvider* state_ = nullptr;
  std::size_t next_ = 0;
  // The rest of a drag: one step per idle moment before the next command.
  std::deque<std::function<void()>> steps_;
  std::shared_ptr<hid::SimulatedBackend> backend_;
  bool failed_ = false;
};

}  // namespace script
