// The host on a real X display, written directly on Xlib with the SHAPE and MIT-SHM extensions.
//
// Each native window is one top-level X window; NativeWindow is its X window id, so another
// connection (another process) can name the same window. Xlib's headers stay out of this one: they
// define macros (None, True, Bool, Status) that would leak into every file of the program.
//
// What the window system sees from it:
// - pointer events carry the root position (never window-relative), so a window moved under a
//   held pointer still gets the true travel; without capture, a held button names the window that
//   is really under the pointer (X itself would keep sending to the pressed one);
// - kExpose only for a window that has never been presented: otherwise the host puts the lost
//   pixels back from its own copy;
// - kWindowState follows every minimise and restore, the program's own ones included (they come
//   at once), and kFocusIn/kFocusOut follow every activation, its own ones included;
// - BeginMove is false without a window manager (the caller moves the window from the pointer
//   events); with one it hands the move over and reports the end as kWindowMoved.
#pragma once

#include <memory>
#include <string>

#include "host.h"

namespace host {

// The class a window of application `instance` carries in WM_CLASS, and the name an untitled
// window shows: the instance name with its first letter in capitals, as X names classes
// ("halcyra" -> "Halcyra"). A desktop entry's StartupWMClass names this class.
std::string X11ClassName(const std::string& instance);

class X11Host : public Host {
 public:
  // Connects to `display_name` (empty: $DISPLAY). On failure returns null and puts one line that
  // the program can print as it is into `error`, e.g. "cannot open X display \":7\"".
  // `shared_memory` false sends every frame through the connection, as on a remote display
  // (where the host falls back to that by itself).
  static std::unique_ptr<X11Host> Open(const std::string& display_name, std::string* error,
                                       bool shared_memory = true);

  // A window manager runs on the display (it decorates captioned windows and moves windows).
  virtual bool HasWindowManager() const = 0;
  // Frames go through MIT-SHM (false: plain XPutImage, e.g. on a remote display).
  virtual bool UsesSharedMemory() const = 0;
  // The connection's file descriptor, which an idle WaitEvent sleeps on.
  virtual int ConnectionFd() const = 0;
  // The connection broke (the server went away); every wait answers kQuit from then on.
  virtual bool Disconnected() const = 0;
  // The display's name as the connection was made to it (":0", "host:1.0").
  virtual std::string DisplayName() const = 0;
};

}  // namespace host
