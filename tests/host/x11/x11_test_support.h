// Around the X11 host: its own Xvfb (optionally openbox), a second client, XTEST input.
#pragma once

#include <X11/Xlib.h>
#include <sys/types.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "host.h"

namespace host::test {

bool XvfbInstalled();

class XvfbServer {
 public:
  // Starts Xvfb on a display number it finds free; null with the reason in `why` on failure.
  static std::unique_ptr<XvfbServer> Start(std::string* why);
  ~XvfbServer();
  XvfbServer(const XvfbServer&) = delete;
  XvfbServer& operator=(const XvfbServer&) = delete;

  const std::string& display() const { return display_; }
  // Runs openbox on the server and waits until it announces itself.
  bool StartWindowManager(std::string* why);
  // Ends the server now (the display goes away under its clients).
  void Kill();

 private:
  XvfbServer() = default;
  pid_t server_ = -1;
  pid_t wm_ = -1;
  std::string display_;
};

// A second client of the display: reads pixels, window state and focus, and drives XTEST.
class Probe {
 public:
  explicit Probe(const std::string& display);
  ~Probe();
  Probe(const Probe&) = delete;
  Probe& operator=(const Probe&) = delete;
  Display* dpy() const { return dpy_; }
  Window root() const { return DefaultRootWindow(dpy_); }

  std::uint32_t PixelAt(int x, int y);  // 0x00RRGGBB of the screen
  void SetRootColor(std::uint32_t rgb);
  void MovePointer(int x, int y);
  void Button(bool press);
  void Key(unsigned long keysym, bool press);
  // Until `condition` holds; rechecked when a top-level changes and every few ms (pixels).
  bool WaitUntil(const std::function<bool()>& condition, int timeout_ms = 5000);
  // Until no client (a window manager ending a move) holds the pointer any more; false when one
  // still does at the deadline.
  bool WaitUntilPointerFree(int timeout_ms = 5000);
  Window Focus();
  std::optional<XWindowAttributes> Attributes(Window w);
  // Where the window is on the screen (through any frame).
  std::optional<Point> Origin(Window w);
  // The root's children top first, each frame replaced by the window inside it that is listed.
  int StackIndex(Window w);

 private:
  Display* dpy_ = nullptr;
};

// Pumps the host until an event satisfies `match` (returned) or `timeout_ms` passes.
std::optional<Event> WaitFor(Host& host, const std::function<bool(const Event&)>& match,
                             int timeout_ms = 2000);
// Polls `condition` every few milliseconds, pumping the host meanwhile, for up to `timeout_ms`.
bool Eventually(Host& host, const std::function<bool()>& condition, int timeout_ms = 2000);

}  // namespace host::test
