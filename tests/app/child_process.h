// A program run as a child process, with its standard output and error read through pipes.
#pragma once

#include <sys/types.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace app::test {

class ChildProcess {
 public:
  // Runs `argv` with DISPLAY set to `display`, or unset; null when it could not be started.
  static std::unique_ptr<ChildProcess> Start(const std::vector<std::string>& argv,
                                             const std::optional<std::string>& display);
  // Kills the child if it still runs.
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // The next whole line of standard output (without its line feed), waiting at most `timeout_ms`.
  std::optional<std::string> ReadLine(int timeout_ms);
  // Its exit status once it has ended within `timeout_ms` (128 + n for a signal n).
  std::optional<int> WaitExit(int timeout_ms);
  // Everything it wrote to standard output / error so far (after WaitExit: all of it).
  const std::string& Output();
  const std::string& Errors();
  pid_t pid() const { return pid_; }

 private:
  ChildProcess() = default;
  // Reads whatever the pipes hold, waiting at most `timeout_ms` for something to arrive.
  void Pump(int timeout_ms);

  pid_t pid_ = -1;
  int out_fd_ = -1;
  int err_fd_ = -1;
  std::string out_;
  std::string err_;
  std::size_t line_start_ = 0;  // where the next unread line of out_ begins
  std::optional<int> status_;
};

}  // namespace app::test
