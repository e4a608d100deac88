// The real application on the headless host, taking turns with the test on a thread of its own.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "headless_host.h"
#include "simulated_setup.h"
#include "user.h"
#include "windef.h"

class CHalcyraDlg;

namespace app::test {

class RunningApp {
 public:
  explicit RunningApp(const hid::SimulatedSetup& setup = {});
  ~RunningApp();
  RunningApp(const RunningApp&) = delete;
  RunningApp& operator=(const RunningApp&) = delete;

  // Runs the program until it first waits for input.
  void Start();
  // Whether the program still runs, and its exit code once it has ended.
  bool Running() const;
  std::optional<int> ExitCode() const;

  // ---- A person's actions; each returns when the program waits for input again.
  void MoveTo(POINT screen);
  void Press();
  void Release();
  void Click(POINT screen);
  // Presses at `from`, moves in one-pixel steps to `to`, releases there.
  void Drag(POINT from, POINT to);
  void Key(unsigned vk, unsigned modifiers = 0);
  // Lets `ms` milliseconds of virtual time pass, running the timers that fall due.
  void Wait(unsigned ms);
  // What a window manager does (a restore, a close request), through the host.
  void WindowManager(const std::function<void(host::HeadlessHost&)>& action);
  // Runs `step` on the program's thread at its next wait, then until it waits again.
  void OnProgramThread(const std::function<void()>& step);

  // ---- What the test looks at, between actions.
  host::HeadlessHost& Host() { return host_; }
  hid::SimulatedBackend& Controller() { return *controller_; }
  // Every report the controller received, oldest first.
  const std::vector<hid::Report>& Reports() const;
  // The main window while it exists, else null.
  CHalcyraDlg* MainDialog() const;
  // The host's window of the main window (the one window shown in the task bar), 0 when none.
  host::NativeWindow MainNative() const;
  // A point of the main window's client area, on the screen.
  POINT OnMain(POINT client) const;
  // A point of `window`'s client area, on the screen.
  static POINT OnWindow(HWND window, POINT client);
  // The colour shown at a point of the screen, 0x00RRGGBB.
  std::uint32_t Pixel(POINT screen) const;
  // What happened to the top-level windows so far, and the texts of the message boxes shown.
  const std::vector<user::TopLevelEvent>& TopLevelEvents() const { return events_; }
  std::vector<std::wstring> MessageBoxes() const;
  // The topmost visible top-level window of a class ("#32770", "tooltips_class32"), or null.
  HWND TopWindowOfClass(const std::wstring& class_name) const;
  // A window's text, read on the program's thread.
  std::wstring TextOf(HWND window);

 private:
  enum class Turn { kTest, kProgram };

  // Hands the turn to the program and waits until it waits for input again or has ended.
  void Resume();
  // The host's idle handler, on the program's thread: hands the turn back to the test.
  bool OnIdle();

  host::HeadlessHost host_;
  std::shared_ptr<hid::SimulatedBackend> controller_;
  std::vector<user::TopLevelEvent> events_;

  mutable std::mutex mutex_;
  std::condition_variable turn_changed_;
  Turn turn_ = Turn::kTest;
  bool started_ = false;
  bool ended_ = false;
  bool quit_ = false;
  std::function<void()> step_;
  std::optional<int> exit_code_;
  std::thread program_;
};

}  // namespace app::test
