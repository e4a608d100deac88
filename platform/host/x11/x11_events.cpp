// X events to host events, and waiting for them without spending CPU.
#include <poll.h>

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cerrno>
#include <climits>

#include "x11_host_impl.h"
#include "x11_keys.h"

namespace host::x11 {
namespace {

bool Inside(const Rect& r, Point p) {
  return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

constexpr unsigned kButtonMasks = Button1Mask | Button2Mask | Button3Mask;

}  // namespace

NativeWindow X11HostImpl::OwnWindowAt(Point p) const {
  for (NativeWindow id : z_order_) {
    const Win* w = Find(id);
    if (!w || !w->shown || w->minimized || !Inside(w->desc.rect, p)) continue;
    if (!w->shape) return id;
    const Point local{p.x - w->desc.rect.left, p.y - w->desc.rect.top};
    if (std::any_of(w->shape->begin(), w->shape->end(),
                    [local](const Rect& s) { return Inside(s, local); }))
      return id;
  }
  return 0;
}

void X11HostImpl::TranslatePointer(const XEvent& xe) {
  Event e;
  Window xw;
  unsigned state;
  bool left_after;
  if (xe.type == MotionNotify) {
    e.type = EventType::kPointerMove;
    xw = xe.xmotion.window;
    state = xe.xmotion.state;
    e.screen = Point{xe.xmotion.x_root, xe.xmotion.y_root};
    left_after = state & Button1Mask;
  } else {
    const XButtonEvent& b = xe.xbutton;
    if (b.button < 1 || b.button > 3) return;  // wheel steps are not used
    const bool press = xe.type == ButtonPress;
    e.type = press ? EventType::kButtonDown : EventType::kButtonUp;
    e.button = static_cast<int>(b.button);
    xw = b.window;
    state = b.state;
    e.screen = Point{b.x_root, b.y_root};
    left_after = b.button == 1 ? press : (state & Button1Mask) != 0;
  }
  last_pointer_ = e.screen;
  e.modifiers = ModifiersFromState(state, left_after);
  if (capture_ && Find(capture_)) {
    e.window = capture_;
  } else if (xe.type != ButtonPress && (state & kButtonMasks)) {
    // X's implicit grab sends everything to the pressed window while a button is held; name the
    // window that is really under the pointer, as without capture nothing is grabbed.
    e.window = OwnWindowAt(e.screen);
  } else {
    e.window = Find(xw) ? xw : 0;
  }
  queue_.push_back(e);
}

void X11HostImpl::TranslateConfigure(const XConfigureEvent& ce) {
  Win* w = Find(ce.window);
  if (!w) return;
  // The echo of a move of ours that a later one has overtaken: the later rectangle stands.
  if (!ce.send_event && ce.serial < w->configure_serial) return;
  int x = ce.x, y = ce.y;
  if (!ce.send_event && !w->parent_is_root) {
    // Inside a window manager's frame: the event gives frame coordinates.
    Window child;
    if (!XTranslateCoordinates(dpy_, ce.window, root_, 0, 0, &x, &y, &child)) return;
  }
  const Rect r{x, y, x + ce.width, y + ce.height};
  const Rect old = w->desc.rect;
  if (r.left == old.left && r.top == old.top && r.right == old.right && r.bottom == old.bottom)
    return;
  w->desc.rect = r;
  if (r.Width() != old.Width() || r.Height() != old.Height()) {
    w->image.reset();
    w->image_valid = false;
  }
  Event e;
  e.type = EventType::kWindowMoved;
  e.window = ce.window;
  e.rect = r;
  e.screen = last_pointer_;
  queue_.push_back(e);
}

void X11HostImpl::TranslateProperty(const XPropertyEvent& pe) {
  Win* w = Find(pe.window);
  if (!w || pe.atom != atoms_.wm_state || pe.serial < w->state_serial) return;
  const int state = WmStateOf(pe.window);
  if (state == IconicState && !w->minimized) {
    w->minimized = true;
    QueueState(pe.window, true);
  } else if (state == NormalState && w->minimized) {
    w->minimized = false;
    QueueState(pe.window, false);
  }
}

void X11HostImpl::Translate(const XEvent& xe) {
  switch (xe.type) {
    case MotionNotify:
    case ButtonPress:
    case ButtonRelease:
      TranslatePointer(xe);
      break;
    case KeyPress:
    case KeyRelease: {
      XKeyEvent key = xe.xkey;
      const unsigned vk = VirtualKeyFromKeysym(XLookupKeysym(&key, 0));
      if (!vk) break;
      Event e;
      e.type = xe.type == KeyPress ? EventType::kKeyDown : EventType::kKeyUp;
      e.window = Find(key.window) ? key.window : 0;
      e.vk = vk;
      e.screen = Point{key.x_root, key.y_root};
      e.modifiers = ModifiersFromState(key.state, key.state & Button1Mask);
      queue_.push_back(e);
      break;
    }
    case Expose: {
      Win* w = Find(xe.xexpose.window);
      if (!w) break;
      const XExposeEvent& x = xe.xexpose;
      const Rect r{x.x, x.y, x.x + x.width, x.y + x.height};
      if (w->image && w->image_valid) {
        // We still have the pixels: put them back without troubling the program.
        w->image->Put(x.window, gc_, r);
      } else {
        Event e;
        e.type = EventType::kExpose;
        e.window = x.window;
        e.rect = r;
        e.screen = last_pointer_;
        queue_.push_back(e);
      }
      break;
    }
    case ConfigureNotify:
      TranslateConfigure(xe.xconfigure);
      break;
    case ReparentNotify:
      if (Win* w = Find(xe.xreparent.window)) w->parent_is_root = xe.xreparent.parent == root_;
      break;
    case MapNotify: {
      Win* w = Find(xe.xmap.window);
      if (!w) break;
      w->mapped = true;
      if (w->minimized && xe.xmap.serial >= w->state_serial) {
        // Restored by someone else: the window manager, or another process of ours.
        w->minimized = false;
        if (!wm_) {
          std::vector<Atom> states;
          if (w->desc.topmost) states.push_back(atoms_.net_wm_state_above);
          if (!w->desc.app_window) states.push_back(atoms_.net_wm_state_skip_taskbar);
          SetNetWmState(xe.xmap.window, states);
        }
        QueueState(xe.xmap.window, false);
      }
      if (w->activate_on_map) {
        w->activate_on_map = false;
        if (wm_) SendNetActive(xe.xmap.window, 1);
      }
      break;
    }
    case UnmapNotify:
      if (Win* w = Find(xe.xunmap.window)) w->mapped = false;
      break;
    case PropertyNotify:
      TranslateProperty(xe.xproperty);
      break;
    case ClientMessage: {
      const XClientMessageEvent& cm = xe.xclient;
      if (Find(cm.window) && cm.message_type == atoms_.wm_protocols && cm.format == 32 &&
          static_cast<Atom>(cm.data.l[0]) == atoms_.wm_delete_window) {
        Event e;
        e.type = EventType::kCloseRequest;
        e.window = cm.window;
        e.screen = last_pointer_;
        queue_.push_back(e);
      }
      break;
    }
    case FocusIn:
    case FocusOut: {
      const XFocusChangeEvent& f = xe.xfocus;
      if (!Find(f.window) || f.mode == NotifyGrab || f.mode == NotifyUngrab ||
          f.detail == NotifyPointer || f.detail == NotifyInferior)
        break;
      Event e;
      e.type = xe.type == FocusIn ? EventType::kFocusIn : EventType::kFocusOut;
      e.window = f.window;
      e.screen = last_pointer_;
      queue_.push_back(e);
      break;
    }
    default:
      break;
  }
}

Event X11HostImpl::QuitEvent() const {
  Event e;
  e.type = EventType::kQuit;
  e.screen = last_pointer_;
  e.lost = true;  // this host only quits when its display has gone
  return e;
}

// Reads what the server has sent until one host event results. Never blocks.
bool X11HostImpl::FillFromX(Event* out) {
  while (queue_.empty() && !dead_ && XPending(dpy_) > 0 && !dead_) {
    XEvent xe;
    XNextEvent(dpy_, &xe);
    Translate(xe);
  }
  if (queue_.empty()) return false;
  if (out) *out = queue_.front();
  queue_.pop_front();
  return true;
}

bool X11HostImpl::PollEvent(Event* out) {
  if (FillFromX(out)) return true;
  if (dead_) {
    if (out) *out = QuitEvent();
    return true;
  }
  return false;
}

bool X11HostImpl::WaitEvent(std::optional<std::uint64_t> deadline_ms, Event* out) {
  for (;;) {
    if (PollEvent(out)) return true;
    int timeout = -1;
    if (deadline_ms) {
      const std::uint64_t now = NowMs();
      if (*deadline_ms <= now) return false;
      timeout = static_cast<int>(std::min<std::uint64_t>(*deadline_ms - now, INT_MAX));
    }
    // XPending above flushed our requests; sleep until the server writes or the deadline comes.
    pollfd p{fd_, POLLIN, 0};
    const int r = poll(&p, 1, timeout);
    if (r < 0 && errno != EINTR) {
      dead_ = true;
    } else if (r > 0 && (p.revents & (POLLERR | POLLNVAL))) {
      dead_ = true;
    }
    // A hung-up connection: XPending reads what is left, then Xlib reports the broken link.
    if (r > 0 && (p.revents & POLLHUP) && !dead_ && queue_.empty() && XPending(dpy_) == 0)
      dead_ = true;
  }
}

}  // namespace host::x11
