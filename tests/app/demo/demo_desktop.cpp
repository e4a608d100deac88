#include "demo_desktop.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/shape.h>
#include <poll.h>

#include <algorithm>
#include <chrono>
#include <sstream>

namespace app::test {
namespace {

using Clock = std::chrono::steady_clock;

// Windows come and go while they are looked at: an error about one just gone is no failure.
int IgnoreErrors(Display*, XErrorEvent*) {
  return 0;
}

std::vector<Window> ChildrenTopFirst(Display* dpy, Window parent) {
  Window root, up;
  Window* kids = nullptr;
  unsigned n = 0;
  std::vector<Window> out;
  if (XQueryTree(dpy, parent, &root, &up, &kids, &n) && kids) out.assign(kids, kids + n);
  if (kids) XFree(kids);
  std::reverse(out.begin(), out.end());
  return out;
}

std::optional<long> PidOf(Display* dpy, Window w) {
  const Atom net_wm_pid = XInternAtom(dpy, "_NET_WM_PID", False);
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  std::optional<long> pid;
  if (XGetWindowProperty(dpy, w, net_wm_pid, 0, 1, False, XA_CARDINAL, &type, &format, &count,
                         &after, &data) == Success &&
      data && format == 32 && count == 1) {
    pid = *reinterpret_cast<const long*>(data);
  }
  if (data) XFree(data);
  return pid;
}

}  // namespace

std::string ReportLine(const std::string& hex) {
  std::string line = hex;
  for (std::size_t bytes = (hex.size() + 1) / 3; bytes < 65; ++bytes) line += " 00";
  return line;
}

void DemoDesktop::SetUp() {
  XvfbSuite::SetUp();
  if (!Ready()) return;
  XSetErrorHandler(IgnoreErrors);

  program_ = std::make_unique<DemoProgram>();
  ASSERT_FALSE(program_->path().empty()) << program_->error();

  watch_ = XOpenDisplay(server_->display().c_str());
  ASSERT_NE(nullptr, watch_);
  XSelectInput(watch_, DefaultRootWindow(watch_), SubstructureNotifyMask);
  XSync(watch_, False);
  probe_->SetRootColor(kRootColor);
  // Out of the way of every window: no control is hovered until the test says so.
  MovePointer({0, 0});
}

void DemoDesktop::TearDown() {
  if (watch_) XCloseDisplay(watch_);
  watch_ = nullptr;
  program_.reset();
  XvfbSuite::TearDown();
}

std::unique_ptr<ChildProcess> DemoDesktop::StartDemo() {
  return ChildProcess::Start({program_->path()}, server_->display());
}

void DemoDesktop::Drain() {
  while (XPending(watch_) > 0) {
    XEvent e;
    XNextEvent(watch_, &e);
    if (e.type == MapNotify) mapped_.push_back(e.xmap.window);
  }
}

bool DemoDesktop::WaitUntil(const std::function<bool()>& condition, int timeout_ms) {
  const auto until = Clock::now() + std::chrono::milliseconds(timeout_ms);
  for (;;) {
    if (condition()) return true;
    Drain();
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now()).count();
    if (left <= 0) return condition();
    pollfd p{ConnectionNumber(watch_), POLLIN, 0};
    poll(&p, 1, static_cast<int>(std::min<long long>(left, 10)));
  }
}

std::vector<DesktopWindow> DemoDesktop::WindowsOf(pid_t pid) {
  Display* dpy = probe_->dpy();
  std::vector<DesktopWindow> out;
  auto describe = [&](Window w, Window frame) {
    DesktopWindow d;
    d.id = w;
    d.frame = frame;
    XWindowAttributes a;
    if (!XGetWindowAttributes(dpy, w, &a)) return;
    d.viewable = a.map_state == IsViewable;
    d.popup = a.override_redirect;
    const std::optional<host::Point> at = probe_->Origin(w);
    if (!at) return;
    d.rect = host::Rect{at->x, at->y, at->x + a.width, at->y + a.height};
    Window owner = 0;
    if (XGetTransientForHint(dpy, w, &owner)) d.transient_for = owner;
    out.push_back(d);
  };
  for (Window top : ChildrenTopFirst(dpy, probe_->root())) {
    if (PidOf(dpy, top) == pid) {
      describe(top, top);
      continue;
    }
    for (Window inner : ChildrenTopFirst(dpy, top)) {
      if (PidOf(dpy, inner) == pid) describe(inner, top);
    }
  }
  return out;
}

std::optional<DesktopWindow> DemoDesktop::MainWindowOf(pid_t pid) {
  for (const DesktopWindow& w : WindowsOf(pid)) {
    if (!w.popup && w.rect.Width() == 800 && w.rect.Height() == 540) return w;
  }
  return std::nullopt;
}

std::optional<DesktopWindow> DemoDesktop::DialogOf(pid_t pid) {
  for (const DesktopWindow& w : WindowsOf(pid)) {
    if (w.viewable && !w.popup && w.transient_for != 0) return w;
  }
  return std::nullopt;
}

std::optional<DesktopWindow> DemoDesktop::WaitForMainWindow(const ChildProcess& program) {
  std::optional<DesktopWindow> main;
  WaitUntil([&] {
    main = MainWindowOf(program.pid());
    return main && main->viewable;
  });
  if (main && !main->viewable) main.reset();
  return main;
}

Window DemoDesktop::WindowInFront() {
  Display* dpy = probe_->dpy();
  for (Window top : ChildrenTopFirst(dpy, probe_->root())) {
    XWindowAttributes a;
    if (!XGetWindowAttributes(dpy, top, &a) || a.map_state != IsViewable || a.override_redirect)
      continue;
    if (PidOf(dpy, top)) return top;
    for (Window inner : ChildrenTopFirst(dpy, top)) {
      if (PidOf(dpy, inner)) return inner;
    }
    return top;
  }
  return 0;
}

int DemoDesktop::StackDepth(Window root_child) {
  const std::vector<Window> order = ChildrenTopFirst(probe_->dpy(), probe_->root());
  const auto at = std::find(order.begin(), order.end(), root_child);
  return at == order.end() ? -1 : static_cast<int>(at - order.begin());
}

std::vector<Window> DemoDesktop::TakeMapped() {
  XSync(watch_, False);
  Drain();
  return std::exchange(mapped_, {});
}

bool DemoDesktop::Exists(Window w) {
  XWindowAttributes a;
  return XGetWindowAttributes(probe_->dpy(), w, &a) != 0;
}

ScreenPicture DemoDesktop::Grab(const host::Rect& area) {
  ScreenPicture picture;
  XImage* image = XGetImage(probe_->dpy(), probe_->root(), area.left, area.top,
                            static_cast<unsigned>(area.Width()),
                            static_cast<unsigned>(area.Height()), AllPlanes, ZPixmap);
  if (!image) return picture;
  picture.width = area.Width();
  picture.height = area.Height();
  picture.pixels.reserve(static_cast<std::size_t>(picture.width) * picture.height);
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      picture.pixels.push_back(static_cast<std::uint32_t>(XGetPixel(image, x, y) & 0xFFFFFF));
    }
  }
  XDestroyImage(image);
  return picture;
}

std::string DemoDesktop::Differences(const DesktopWindow& w, const ScreenPicture& expected) {
  if (expected.width != w.rect.Width() || expected.height != w.rect.Height())
    return "the window is not the picture's size";
  int count = 0, ordering = 0;
  XRectangle* shape = XShapeGetRectangles(probe_->dpy(), w.id, ShapeBounding, &count, &ordering);
  std::vector<XRectangle> rects(shape, shape + (shape ? count : 0));
  if (shape) XFree(shape);
  const ScreenPicture shown = Grab(w.rect);
  if (shown.pixels.size() != expected.pixels.size()) return "the screen cannot be read";
  std::ostringstream text;
  int differing = 0;
  for (const XRectangle& r : rects) {
    for (int y = r.y; y < r.y + r.height; ++y) {
      for (int x = r.x; x < r.x + r.width; ++x) {
        if (x < 0 || y < 0 || x >= expected.width || y >= expected.height) continue;
        const std::size_t i = static_cast<std::size_t>(y) * expected.width + x;
        if (shown.pixels[i] == expected.pixels[i]) continue;
        if (++differing <= 5) {
          text << " (" << x << ", " << y << ") shows " << std::hex << shown.pixels[i]
               << " instead of " << expected.pixels[i] << std::dec << ";";
        }
      }
    }
  }
  if (differing == 0) return "";
  return std::to_string(differing) + " pixels differ:" + text.str();
}

void DemoDesktop::MovePointer(host::Point screen) {
  probe_->MovePointer(screen.x, screen.y);
}

void DemoDesktop::Click(host::Point screen) {
  MovePointer(screen);
  probe_->Button(true);
  probe_->Button(false);
}

void DemoDesktop::Drag(host::Point from, host::Point to) {
  MovePointer(from);
  probe_->Button(true);
  constexpr int kSteps = 12;
  for (int i = 1; i <= kSteps; ++i) {
    MovePointer({from.x + (to.x - from.x) * i / kSteps, from.y + (to.y - from.y) * i / kSteps});
  }
  probe_->Button(false);
}

void DemoDesktop::Key(unsigned long keysym) {
  probe_->Key(keysym, true);
  probe_->Key(keysym, false);
}

}  // namespace app::test
