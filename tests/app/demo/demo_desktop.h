// halcyra-demo on the suite's own X server, driven through XTEST and watched as a person would.
#pragma once

// GoogleTest before Xlib, whose macros (None, Bool) would break its templates.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <sys/types.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "child_process.h"
#include "demo_program.h"
#include "host.h"
#include "xvfb_suite.h"

namespace app::test {

// A top-level window of a program, as another client of the display sees it.
struct DesktopWindow {
  Window id = 0;     // the program's own window
  Window frame = 0;  // the root's child that holds it: a window manager's frame, or the window
  bool viewable = false;
  bool popup = false;        // override-redirect: a tooltip or a menu
  host::Rect rect;           // on the screen
  Window transient_for = 0;  // the window it belongs to (a dialog's owner)
};

// Pixels of a screen area, 0x00RRGGBB, rows top first.
struct ScreenPicture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
};

class DemoDesktop : public host::test::XvfbSuite {
 protected:
  // The desktop's colour, which shows where no window is.
  static constexpr std::uint32_t kRootColor = 0x20A040;
  // Generous: a machine busy with parallel builds may be slow, a healthy run is far quicker.
  static constexpr int kTimeoutMs = 5000;

  void SetUp() override;
  void TearDown() override;

  // Starts the demo under this test's own name, its single-instance marker.
  std::unique_ptr<ChildProcess> StartDemo();

  // Until `condition` holds (true) or the time is up (false).
  bool WaitUntil(const std::function<bool()>& condition, int timeout_ms = kTimeoutMs);

  // The top-level windows of process `pid`, top of the stacking order first.
  std::vector<DesktopWindow> WindowsOf(pid_t pid);
  // Its main window (the one of the skin's size), shown or not.
  std::optional<DesktopWindow> MainWindowOf(pid_t pid);
  // Its shown window that belongs to another of its windows: a dialog.
  std::optional<DesktopWindow> DialogOf(pid_t pid);
  // Waits until the program shows its main window; nothing when it does not.
  std::optional<DesktopWindow> WaitForMainWindow(const ChildProcess& program);
  // The program's window that is in front: the topmost shown window that is not a popup.
  Window WindowInFront();
  Window Focus() { return probe_->Focus(); }
  // How many of the root's children lie above `root_child` (a window, or the frame that holds it).
  int StackDepth(Window root_child);

  // Every window that was mapped since the last call, as the watch saw it.
  std::vector<Window> TakeMapped();
  bool Exists(Window w);

  // What the screen shows in `area`.
  ScreenPicture Grab(const host::Rect& area);
  // Where the screen differs from `expected` within the window's shape; empty when nowhere.
  std::string Differences(const DesktopWindow& w, const ScreenPicture& expected);

  // ---- A person's hands.
  static host::Point On(const DesktopWindow& w, host::Point client) {
    return {w.rect.left + client.x, w.rect.top + client.y};
  }
  void MovePointer(host::Point screen);
  void Click(host::Point screen);
  // Presses at `from`, moves to `to` in a few steps and releases there.
  void Drag(host::Point from, host::Point to);
  void Key(unsigned long keysym);

 private:
  void Drain();

  std::unique_ptr<DemoProgram> program_;  // the demo under this test's own name
  Display* watch_ = nullptr;
  std::vector<Window> mapped_;
};

// A report as the demo prints it: `hex` ("00 80 0B ..."), then zero bytes up to 65.
std::string ReportLine(const std::string& hex);

}  // namespace app::test
