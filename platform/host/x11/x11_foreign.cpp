// Finding and raising another process's window: markers are X properties on the top-level window,
// so any connection can read them.
#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cctype>
#include <cstdint>

#include "x11_errors.h"
#include "x11_host_impl.h"

namespace host::x11 {
namespace {

struct XFreer {
  void operator()(void* p) const {
    if (p) XFree(p);
  }
};

}  // namespace

// Marker names behave like atoms on Windows: case does not matter.
Atom X11HostImpl::MarkerAtom(const std::string& name, bool create) const {
  std::string atom = "_HALCYRA_MARKER_";
  for (char c : name) atom += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return XInternAtom(dpy_, atom.c_str(), create ? False : True);
}

// The first 32-bit item of a property of the given type, or nothing (also for a stale window).
std::optional<long> X11HostImpl::ReadCardinal(Window xw, Atom property, Atom type) {
  if (dead_ || property == None) return std::nullopt;
  ErrorTrap trap(dpy_);
  Atom actual;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* raw = nullptr;
  const int status = XGetWindowProperty(dpy_, xw, property, 0, 1, False, type, &actual, &format,
                                        &count, &after, &raw);
  std::unique_ptr<unsigned char, XFreer> data(raw);
  if (trap.Finish() != 0 || status != Success || !data || actual != type || format != 32 ||
      count < 1)
    return std::nullopt;
  // Format 32 items come as longs holding 32 bits; markers are signed 32-bit values.
  const unsigned long item = reinterpret_cast<const unsigned long*>(data.get())[0];
  if (type == XA_CARDINAL) return static_cast<long>(static_cast<std::int32_t>(item & 0xFFFFFFFF));
  return static_cast<long>(item);
}

bool X11HostImpl::HasProperty(Window xw, Atom property) {
  Atom actual = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* raw = nullptr;
  const int status = XGetWindowProperty(dpy_, xw, property, 0, 0, False, AnyPropertyType, &actual,
                                        &format, &count, &after, &raw);
  std::unique_ptr<unsigned char, XFreer> data(raw);
  return status == Success && actual != None;
}

// ICCCM WM_STATE: WithdrawnState 0, NormalState 1, IconicState 3; -1 when absent.
int X11HostImpl::WmStateOf(Window xw) {
  auto state = ReadCardinal(xw, atoms_.wm_state, atoms_.wm_state);
  return state ? static_cast<int>(*state) : -1;
}

void X11HostImpl::SetMarker(NativeWindow window, const std::string& name, long value) {
  if (!Find(window) || dead_) return;
  long item = static_cast<long>(static_cast<std::int32_t>(value));
  XChangeProperty(dpy_, window, MarkerAtom(name, true), XA_CARDINAL, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(&item), 1);
  XFlush(dpy_);
}

void X11HostImpl::RemoveMarker(NativeWindow window, const std::string& name) {
  if (!Find(window) || dead_) return;
  const Atom atom = MarkerAtom(name, false);
  if (atom != None) XDeleteProperty(dpy_, window, atom);
  XFlush(dpy_);
}

void X11HostImpl::SetLastActivePopup(NativeWindow owner, NativeWindow popup) {
  if (!Find(owner) || dead_) return;
  if (!popup || popup == owner || !Find(popup)) {
    XDeleteProperty(dpy_, owner, atoms_.last_active_popup);
  } else {
    long item = static_cast<long>(popup);
    XChangeProperty(dpy_, owner, atoms_.last_active_popup, XA_WINDOW, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&item), 1);
  }
  XFlush(dpy_);
}

// The root's children, top first. A window manager reparents each client into a frame; the
// client, the window with WM_STATE, is then one level down.
std::vector<ForeignWindow> X11HostImpl::ForeignWindows() {
  std::vector<ForeignWindow> out;
  if (dead_) return out;
  ErrorTrap trap(dpy_);  // windows may vanish during the walk
  auto children_of = [this](Window parent) {
    std::vector<Window> kids;
    Window root_ret, parent_ret;
    Window* raw = nullptr;
    unsigned n = 0;
    if (XQueryTree(dpy_, parent, &root_ret, &parent_ret, &raw, &n) && raw) {
      kids.assign(raw, raw + n);  // bottom to top
      std::reverse(kids.begin(), kids.end());
    }
    if (raw) XFree(raw);
    return kids;
  };
  auto ours = [this](Window xw) { return Find(xw) != nullptr; };
  for (Window top : children_of(root_)) {
    if (ours(top)) continue;
    if (!wm_ || HasProperty(top, atoms_.wm_state)) {
      out.push_back(ForeignWindow{top});
      continue;
    }
    bool found = false, holds_ours = false;
    for (Window client : children_of(top)) {
      if (ours(client)) {
        holds_ours = true;
      } else if (HasProperty(client, atoms_.wm_state)) {
        out.push_back(ForeignWindow{client});
        found = true;
      }
    }
    if (!found && !holds_ours) out.push_back(ForeignWindow{top});
  }
  trap.Finish();
  return out;
}

std::optional<long> X11HostImpl::ForeignMarker(NativeWindow window, const std::string& name) {
  if (dead_) return std::nullopt;
  const Atom atom = MarkerAtom(name, false);
  if (atom == None) return std::nullopt;  // nobody ever set a marker of that name
  return ReadCardinal(static_cast<Window>(window), atom, XA_CARDINAL);
}

bool X11HostImpl::ForeignIsMinimized(NativeWindow window) {
  if (dead_) return false;
  if (WmStateOf(static_cast<Window>(window)) == IconicState) return true;
  // Without a window manager a minimised window of ours says so in _NET_WM_STATE.
  ErrorTrap trap(dpy_);
  Atom actual;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* raw = nullptr;
  const int status = XGetWindowProperty(dpy_, static_cast<Window>(window), atoms_.net_wm_state, 0,
                                        64, False, XA_ATOM, &actual, &format, &count, &after, &raw);
  std::unique_ptr<unsigned char, XFreer> data(raw);
  if (trap.Finish() != 0 || status != Success || !data || format != 32) return false;
  const Atom* atoms = reinterpret_cast<const Atom*>(data.get());
  return std::find(atoms, atoms + count, atoms_.net_wm_state_hidden) != atoms + count;
}

void X11HostImpl::ForeignRestore(NativeWindow window) {
  if (dead_) return;
  // Mapping an iconic window de-iconifies it (ICCCM); without a window manager it simply appears,
  // and its owner sees the map and knows it was restored.
  ErrorTrap trap(dpy_);
  XMapRaised(dpy_, static_cast<Window>(window));
  trap.Finish();
}

void X11HostImpl::ForeignActivate(NativeWindow window) {
  if (dead_) return;
  const Window xw = static_cast<Window>(window);
  ErrorTrap trap(dpy_);
  if (wm_) {
    SendNetActive(xw, 2);  // on behalf of the user who started us: no focus-stealing guard
  } else {
    XRaiseWindow(dpy_, xw);
  }
  XWindowAttributes attrs;
  if (XGetWindowAttributes(dpy_, xw, &attrs) && attrs.map_state == IsViewable &&
      !attrs.override_redirect) {
    XSetInputFocus(dpy_, xw, RevertToParent, CurrentTime);
  }
  trap.Finish();
}

NativeWindow X11HostImpl::ForeignLastActivePopup(NativeWindow window) {
  auto popup = ReadCardinal(static_cast<Window>(window), atoms_.last_active_popup, XA_WINDOW);
  if (!popup || *popup == 0) return window;
  // A popup that has gone since it was recorded: the owner itself.
  ErrorTrap trap(dpy_);
  XWindowAttributes attrs;
  const bool alive = XGetWindowAttributes(dpy_, static_cast<Window>(*popup), &attrs) != 0;
  if (trap.Finish() != 0 || !alive) return window;
  return static_cast<NativeWindow>(*popup);
}

}  // namespace host::x11
