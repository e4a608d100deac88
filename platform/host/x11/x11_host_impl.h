// The X11 host's implementation; private to this folder (it includes Xlib).
#pragma once

#include <X11/Xlib.h>

#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "x11_host.h"
#include "x11_image.h"

namespace host::x11 {

struct Atoms {
  Atom wm_protocols = 0;
  Atom wm_delete_window = 0;
  Atom wm_state = 0;
  Atom wm_change_state = 0;
  Atom net_supported = 0;
  Atom net_supporting_wm_check = 0;
  Atom net_active_window = 0;
  Atom net_wm_moveresize = 0;
  Atom net_wm_state = 0;
  Atom net_wm_state_hidden = 0;
  Atom net_wm_state_above = 0;
  Atom net_wm_state_skip_taskbar = 0;
  Atom net_wm_name = 0;
  Atom utf8_string = 0;
  Atom net_wm_pid = 0;
  Atom net_wm_icon = 0;
  Atom net_wm_window_type = 0;
  Atom net_wm_window_type_normal = 0;
  Atom net_wm_window_type_dialog = 0;
  Atom net_wm_window_type_tooltip = 0;
  Atom net_wm_window_type_popup_menu = 0;
  Atom motif_wm_hints = 0;
  Atom last_active_popup = 0;
};

// The instance name of the application a window belongs to (x11_identity.cpp).
std::string InstanceOf(const WindowDesc& desc);

class X11HostImpl final : public X11Host {
 public:
  X11HostImpl(Display* dpy, bool shared_memory);
  ~X11HostImpl() override;

  // ---- X11Host
  bool HasWindowManager() const override { return wm_; }
  bool UsesSharedMemory() const override { return use_shm_; }
  int ConnectionFd() const override { return fd_; }
  bool Disconnected() const override { return dead_; }
  std::string DisplayName() const override { return display_name_; }

  // ---- Host
  Rect ScreenRect() const override;
  NativeWindow CreateWindow(const WindowDesc& desc) override;
  void DestroyWindow(NativeWindow window) override;
  void SetWindowRect(NativeWindow window, const Rect& rect) override;
  void SetShape(NativeWindow window, const std::vector<Rect>* rects) override;
  void SetTitle(NativeWindow window, const std::string& title) override;
  void SetIcon(NativeWindow window, const std::vector<IconImage>& images) override;
  void Show(NativeWindow window, bool activate) override;
  void Hide(NativeWindow window) override;
  void Minimize(NativeWindow window) override;
  void Restore(NativeWindow window) override;
  void Raise(NativeWindow window, bool activate) override;
  bool DecoratesCaptions() const override { return wm_; }
  void Present(NativeWindow window, const Framebuffer& frame,
               const std::vector<Rect>& dirty) override;
  void SetCapture(NativeWindow window) override;
  Point CursorPos() const override;
  bool BeginMove(NativeWindow window, Point press) override;
  std::uint64_t NowMs() const override;
  bool PollEvent(Event* out) override;
  bool WaitEvent(std::optional<std::uint64_t> deadline_ms, Event* out) override;
  void SetMarker(NativeWindow window, const std::string& name, long value) override;
  void RemoveMarker(NativeWindow window, const std::string& name) override;
  void SetLastActivePopup(NativeWindow owner, NativeWindow popup) override;
  std::vector<ForeignWindow> ForeignWindows() override;
  std::optional<long> ForeignMarker(NativeWindow window, const std::string& name) override;
  bool ForeignIsMinimized(NativeWindow window) override;
  void ForeignRestore(NativeWindow window) override;
  void ForeignActivate(NativeWindow window) override;
  NativeWindow ForeignLastActivePopup(NativeWindow window) override;

  void MarkDead() { dead_ = true; }

 private:
  struct Win {
    WindowDesc desc;  // desc.rect: where the window is on the screen, as far as we know
    std::optional<std::vector<Rect>> shape;
    bool shown = false;      // the program wants it visible
    bool minimized = false;  // the program (or the window manager) minimised it
    bool mapped = false;     // the server says it is mapped
    bool parent_is_root = true;
    bool activate_on_map = false;
    unsigned long configure_serial = 0;  // our last move/resize request
    unsigned long state_serial = 0;      // our last minimise/restore request
    std::unique_ptr<WindowImage> image;
    bool image_valid = false;  // the image holds presented pixels
  };

  // x11_host.cpp
  void DetectWindowManager();
  Win* Find(NativeWindow window);
  const Win* Find(NativeWindow window) const;
  void SetSizeHints(Window xw, const Rect& r, bool popup);
  void SetNetWmState(Window xw, const std::vector<Atom>& states);
  void SendNetActive(Window xw, long source);
  void RaiseInOwnStack(NativeWindow window);
  void RestackAbove();
  void QueueState(NativeWindow window, bool minimized);
  void QueuePointerWhereItIs();
  // x11_identity.cpp
  void SetIdentity(Window xw, const WindowDesc& desc);
  // x11_events.cpp
  void Translate(const XEvent& xe);
  void TranslatePointer(const XEvent& xe);
  void TranslateConfigure(const XConfigureEvent& ce);
  void TranslateProperty(const XPropertyEvent& pe);
  NativeWindow OwnWindowAt(Point p) const;
  bool FillFromX(Event* out);
  Event QuitEvent() const;
  // x11_foreign.cpp
  Atom MarkerAtom(const std::string& name, bool create) const;
  std::optional<long> ReadCardinal(Window xw, Atom property, Atom type);
  bool HasProperty(Window xw, Atom property);
  int WmStateOf(Window xw);

  Display* dpy_ = nullptr;
  std::string display_name_;  // kept: Xlib's copy goes with the connection
  int fd_ = -1;
  int screen_ = 0;
  Window root_ = 0;
  Visual* visual_ = nullptr;
  int depth_ = 0;
  GC gc_ = nullptr;
  Atoms atoms_{};
  bool wm_ = false;
  bool wm_moves_ = false;  // the window manager supports _NET_WM_MOVERESIZE
  bool use_shm_ = false;
  bool shape_ = false;
  bool dead_ = false;

  std::map<NativeWindow, Win> windows_;
  std::vector<NativeWindow> z_order_;  // our windows, top first, as we stacked them
  NativeWindow capture_ = 0;
  std::deque<Event> queue_;
  mutable Point last_pointer_{};
};

}  // namespace host::x11
