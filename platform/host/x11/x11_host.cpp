// Connection, native windows, stacking, presenting.
#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <X11/extensions/shape.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>

#include "utf8.h"
#include "x11_errors.h"
#include "x11_host_impl.h"
#include "x11_keys.h"

namespace host {

std::unique_ptr<X11Host> X11Host::Open(const std::string& display_name, std::string* error,
                                       bool shared_memory) {
  x11::InstallErrorHandler();
  const char* env = std::getenv("DISPLAY");
  if (display_name.empty() && (!env || !*env)) {
    if (error) *error = "no X display: DISPLAY is not set";
    return nullptr;
  }
  Display* dpy = XOpenDisplay(display_name.empty() ? nullptr : display_name.c_str());
  if (!dpy) {
    if (error) {
      *error = std::string("cannot open X display \"") +
               XDisplayName(display_name.empty() ? nullptr : display_name.c_str()) + "\"";
    }
    return nullptr;
  }
  return std::make_unique<x11::X11HostImpl>(dpy, shared_memory);
}

namespace x11 {
namespace {

// Xlib calls this when the connection breaks; returning (instead of exiting, Xlib's default)
// leaves the display unusable, which the host notices and answers with kQuit.
int OnIoError(Display*) {
  return 0;
}
void OnIoErrorExit(Display*, void* host) {
  static_cast<X11HostImpl*>(host)->MarkDead();
}

// _MOTIF_WM_HINTS: the common way to ask a window manager for no decoration.
struct MotifHints {
  unsigned long flags = 0;
  unsigned long functions = 0;
  unsigned long decorations = 0;
  long input_mode = 0;
  unsigned long status = 0;
};
constexpr unsigned long kMotifDecorationsFlag = 2;
constexpr unsigned long kMotifDecorateAll = 1;

unsigned Clamp1(int v) {
  return static_cast<unsigned>(std::max(v, 1));
}

}  // namespace

X11HostImpl::X11HostImpl(Display* dpy, bool shared_memory)
    : dpy_(dpy),
      display_name_(DisplayString(dpy)),
      fd_(ConnectionNumber(dpy)),
      screen_(DefaultScreen(dpy)),
      root_(RootWindow(dpy, screen_)),
      visual_(DefaultVisual(dpy, screen_)),
      depth_(DefaultDepth(dpy, screen_)) {
  XSetIOErrorHandler(OnIoError);
  XSetIOErrorExitHandler(dpy_, OnIoErrorExit, this);
  gc_ = XCreateGC(dpy_, root_, 0, nullptr);

  struct {
    Atom* slot = nullptr;
    const char* name = nullptr;
  } names[] = {
      {&atoms_.wm_protocols, "WM_PROTOCOLS"},
      {&atoms_.wm_delete_window, "WM_DELETE_WINDOW"},
      {&atoms_.wm_state, "WM_STATE"},
      {&atoms_.wm_change_state, "WM_CHANGE_STATE"},
      {&atoms_.net_supported, "_NET_SUPPORTED"},
      {&atoms_.net_supporting_wm_check, "_NET_SUPPORTING_WM_CHECK"},
      {&atoms_.net_active_window, "_NET_ACTIVE_WINDOW"},
      {&atoms_.net_wm_moveresize, "_NET_WM_MOVERESIZE"},
      {&atoms_.net_wm_state, "_NET_WM_STATE"},
      {&atoms_.net_wm_state_hidden, "_NET_WM_STATE_HIDDEN"},
      {&atoms_.net_wm_state_above, "_NET_WM_STATE_ABOVE"},
      {&atoms_.net_wm_state_skip_taskbar, "_NET_WM_STATE_SKIP_TASKBAR"},
      {&atoms_.net_wm_name, "_NET_WM_NAME"},
      {&atoms_.utf8_string, "UTF8_STRING"},
      {&atoms_.net_wm_pid, "_NET_WM_PID"},
      {&atoms_.net_wm_icon, "_NET_WM_ICON"},
      {&atoms_.net_wm_window_type, "_NET_WM_WINDOW_TYPE"},
      {&atoms_.net_wm_window_type_normal, "_NET_WM_WINDOW_TYPE_NORMAL"},
      {&atoms_.net_wm_window_type_dialog, "_NET_WM_WINDOW_TYPE_DIALOG"},
      {&atoms_.net_wm_window_type_tooltip, "_NET_WM_WINDOW_TYPE_TOOLTIP"},
      {&atoms_.net_wm_window_type_popup_menu, "_NET_WM_WINDOW_TYPE_POPUP_MENU"},
      {&atoms_.motif_wm_hints, "_MOTIF_WM_HINTS"},
      {&atoms_.last_active_popup, "_HALCYRA_LAST_ACTIVE_POPUP"},
  };
  constexpr int kCount = sizeof(names) / sizeof(names[0]);
  char* list[kCount];
  Atom values[kCount];
  for (int i = 0; i < kCount; ++i) list[i] = const_cast<char*>(names[i].name);
  XInternAtoms(dpy_, list, kCount, False, values);
  for (int i = 0; i < kCount; ++i) *names[i].slot = values[i];

  int event_base, error_base, major, minor;
  Bool pixmaps;
  shape_ = XShapeQueryExtension(dpy_, &event_base, &error_base);
  use_shm_ = shared_memory && XShmQueryVersion(dpy_, &major, &minor, &pixmaps);
  DetectWindowManager();
  // A held key repeats key presses only, as Windows repeats WM_KEYDOWN without WM_KEYUP.
  XkbSetDetectableAutoRepeat(dpy_, True, nullptr);
}

X11HostImpl::~X11HostImpl() {
  if (dead_) {
    // Nothing more goes over the connection; Xlib only frees its side (the link is marked broken).
    for (auto& [id, w] : windows_) w.image.reset();
    windows_.clear();
    XFreeGC(dpy_, gc_);
    XCloseDisplay(dpy_);
    return;
  }
  for (auto& [id, w] : windows_) {
    w.image.reset();
    XDestroyWindow(dpy_, id);
  }
  windows_.clear();
  XFreeGC(dpy_, gc_);
  XCloseDisplay(dpy_);
}

// A window manager announces itself with _NET_SUPPORTING_WM_CHECK on the root, naming a window
// that carries the same property pointing at itself (a stale property names a dead window).
void X11HostImpl::DetectWindowManager() {
  auto check = ReadCardinal(root_, atoms_.net_supporting_wm_check, XA_WINDOW);
  wm_ =
      check && *check != 0 &&
      ReadCardinal(static_cast<Window>(*check), atoms_.net_supporting_wm_check, XA_WINDOW) == check;
  wm_moves_ = false;
  if (!wm_) return;
  Atom type;
  int format;
  unsigned long count, after;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(dpy_, root_, atoms_.net_supported, 0, 4096, False, XA_ATOM, &type, &format,
                         &count, &after, &data) == Success &&
      data) {
    const Atom* atoms = reinterpret_cast<const Atom*>(data);
    wm_moves_ = std::find(atoms, atoms + count, atoms_.net_wm_moveresize) != atoms + count;
  }
  if (data) XFree(data);
}

X11HostImpl::Win* X11HostImpl::Find(NativeWindow window) {
  auto it = windows_.find(window);
  return it == windows_.end() ? nullptr : &it->second;
}

const X11HostImpl::Win* X11HostImpl::Find(NativeWindow window) const {
  auto it = windows_.find(window);
  return it == windows_.end() ? nullptr : &it->second;
}

Rect X11HostImpl::ScreenRect() const {
  return Rect{0, 0, DisplayWidth(dpy_, screen_), DisplayHeight(dpy_, screen_)};
}

std::uint64_t X11HostImpl::NowMs() const {
  return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                        std::chrono::steady_clock::now().time_since_epoch())
                                        .count());
}

// ---- Windows

void X11HostImpl::SetSizeHints(Window xw, const Rect& r, bool popup) {
  if (popup) return;
  XSizeHints* hints = XAllocSizeHints();
  if (!hints) return;
  // Our windows are never resized by the user; the position is the one asked for.
  hints->flags = USPosition | PPosition | PSize | PMinSize | PMaxSize;
  hints->x = r.left;
  hints->y = r.top;
  hints->width = hints->min_width = hints->max_width = static_cast<int>(Clamp1(r.Width()));
  hints->height = hints->min_height = hints->max_height = static_cast<int>(Clamp1(r.Height()));
  XSetWMNormalHints(dpy_, xw, hints);
  XFree(hints);
}

void X11HostImpl::SetNetWmState(Window xw, const std::vector<Atom>& states) {
  if (states.empty()) {
    XDeleteProperty(dpy_, xw, atoms_.net_wm_state);
    return;
  }
  XChangeProperty(dpy_, xw, atoms_.net_wm_state, XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(states.data()),
                  static_cast<int>(states.size()));
}

NativeWindow X11HostImpl::CreateWindow(const WindowDesc& desc) {
  if (dead_) return 0;
  XSetWindowAttributes a{};
  // No background: the server never clears the window to a colour before we present, so nothing
  // flickers; exposed areas are put back from our image.
  a.background_pixmap = None;
  a.border_pixel = 0;
  a.bit_gravity = NorthWestGravity;
  a.override_redirect = desc.popup ? True : False;
  a.save_under = desc.popup ? True : False;
  a.event_mask = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask |
                 KeyPressMask | KeyReleaseMask | StructureNotifyMask | FocusChangeMask |
                 PropertyChangeMask;
  const unsigned long mask =
      CWBackPixmap | CWBorderPixel | CWBitGravity | CWOverrideRedirect | CWSaveUnder | CWEventMask;
  const Rect& r = desc.rect;
  Window xw = XCreateWindow(dpy_, root_, r.left, r.top, Clamp1(r.Width()), Clamp1(r.Height()), 0,
                            CopyFromParent, InputOutput, CopyFromParent, mask, &a);
  if (!xw) return 0;

  SetIdentity(xw, desc);
  XWMHints wm_hints{};
  wm_hints.flags = InputHint | StateHint;
  wm_hints.input = desc.popup ? False : True;
  wm_hints.initial_state = NormalState;
  XSetWMHints(dpy_, xw, &wm_hints);
  SetSizeHints(xw, r, desc.popup);
  Atom protocols[] = {atoms_.wm_delete_window};
  XSetWMProtocols(dpy_, xw, protocols, 1);
  // Every window the program owns is a normal application window to the window manager (listed,
  // focusable, minimisable), dialogs and popups aside; that it has no frame says the Motif hint.
  Atom type = desc.popup   ? (desc.topmost ? atoms_.net_wm_window_type_tooltip
                                           : atoms_.net_wm_window_type_popup_menu)
              : desc.owner ? atoms_.net_wm_window_type_dialog
                           : atoms_.net_wm_window_type_normal;
  XChangeProperty(dpy_, xw, atoms_.net_wm_window_type, XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(&type), 1);
  if (!desc.popup) {
    MotifHints motif{kMotifDecorationsFlag, 0, desc.captioned ? kMotifDecorateAll : 0, 0, 0};
    XChangeProperty(dpy_, xw, atoms_.motif_wm_hints, atoms_.motif_wm_hints, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&motif), 5);
    std::vector<Atom> states;
    if (desc.topmost) states.push_back(atoms_.net_wm_state_above);
    if (!desc.app_window) states.push_back(atoms_.net_wm_state_skip_taskbar);
    SetNetWmState(xw, states);
    if (desc.owner) XSetTransientForHint(dpy_, xw, static_cast<Window>(desc.owner));
  }

  Win w;
  w.desc = desc;
  w.desc.rect.right = r.left + static_cast<int>(Clamp1(r.Width()));
  w.desc.rect.bottom = r.top + static_cast<int>(Clamp1(r.Height()));
  windows_.emplace(xw, std::move(w));
  SetTitle(xw, desc.title);
  z_order_.insert(z_order_.begin(), xw);  // X stacks a new window on top of its siblings
  return xw;
}

void X11HostImpl::DestroyWindow(NativeWindow window) {
  Win* w = Find(window);
  if (!w) return;
  if (!dead_) {
    if (capture_ == window) XUngrabPointer(dpy_, CurrentTime);
    w->image.reset();
    XDestroyWindow(dpy_, window);
    XFlush(dpy_);
  }
  if (capture_ == window) capture_ = 0;
  windows_.erase(window);
  z_order_.erase(std::remove(z_order_.begin(), z_order_.end(), window), z_order_.end());
  std::erase_if(queue_, [window](const Event& e) { return e.window == window; });
}

void X11HostImpl::SetWindowRect(NativeWindow window, const Rect& rect) {
  Win* w = Find(window);
  if (!w || dead_) return;
  const bool resized =
      rect.Width() != w->desc.rect.Width() || rect.Height() != w->desc.rect.Height();
  if (resized) SetSizeHints(window, rect, w->desc.popup);
  w->configure_serial = NextRequest(dpy_);
  XMoveResizeWindow(dpy_, window, rect.left, rect.top, Clamp1(rect.Width()), Clamp1(rect.Height()));
  w->desc.rect = Rect{rect.left, rect.top, rect.left + static_cast<int>(Clamp1(rect.Width())),
                      rect.top + static_cast<int>(Clamp1(rect.Height()))};
  if (resized) {
    w->image.reset();
    w->image_valid = false;
  }
  XFlush(dpy_);
}

void X11HostImpl::SetShape(NativeWindow window, const std::vector<Rect>* rects) {
  Win* w = Find(window);
  if (!w || dead_) return;
  if (rects) {
    w->shape = *rects;
  } else {
    w->shape.reset();
  }
  if (!shape_) return;
  if (!rects) {
    XShapeCombineMask(dpy_, window, ShapeBounding, 0, 0, None, ShapeSet);
  } else {
    std::vector<XRectangle> xr;
    xr.reserve(rects->size());
    for (const Rect& r : *rects) {
      if (r.right <= r.left || r.bottom <= r.top) continue;
      auto s16 = [](int v) { return static_cast<short>(std::clamp(v, -32768, 32767)); };
      auto u16 = [](int v) { return static_cast<unsigned short>(std::clamp(v, 0, 65535)); };
      xr.push_back(XRectangle{s16(r.left), s16(r.top), u16(r.Width()), u16(r.Height())});
    }
    XShapeCombineRectangles(dpy_, window, ShapeBounding, 0, 0, xr.data(),
                            static_cast<int>(xr.size()), ShapeSet, Unsorted);
  }
  XFlush(dpy_);
}

void X11HostImpl::SetTitle(NativeWindow window, const std::string& text) {
  Win* w = Find(window);
  if (!w || dead_) return;
  w->desc.title = text;
  // A task switcher has nothing to show for a window without text: it takes the application's name.
  const std::string title =
      text.empty() && !w->desc.popup ? X11ClassName(InstanceOf(w->desc)) : text;
  XChangeProperty(dpy_, window, atoms_.net_wm_name, atoms_.utf8_string, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(title.data()),
                  static_cast<int>(title.size()));
  // WM_NAME is Latin-1; anything else shows as '?' to window managers that only read it.
  std::string latin;
  for (const wchar_t c : base::FromUtf8(title)) latin += c < 0x80 ? static_cast<char>(c) : '?';
  XStoreName(dpy_, window, latin.c_str());
}

void X11HostImpl::QueueState(NativeWindow window, bool minimized) {
  Event e;
  e.type = EventType::kWindowState;
  e.window = window;
  e.minimized = minimized;
  e.screen = last_pointer_;
  queue_.push_back(e);
}

void X11HostImpl::Show(NativeWindow window, bool activate) {
  Win* w = Find(window);
  if (!w || dead_) return;
  w->shown = true;
  if (w->minimized) return;  // it stays minimised; Restore brings it back
  if (w->desc.popup) {
    XMapRaised(dpy_, window);  // override-redirect: mapped at once, never focused
    RaiseInOwnStack(window);
  } else if (activate) {
    XMapRaised(dpy_, window);
    RaiseInOwnStack(window);
    // Focus needs a viewable window; with a window manager the map takes effect later.
    w->activate_on_map = true;
    if (!wm_) {
      XSetInputFocus(dpy_, window, RevertToParent, CurrentTime);
      w->activate_on_map = false;
    }
  } else {
    XMapWindow(dpy_, window);
  }
  RestackAbove();
  XFlush(dpy_);
}

void X11HostImpl::Hide(NativeWindow window) {
  Win* w = Find(window);
  if (!w || dead_) return;
  w->shown = false;
  w->activate_on_map = false;
  if (wm_ && !w->desc.popup) {
    XWithdrawWindow(dpy_, window, screen_);
  } else {
    XUnmapWindow(dpy_, window);
  }
  XFlush(dpy_);
}

void X11HostImpl::Minimize(NativeWindow window) {
  Win* w = Find(window);
  if (!w || dead_ || w->minimized) return;
  w->minimized = true;
  w->activate_on_map = false;
  // An activation still waiting for an owned window's map would bring the owner back.
  for (auto& [id, other] : windows_) {
    if (other.desc.owner == window) other.activate_on_map = false;
  }
  w->state_serial = NextRequest(dpy_);
  if (wm_) {
    XIconifyWindow(dpy_, window, screen_);
  } else {
    // Nobody keeps an icon for us: the window goes away and says so for other processes.
    SetNetWmState(window, {atoms_.net_wm_state_hidden});
    XUnmapWindow(dpy_, window);
  }
  QueueState(window, true);
  XFlush(dpy_);
}

void X11HostImpl::Restore(NativeWindow window) {
  Win* w = Find(window);
  if (!w || dead_ || !w->minimized) return;
  w->minimized = false;
  w->state_serial = NextRequest(dpy_);
  if (!wm_) {
    std::vector<Atom> states;
    if (w->desc.topmost) states.push_back(atoms_.net_wm_state_above);
    if (!w->desc.app_window) states.push_back(atoms_.net_wm_state_skip_taskbar);
    SetNetWmState(window, states);
  }
  if (w->shown) {
    XMapRaised(dpy_, window);
    RaiseInOwnStack(window);
    RestackAbove();
  }
  QueueState(window, false);
  XFlush(dpy_);
}

void X11HostImpl::Raise(NativeWindow window, bool activate) {
  Win* w = Find(window);
  if (!w || dead_) return;
  XRaiseWindow(dpy_, window);
  RaiseInOwnStack(window);
  RestackAbove();
  if (activate && !w->desc.popup && w->shown && !w->minimized) {
    if (wm_) {
      SendNetActive(window, 1);
    } else {
      XSetInputFocus(dpy_, window, RevertToParent, CurrentTime);
    }
  }
  XFlush(dpy_);
}

void X11HostImpl::SendNetActive(Window xw, long source) {
  XEvent e{};
  e.xclient.type = ClientMessage;
  e.xclient.window = xw;
  e.xclient.message_type = atoms_.net_active_window;
  e.xclient.format = 32;
  e.xclient.data.l[0] = source;  // 1 an application, 2 a pager (a user's explicit request)
  e.xclient.data.l[1] = CurrentTime;
  XSendEvent(dpy_, root_, False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
}

void X11HostImpl::RaiseInOwnStack(NativeWindow window) {
  z_order_.erase(std::remove(z_order_.begin(), z_order_.end(), window), z_order_.end());
  z_order_.insert(z_order_.begin(), window);
}

// What a window manager would otherwise do for us: owned windows above their owner, topmost
// windows above the rest. Override-redirect popups need it even with a window manager.
void X11HostImpl::RestackAbove() {
  auto raise = [this](NativeWindow id) {
    XRaiseWindow(dpy_, id);
    RaiseInOwnStack(id);
  };
  if (!wm_) {
    // Owned windows directly above their owner's position, walking from the bottom.
    std::vector<NativeWindow> bottom_up(z_order_.rbegin(), z_order_.rend());
    for (NativeWindow id : bottom_up) {
      const Win* w = Find(id);
      if (!w || !w->desc.owner || w->desc.topmost) continue;
      auto owner_pos = std::find(z_order_.begin(), z_order_.end(), w->desc.owner);
      auto own_pos = std::find(z_order_.begin(), z_order_.end(), id);
      if (owner_pos != z_order_.end() && owner_pos < own_pos) {
        XWindowChanges ch{};
        ch.sibling = static_cast<Window>(w->desc.owner);
        ch.stack_mode = Above;
        XConfigureWindow(dpy_, id, CWSibling | CWStackMode, &ch);
        z_order_.erase(own_pos);
        z_order_.insert(std::find(z_order_.begin(), z_order_.end(), w->desc.owner), id);
      }
    }
  }
  std::vector<NativeWindow> bottom_up(z_order_.rbegin(), z_order_.rend());
  for (NativeWindow id : bottom_up) {
    const Win* w = Find(id);
    if (w && w->desc.topmost && (w->desc.popup || !wm_) && w->shown) raise(id);
  }
}

// ---- Presenting

void X11HostImpl::Present(NativeWindow window, const Framebuffer& frame,
                          const std::vector<Rect>& dirty) {
  Win* w = Find(window);
  if (!w || dead_ || !frame.pixels || frame.stride < frame.width) return;
  const int width = w->desc.rect.Width(), height = w->desc.rect.Height();
  if (!w->image || w->image->width() != width || w->image->height() != height) {
    w->image = WindowImage::Create(dpy_, visual_, depth_, width, height, &use_shm_);
    w->image_valid = false;
    if (!w->image) return;
  }
  w->image->WaitUntilRead();
  for (const Rect& d : dirty) {
    Rect r = w->image->CopyFrom(frame, d);
    if (r.Width() > 0) w->image->Put(window, gc_, r);
  }
  w->image_valid = true;
  XFlush(dpy_);
}

// ---- Pointer

void X11HostImpl::SetCapture(NativeWindow window) {
  if (dead_) return;
  if (window && Find(window)) {
    capture_ = window;
    // owner_events False: every pointer event is reported to the capture window, wherever it is.
    XGrabPointer(dpy_, window, False, ButtonPressMask | ButtonReleaseMask | PointerMotionMask,
                 GrabModeAsync, GrabModeAsync, None, None, CurrentTime);
  } else {
    const bool released = capture_ != 0;
    capture_ = 0;
    XUngrabPointer(dpy_, CurrentTime);
    if (released) QueuePointerWhereItIs();
  }
  XFlush(dpy_);
}

// The window under the pointer, as the server has it (other clients' windows and shapes included):
// ours, ours inside a window manager's frame, or none of ours.
void X11HostImpl::QueuePointerWhereItIs() {
  Window root_ret, child = None;
  int rx, ry, wx, wy;
  unsigned mask;
  if (!XQueryPointer(dpy_, root_, &root_ret, &child, &rx, &ry, &wx, &wy, &mask)) return;
  Window inner = None;
  if (child != None && !Find(child)) {
    ErrorTrap trap(dpy_);  // the frame may be gone already
    Window r, c;
    int x1, y1, x2, y2;
    unsigned m;
    if (!XQueryPointer(dpy_, child, &r, &c, &x1, &y1, &x2, &y2, &m)) c = None;
    if (trap.Finish() == 0) inner = c;
  }
  Event e;
  e.type = EventType::kPointerMove;
  e.window = Find(child) ? child : Find(inner) ? inner : 0;
  e.screen = Point{rx, ry};
  e.modifiers = ModifiersFromState(mask, (mask & Button1Mask) != 0);
  last_pointer_ = e.screen;
  queue_.push_back(e);
}

Point X11HostImpl::CursorPos() const {
  if (dead_) return last_pointer_;
  Window root_ret, child;
  int rx, ry, wx, wy;
  unsigned mask;
  if (XQueryPointer(dpy_, root_, &root_ret, &child, &rx, &ry, &wx, &wy, &mask)) {
    last_pointer_ = Point{rx, ry};
  }
  return last_pointer_;
}

bool X11HostImpl::BeginMove(NativeWindow window, Point press) {
  Win* w = Find(window);
  if (!w || dead_ || !wm_ || !wm_moves_) return false;
  // The window manager takes the pointer: our implicit (or explicit) grab must end first.
  XUngrabPointer(dpy_, CurrentTime);
  capture_ = 0;
  XEvent e{};
  e.xclient.type = ClientMessage;
  e.xclient.window = window;
  e.xclient.message_type = atoms_.net_wm_moveresize;
  e.xclient.format = 32;
  e.xclient.data.l[0] = press.x;
  e.xclient.data.l[1] = press.y;
  e.xclient.data.l[2] = 8;  // _NET_WM_MOVERESIZE_MOVE
  e.xclient.data.l[3] = 1;  // left button
  e.xclient.data.l[4] = 1;  // a normal application
  XSendEvent(dpy_, root_, False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
  XFlush(dpy_);
  return true;
}

}  // namespace x11
}  // namespace host
