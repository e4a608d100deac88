#include "x11_test_support.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>
#include <vector>

namespace host::test {
namespace {

using Clock = std::chrono::steady_clock;

bool OnPath(const char* program) {
  const char* path = std::getenv("PATH");
  std::string dirs = path ? path : "/usr/bin:/bin";
  size_t start = 0;
  while (start <= dirs.size()) {
    size_t end = dirs.find(':', start);
    if (end == std::string::npos) end = dirs.size();
    std::string candidate = dirs.substr(start, end - start) + "/" + program;
    if (access(candidate.c_str(), X_OK) == 0) return true;
    start = end + 1;
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

void Stop(pid_t& pid) {
  if (pid <= 0) return;
  kill(pid, SIGTERM);
  for (int i = 0; i < 200; ++i) {
    if (waitpid(pid, nullptr, WNOHANG) == pid) {
      pid = -1;
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  kill(pid, SIGKILL);
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
  const auto give_up = Clock::now() + std::chrono::seconds(10);
  while (number.empty() || number.back() != '\n') {
    pollfd p{fds[0], POLLIN, 0};
    const int left = static_cast<int>(
        std::chrono::duration_cast<std::chrono::milliseconds>(give_up - Clock::now()).count());
    if (left <= 0 || poll(&p, 1, left) <= 0) break;
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
  const Atom check = XInternAtom(dpy, "_NET_SUPPORTING_WM_CHECK", False);
  bool up = false;
  const auto give_up = Clock::now() + std::chrono::seconds(10);
  while (!up && Clock::now() < give_up) {
    Atom type;
    int format;
    unsigned long n, after;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(dpy, DefaultRootWindow(dpy), check, 0, 1, False, XA_WINDOW, &type,
                           &format, &n, &after, &data) == Success &&
        n == 1)
      up = true;
    if (data) XFree(data);
    if (!up) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  // Announced is not yet managing: a map request sent too early can go unanswered. Ready is when a
  // window of ours gets mapped through it.
  bool managing = false;
  if (up) {
    Window w = XCreateSimpleWindow(dpy, DefaultRootWindow(dpy), 0, 0, 10, 10, 0, 0, 0);
    while (!managing && Clock::now() < give_up) {
      XMapWindow(dpy, w);
      XSync(dpy, False);
      for (int i = 0; i < 20 && !managing; ++i) {
        XWindowAttributes a;
        managing = XGetWindowAttributes(dpy, w, &a) && a.map_state == IsViewable;
        if (!managing) std::this_thread::sleep_for(std::chrono::milliseconds(5));
      }
    }
    XDestroyWindow(dpy, w);
  }
  XCloseDisplay(dpy);
  if (!managing) *why = "openbox did not start managing windows";
  return managing;
}

// ---- Probe

Probe::Probe(const std::string& display) : dpy_(XOpenDisplay(display.c_str())) {}

Probe::~Probe() {
  if (dpy_) XCloseDisplay(dpy_);
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

void Probe::WaitUntilPointerFree() {
  for (int i = 0; i < 400; ++i) {
    if (XGrabPointer(dpy_, root(), False, 0, GrabModeAsync, GrabModeAsync, None, None,
                     CurrentTime) == GrabSuccess) {
      XUngrabPointer(dpy_, CurrentTime);
      XSync(dpy_, False);
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
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
