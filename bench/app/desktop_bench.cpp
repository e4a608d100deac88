// halcyra-demo on an X server of its own (Xvfb, no window manager), as a person starts it: the
// time from exec until its main window is mapped and until it is painted, its peak memory, and the
// CPU it uses while nobody touches it.
//
// Each run ends with a click on the skin's close button, so that the program ends as it does for a
// person (and leaves no single-instance marker behind for the next run).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <X11/Xlib.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <thread>

#include "x11_test_support.h"

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr std::uint32_t kRootColor = 0x20A040;
constexpr auto kDeadline = std::chrono::seconds(10);

// One X server for every benchmark here, with a connection that watches windows being mapped.
struct Desktop {
  std::unique_ptr<host::test::XvfbServer> server;
  std::unique_ptr<host::test::Probe> probe;
  Display* watch = nullptr;
  std::string error;
};

Desktop& TheDesktop() {
  static Desktop desktop = [] {
    Desktop d;
    if (!host::test::XvfbInstalled()) {
      d.error = "Xvfb is not installed";
      return d;
    }
    d.server = host::test::XvfbServer::Start(&d.error);
    if (!d.server) return d;
    d.probe = std::make_unique<host::test::Probe>(d.server->display());
    d.watch = XOpenDisplay(d.server->display().c_str());
    if (!d.probe->dpy() || !d.watch) {
      d.error = "cannot connect to Xvfb";
      d.server.reset();
      return d;
    }
    d.probe->SetRootColor(kRootColor);
    XSelectInput(d.watch, DefaultRootWindow(d.watch), SubstructureNotifyMask);
    XSync(d.watch, False);
    return d;
  }();
  return desktop;
}

// One run of the demo.
class Demo {
 public:
  // Starts it; `started` is the moment just before the exec.
  explicit Demo(Desktop& desktop) : desktop_(desktop) {
    XSync(desktop_.watch, True);  // forget what earlier runs left in the queue
    started_ = Clock::now();
    pid_ = fork();
    if (pid_ == 0) {
      setenv("DISPLAY", desktop_.server->display().c_str(), 1);
      const int null_fd = open("/dev/null", O_RDWR);
      dup2(null_fd, 0);
      dup2(null_fd, 1);
      dup2(null_fd, 2);
      execl(HALCYRA_DEMO_PATH, HALCYRA_DEMO_PATH, static_cast<char*>(nullptr));
      _exit(127);
    }
  }
  ~Demo() { Close(); }
  Demo(const Demo&) = delete;
  Demo& operator=(const Demo&) = delete;

  // Waits for the main window (the skin's size) to be mapped; the time since the exec.
  std::optional<double> WaitMapped() {
    const auto until = started_ + kDeadline;
    while (Clock::now() < until) {
      while (XPending(desktop_.watch) > 0) {
        XEvent e;
        XNextEvent(desktop_.watch, &e);
        if (e.type != MapNotify) continue;
        XWindowAttributes a;
        if (XGetWindowAttributes(desktop_.watch, e.xmap.window, &a) && a.width == 800 &&
            a.height == 540) {
          window_ = e.xmap.window;
          origin_ = {a.x, a.y};
          return Seconds(Clock::now() - started_);
        }
      }
      pollfd p{ConnectionNumber(desktop_.watch), POLLIN, 0};
      poll(&p, 1, 100);
    }
    return std::nullopt;
  }

  // Waits until the window shows its skin; the time since the exec.
  std::optional<double> WaitPainted() {
    const auto until = started_ + kDeadline;
    while (Clock::now() < until) {
      if (desktop_.probe->PixelAt(origin_.x + 300, origin_.y + 150) != kRootColor)
        return Seconds(Clock::now() - started_);
      std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return std::nullopt;
  }

  // A line of /proc/<pid>/status ("VmHWM"), in kB.
  long StatusKb(const std::string& key) const {
    std::ifstream status("/proc/" + std::to_string(pid_) + "/status");
    std::string line;
    while (std::getline(status, line)) {
      if (line.rfind(key + ":", 0) == 0)
        return std::strtol(line.c_str() + key.size() + 1, nullptr, 10);
    }
    return -1;
  }

  // CPU time on all threads, in nanoseconds, and the times they went to sleep and woke up.
  struct Cpu {
    long long ns = 0;
    long long wakeups = 0;
  };
  Cpu CpuSoFar() const {
    Cpu cpu;
    const std::string task_dir = "/proc/" + std::to_string(pid_) + "/task";
    std::error_code error;
    for (const auto& task : std::filesystem::directory_iterator(task_dir, error)) {
      std::ifstream schedstat(task.path() / "schedstat");
      long long run_ns = 0;
      schedstat >> run_ns;
      cpu.ns += run_ns;
      std::ifstream status(task.path() / "status");
      std::string line;
      while (std::getline(status, line)) {
        if (line.rfind("voluntary_ctxt_switches:", 0) == 0)
          cpu.wakeups += std::strtoll(line.c_str() + 24, nullptr, 10);
      }
    }
    return cpu;
  }

  host::test::Probe& Probe() { return *desktop_.probe; }
  host::Point On(host::Point client) const { return {origin_.x + client.x, origin_.y + client.y}; }

  // Clicks the close button and waits for the end; the peak resident memory in kB.
  long Close() {
    if (pid_ <= 0) return -1;
    if (window_) {
      Probe().MovePointer(origin_.x + 777, origin_.y + 17);
      Probe().Button(true);
      Probe().Button(false);
    }
    rusage usage{};
    const auto until = Clock::now() + kDeadline;
    while (wait4(pid_, nullptr, WNOHANG, &usage) == 0) {
      if (Clock::now() > until) {
        kill(pid_, SIGKILL);
        wait4(pid_, nullptr, 0, &usage);
        break;
      }
      std::this_thread::sleep_for(milliseconds(1));
    }
    pid_ = -1;
    Probe().MovePointer(0, 0);
    return usage.ru_maxrss;
  }

 private:
  static double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

  Desktop& desktop_;
  Clock::time_point started_;
  pid_t pid_ = -1;
  Window window_ = 0;
  host::Point origin_;
};

bool Ready(benchmark::State& state) {
  if (TheDesktop().server) return true;
  state.SkipWithError(TheDesktop().error.c_str());
  return false;
}

// From exec to the main window mapped (the iteration's time), and to it painted; the CPU time spent
// until it was mapped; the peak memory when it is up, and over the whole run.
void BM_DemoStartUp(benchmark::State& state) {
  if (!Ready(state)) return;
  double painted = 0, cpu_ns = 0, hwm_kb = 0, maxrss_kb = 0;
  for (auto _ : state) {
    Demo demo(TheDesktop());
    const std::optional<double> mapped = demo.WaitMapped();
    cpu_ns += static_cast<double>(demo.CpuSoFar().ns);
    const std::optional<double> shown = mapped ? demo.WaitPainted() : std::nullopt;
    if (!shown) {
      state.SkipWithError("the main window did not show");
      return;
    }
    state.SetIterationTime(*mapped);
    painted += *shown;
    hwm_kb += static_cast<double>(demo.StatusKb("VmHWM"));
    maxrss_kb += static_cast<double>(demo.Close());
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["painted_ms"] = 1000 * painted / n;
  // The CPU it took to get there: what a busy machine cannot inflate.
  state.counters["cpu_to_mapped_ms"] = cpu_ns / n / 1e6;
  state.counters["VmHWM_MiB"] = hwm_kb / n / 1024;
  state.counters["maxrss_MiB"] = maxrss_kb / n / 1024;
}
BENCHMARK(BM_DemoStartUp)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

// CPU time and wake-ups of the demo over a few seconds each: idle after start-up; while the pointer
// rests on Apply (its tooltip shows and goes after two seconds; the button checks every 200 ms
// whether the pointer has left, by design); and idle again after the pointer has crossed the
// window, hovering buttons on the way, and left it.
void BM_DemoIdle(benchmark::State& state) {
  if (!Ready(state)) return;
  for (auto _ : state) {
    Demo demo(TheDesktop());
    if (!demo.WaitMapped() || !demo.WaitPainted()) {
      state.SkipWithError("the main window did not show");
      return;
    }
    auto measure = [&](const char* name, std::chrono::milliseconds span) {
      const Demo::Cpu before = demo.CpuSoFar();
      std::this_thread::sleep_for(span);
      const Demo::Cpu after = demo.CpuSoFar();
      state.counters[std::string(name) + "_cpu_us"] =
          static_cast<double>(after.ns - before.ns) / 1000;
      state.counters[std::string(name) + "_wakeups"] =
          static_cast<double>(after.wakeups - before.wakeups);
    };
    std::this_thread::sleep_for(milliseconds(300));  // the first paint's aftermath
    measure("idle_started", milliseconds(3000));

    const host::Point apply = demo.On({683, 498});
    demo.Probe().MovePointer(apply.x, apply.y);
    measure("resting_on_apply", milliseconds(3000));

    for (int x = 37; x < 537; x += 7) {  // along the first row of effect buttons
      const host::Point p = demo.On({x, 360});
      demo.Probe().MovePointer(p.x, p.y);
      std::this_thread::sleep_for(milliseconds(5));
    }
    demo.Probe().MovePointer(0, 0);
    std::this_thread::sleep_for(milliseconds(300));
    measure("idle_after_hover", milliseconds(3000));
  }
}
BENCHMARK(BM_DemoIdle)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
