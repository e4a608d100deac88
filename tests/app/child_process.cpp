#include "child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>

namespace app::test {
namespace {

using Clock = std::chrono::steady_clock;

int MsLeft(Clock::time_point until) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now());
  return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

}  // namespace

std::unique_ptr<ChildProcess> ChildProcess::Start(const std::vector<std::string>& argv,
                                                  const std::optional<std::string>& display) {
  if (argv.empty()) return nullptr;
  int out[2];
  int err[2];
  if (pipe2(out, O_CLOEXEC) != 0) return nullptr;
  if (pipe2(err, O_CLOEXEC) != 0) {
    close(out[0]);
    close(out[1]);
    return nullptr;
  }
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(out[1], 1);
    dup2(err[1], 2);
    const int null_fd = open("/dev/null", O_RDONLY);
    if (null_fd >= 0) dup2(null_fd, 0);
    if (display) {
      setenv("DISPLAY", display->c_str(), 1);
    } else {
      unsetenv("DISPLAY");
    }
    execv(args[0], args.data());
    _exit(127);
  }
  close(out[1]);
  close(err[1]);
  if (pid < 0) {
    close(out[0]);
    close(err[0]);
    return nullptr;
  }
  std::unique_ptr<ChildProcess> child(new ChildProcess);
  child->pid_ = pid;
  child->out_fd_ = out[0];
  child->err_fd_ = err[0];
  fcntl(child->out_fd_, F_SETFL, O_NONBLOCK);
  fcntl(child->err_fd_, F_SETFL, O_NONBLOCK);
  return child;
}

ChildProcess::~ChildProcess() {
  if (!status_ && pid_ > 0) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  if (out_fd_ >= 0) close(out_fd_);
  if (err_fd_ >= 0) close(err_fd_);
}

void ChildProcess::Pump(int timeout_ms) {
  pollfd fds[2] = {{out_fd_, POLLIN, 0}, {err_fd_, POLLIN, 0}};
  const int nfds = 2;
  if (out_fd_ < 0 && err_fd_ < 0) return;
  if (poll(fds, nfds, timeout_ms) <= 0) return;
  int* owners[2] = {&out_fd_, &err_fd_};
  std::string* sinks[2] = {&out_, &err_};
  for (int i = 0; i < nfds; ++i) {
    if (*owners[i] < 0 || (fds[i].revents & (POLLIN | POLLHUP | POLLERR)) == 0) continue;
    char buffer[4096];
    for (;;) {
      const ssize_t n = read(*owners[i], buffer, sizeof buffer);
      if (n > 0) {
        sinks[i]->append(buffer, static_cast<std::size_t>(n));
        continue;
      }
      if (n == 0) {  // the child closed its end
        close(*owners[i]);
        *owners[i] = -1;
        fds[i].fd = -1;
      }
      break;
    }
  }
}

std::optional<std::string> ChildProcess::ReadLine(int timeout_ms) {
  const auto until = Clock::now() + std::chrono::milliseconds(timeout_ms);
  for (;;) {
    const std::size_t end = out_.find('\n', line_start_);
    if (end != std::string::npos) {
      std::string line = out_.substr(line_start_, end - line_start_);
      line_start_ = end + 1;
      return line;
    }
    if (out_fd_ < 0 || MsLeft(until) == 0) return std::nullopt;
    Pump(MsLeft(until));
  }
}

std::optional<int> ChildProcess::WaitExit(int timeout_ms) {
  const auto until = Clock::now() + std::chrono::milliseconds(timeout_ms);
  while (!status_) {
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
      status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      break;
    }
    if (MsLeft(until) == 0) return std::nullopt;
    Pump(std::min(MsLeft(until), 10));
  }
  // Whatever is still in the pipes belongs to the run.
  while (out_fd_ >= 0 || err_fd_ >= 0) Pump(100);
  return status_;
}

const std::string& ChildProcess::Output() {
  Pump(0);
  return out_;
}

const std::string& ChildProcess::Errors() {
  Pump(0);
  return err_;
}

}  // namespace app::test
