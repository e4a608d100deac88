// The whole program under a long script: halcyra-headless runs 10,000 random clicks and drags over
// its main window (random_script.h), as a separate process exactly as a person or a tool runs it.
// Reported: input events and actions per second of wall time, input events per second of the
// program's CPU time, and the process's peak resident memory. The script is left in the temporary
// directory (its path is the benchmark's label), so a run can be repeated by hand.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "random_script.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr int kActions = 10'000;
constexpr std::uint32_t kSeed = 20240612;

struct Run {
  double seconds = 0;      // wall time
  double cpu_seconds = 0;  // the program's own, user and system
  long peak_kib = 0;
  int status = -1;
};

Run RunProgram(const fs::path& script, const fs::path& transcript) {
  posix_spawn_file_actions_t files;
  posix_spawn_file_actions_init(&files);
  posix_spawn_file_actions_addopen(&files, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&files, 1, transcript.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0644);
  std::string program = HALCYRA_HEADLESS_PROGRAM, file = script.string();
  char* argv[] = {program.data(), file.data(), nullptr};
  Run run;
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  if (posix_spawn(&pid, program.c_str(), &files, nullptr, argv, environ) == 0) {
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) == pid) {
      run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      run.peak_kib = usage.ru_maxrss;
      auto to_seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
      run.cpu_seconds = to_seconds(usage.ru_utime) + to_seconds(usage.ru_stime);
      run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
  }
  posix_spawn_file_actions_destroy(&files);
  return run;
}

long CountReports(const fs::path& transcript, std::string& last_line) {
  std::ifstream in(transcript);
  long reports = 0;
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("report ", 0) == 0) ++reports;
    last_line = line;
  }
  return reports;
}

void BM_RandomClicksAndDrags(benchmark::State& state) {
  const bench::RandomScript script = bench::MakeRandomScript(kActions, kSeed);
  const fs::path dir = fs::temp_directory_path();
  const fs::path script_file = dir / ("halcyra-random-" + std::to_string(kSeed) + ".script");
  const fs::path transcript = dir / ("halcyra-random-" + std::to_string(kSeed) + ".out");
  std::ofstream(script_file) << script.text;

  double seconds = 0, cpu_seconds = 0;
  long peak_kib = 0, reports = 0;
  for (auto _ : state) {
    const Run run = RunProgram(script_file, transcript);
    std::string last;
    reports = CountReports(transcript, last);
    if (run.status != 0 || last != "exit 0") {
      state.SkipWithError("halcyra-headless did not run the script to its end");
      return;
    }
    state.SetIterationTime(run.seconds);
    seconds += run.seconds;
    cpu_seconds += run.cpu_seconds;
    peak_kib = std::max(peak_kib, run.peak_kib);
  }
  const double runs = static_cast<double>(state.iterations());
  state.counters["events/s"] = static_cast<double>(script.input_events) * runs / seconds;
  state.counters["actions/s"] = kActions * runs / seconds;
  // On a machine shared with other work, the program's own CPU time says more than the wall.
  state.counters["events/cpu_s"] = static_cast<double>(script.input_events) * runs / cpu_seconds;
  state.counters["events"] = static_cast<double>(script.input_events);
  state.counters["reports"] = static_cast<double>(reports);
  state.counters["peak_MiB"] = static_cast<double>(peak_kib) / 1024.0;
  state.SetLabel(script_file.string());
}
BENCHMARK(BM_RandomClicksAndDrags)->UseManualTime()->Iterations(3)->Unit(benchmark::kSecond);

}  // namespace
