#include "x11_test_support.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <sstream>
#include <vector>

namespace host::test {
namespace {

using Clock = std::chrono::steady_clock;

// Time to come up: normally under a second; the margin is for a machine busy with builds.
constexpr auto kStartDeadline = std::chrono::seconds(30);

int MsLeft(Clock::time_point until) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now());
  return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

// Waits until `fd` is readable, at most `slice_ms`; false once `until` has passed.
bool WaitReadable(int fd, Clock::time_point until, int slice_ms) {
  const int left = MsLeft(until);
  if (left == 0) return false;
  pollfd p{fd, POLLIN, 0};
  poll(&p, 1, std::min(left, slice_ms));
  return true;
}

// Until `condition` holds or `timeout_ms` passes, rechecked on news and every 10 ms.
bool UntilOnConnection(Display* dpy, const std::function<bool()>& condition, int timeout_ms) {
  const auto until = Clock::now() + std::chrono::milliseconds(timeout_ms);
  for (;;) {
    if (condition()) return true;
    // The news itself is not needed: the condition reads the state.
    while (XPending(dpy) > 0) {
      XEvent ignored;
      XNextEvent(dpy, &ignored);
    }
    if (!WaitReadable(ConnectionNumber(dpy), until, 10)) return condition();
  }
}

bool OnPath(const char* program) {
  const char* path = std::getenv("PATH");
  std::istringstream dirs(path ? path : "/usr/bin:/bin");
  for (std::string dir; std::getline(dirs, dir, ':');) {
    if (access((dir + "/" + program).c_str(), X_OK) == 0) return true;
  }
  return false;
}

// Child side of a spawn: quiet, with only the descriptors it is meant to have.
[[noreturn]] void ExecQuiet(const std::vector<std::string>& argv, int keep_fd) {
  int null_fd = open("/dev/null", O_RDWR);
  if (null_fd >= 0) {
    dup2(null_fd, 0);
    dup2(null_fd, 1);
    dup2(null_fd, 2);
  }
  if (keep_fd >= 0 && keep_fd != 3) dup2(keep_fd, 3);
  close_range(keep_fd >= 0 ? 4 : 3, ~0U, 0);
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  execvp(args[0], args.data());
  _exit(127);
}

// Ends a child: asks it to stop, and kills it when it has not ended within a second.
void Stop(pid_t& pid) {
  if (pid <= 0) return;
  // A descriptor that becomes readable when the child ends.
  const int exited = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
  kill(pid, SIGTERM);
  if (exited >= 0) {
    pollfd p{exited, POLLIN, 0};
    if (poll(&p, 1, 1000) <= 0) kill(pid, SIGKILL);
    close(exited);
  } else {
    kill(pid, SIGKILL);
  }
  waitpid(pid, nullptr, 0);
  pid = -1;
}

}  // namespace

bool XvfbInstalled() {
  return OnPath("Xvfb");
}

std::unique_ptr<XvfbServer> XvfbServer::Start(std::string* why) {
  int fds[2];
  if (pipe(fds) != 0) {
    *why = "pipe failed";
    return nullptr;
  }
  pid_t pid = fork();
  if (pid < 0) {
    *why = "fork failed";
    return nullptr;
  }
  if (pid == 0) {
    close(fds[0]);
    // -displayfd: the server picks a free display number and writes it when it is ready.
    ExecQuiet(
        {"Xvfb", "-displayfd", "3", "-noreset", "-nolisten", "tcp", "-screen", "0", "1280x800x24"},
        fds[1]);
  }
  close(fds[1]);
  std::unique_ptr<XvfbServer> server(new XvfbServer);
  server->server_ = pid;
  std::string number;
  const auto give_up = Clock::now() + kStartDeadline;
  while (number.empty() || number.back() != '\n') {
    pollfd p{fds[0], POLLIN, 0};
    const int left = MsLeft(give_up);
    if (left == 0 || poll(&p, 1, left) <= 0) break;
    char c;
    if (read(fds[0], &c, 1) != 1) break;
    number += c;
  }
  close(fds[0]);
  if (number.empty() || number.back() != '\n') {
    *why = "Xvfb did not start";
    return nullptr;  // the destructor stops whatever was started
  }
  number.pop_back();
  server->display_ = ":" + number;
  return server;
}

XvfbServer::~XvfbServer() {
  Kill();
}

void XvfbServer::Kill() {
  Stop(wm_);
  Stop(server_);
}

bool XvfbServer::StartWindowManager(std::string* why) {
  if (!OnPath("openbox")) {
    *why = "openbox is not installed";
    return false;
  }
  wm_ = fork();
  if (wm_ < 0) {
    *why = "fork failed";
    return false;
  }
  if (wm_ == 0) {
    setenv("DISPLAY", display_.c_str(), 1);
    ExecQuiet({"openbox", "--sm-disable"}, -1);
  }
  Display* dpy = XOpenDisplay(display_.c_str());
  if (!dpy) {
    *why = "cannot connect to Xvfb";
    return false;
  }
  const Window root = DefaultRootWindow(dpy);
  // Property changes announce the window manager; reparenting shows it managing a window.
  XSelectInput(dpy, root, PropertyChangeMask | SubstructureNotifyMask);
  const Atom check = XInternAtom(dpy, "_NET_SUPPORTING_WM_CHECK", False);
  const auto give_up = Clock::now() + kStartDeadline;
  const bool up = UntilOnConnection(
      dpy,
      [&] {
        Atom type;
        int format;
        unsigned long n, after;
        unsigned char* data = nullptr;
        const bool found = XGetWindowProperty(dpy, root, check, 0, 1, False, XA_WINDOW, &type,
                                              &format, &n, &after, &data) == Success &&
                           n == 1;
        if (data) XFree(data);
        return found;
      },
      MsLeft(give_up));
  // Announced is not yet managing: map a window until the manager frames and shows it.
  bool managing = false;
  if (up) {
    Window w = XCreateSimpleWindow(dpy, root, 0, 0, 10, 10, 0, 0, 0);
    auto framed = [&] {
      Window r, parent, *kids = nullptr;
      unsigned n = 0;
      if (!XQueryTree(dpy, w, &r, &parent, &kids, &n)) return false;
      if (kids) XFree(kids);
      XWindowAttributes a;
      return parent != root && XGetWindowAttributes(dpy, w, &a) && a.map_state == IsViewable;
    };
    while (!managing && MsLeft(give_up) > 0) {
      XMapWindow(dpy, w);
      XSync(dpy, False);
      managing = UntilOnConnection(dpy, framed, std::min(MsLeft(give_up), 200));
    }
    XDestroyWindow(dpy, w);
  }
  XCloseDisplay(dpy);
  if (!managing) *why = "openbox did not start managing windows";
  return managing;
}

// ---- Probe

namespace {

// Probe errors are ordinary (a window may be gone); other connections' go where they went.
std::vector<Display*> g_probe_displays;
XErrorHandler g_other_errors = nullptr;

int OnProbeError(Display* dpy, XErrorEvent* e) {
  if (std::find(g_probe_displays.begin(), g_probe_displays.end(), dpy) != g_probe_displays.end()) {
    return 0;
  }
  return g_other_errors ? g_other_errors(dpy, e) : 0;
}

}  // namespace

Probe::Probe(const std::string& display) : dpy_(XOpenDisplay(display.c_str())) {
  if (!dpy_) return;
  const XErrorHandler before = XSetErrorHandler(OnProbeError);
  if (before != OnProbeError) g_other_errors = before;
  g_probe_displays.push_back(dpy_);
  // Top-level windows appearing, moving and going wake WaitUntil.
  XSelectInput(dpy_, root(), SubstructureNotifyMask | PropertyChangeMask);
}

Probe::~Probe() {
  if (!dpy_) return;
  XCloseDisplay(dpy_);
  std::erase(g_probe_displays, dpy_);
}

std::uint32_t Probe::PixelAt(int x, int y) {
  XImage* img = XGetImage(dpy_, root(), x, y, 1, 1, AllPlanes, ZPixmap);
  if (!img) return 0xFFFFFFFF;
  const unsigned long px = XGetPixel(img, 0, 0);
  XDestroyImage(img);
  return static_cast<std::uint32_t>(px & 0xFFFFFF);
}

void Probe::SetRootColor(std::uint32_t rgb) {
  XSetWindowBackground(dpy_, root(), rgb);
  XClearWindow(dpy_, root());
  XSync(dpy_, False);
}

void Probe::MovePointer(int x, int y) {
  XTestFakeMotionEvent(dpy_, -1, x, y, CurrentTime);
  XSync(dpy_, False);
}

void Probe::Button(bool press) {
  XTestFakeButtonEvent(dpy_, 1, press ? True : False, CurrentTime);
  XSync(dpy_, False);
}

void Probe::Key(unsigned long keysym, bool press) {
  XTestFakeKeyEvent(dpy_, XKeysymToKeycode(dpy_, keysym), press ? True : False, CurrentTime);
  XSync(dpy_, False);
}

bool Probe::WaitUntil(const std::function<bool()>& condition, int timeout_ms) {
  return UntilOnConnection(dpy_, condition, timeout_ms);
}

bool Probe::WaitUntilPointerFree(int timeout_ms) {
  return WaitUntil(
      [&] {
        if (XGrabPointer(dpy_, root(), False, 0, GrabModeAsync, GrabModeAsync, None, None,
                         CurrentTime) != GrabSuccess) {
          return false;
        }
        XUngrabPointer(dpy_, CurrentTime);
        XSync(dpy_, False);
        return true;
      },
      timeout_ms);
}

Window Probe::Focus() {
  Window w = 0;
  int revert;
  XGetInputFocus(dpy_, &w, &revert);
  return w;
}

std::optional<XWindowAttributes> Probe::Attributes(Window w) {
  XWindowAttributes a;
  if (!XGetWindowAttributes(dpy_, w, &a)) return std::nullopt;
  return a;
}

std::optional<Point> Probe::Origin(Window w) {
  int x, y;
  Window child;
  if (!XTranslateCoordinates(dpy_, w, root(), 0, 0, &x, &y, &child)) return std::nullopt;
  return Point{x, y};
}

int Probe::StackIndex(Window w) {
  Window r, parent, *kids = nullptr;
  unsigned n = 0;
  if (!XQueryTree(dpy_, root(), &r, &parent, &kids, &n)) return -1;
  int found = -1;
  for (unsigned i = 0; i < n && found < 0; ++i) {
    const Window top = kids[n - 1 - i];
    if (top == w) {
      found = static_cast<int>(i);
      break;
    }
    Window* inner = nullptr;
    unsigned m = 0;
    if (XQueryTree(dpy_, top, &r, &parent, &inner, &m)) {
      for (unsigned j = 0; j < m; ++j) {
        if (inner[j] == w) found = static_cast<int>(i);
      }
    }
    if (inner) XFree(inner);
  }
  if (kids) XFree(kids);
  return found;
}

// ---- Pumping

std::optional<Event> WaitFor(Host& host, const std::function<bool(const Event&)>& match,
                             int timeout_ms) {
  const std::uint64_t deadline = host.NowMs() + static_cast<std::uint64_t>(timeout_ms);
  Event e;
  while (host.WaitEvent(deadline, &e)) {
    if (e.type == EventType::kQuit) return std::nullopt;
    if (match(e)) return e;
  }
  return std::nullopt;
}

bool Eventually(Host& host, const std::function<bool()>& condition, int timeout_ms) {
  const std::uint64_t deadline = host.NowMs() + static_cast<std::uint64_t>(timeout_ms);
  for (;;) {
    if (condition()) return true;
    if (host.NowMs() >= deadline) return false;
    Event e;
    host.WaitEvent(std::min(deadline, host.NowMs() + 5), &e);  // handles exposes, state changes
  }
}

}  // namespace host::test
