// The host on a real X display, written directly on Xlib with the SHAPE and MIT-SHM extensions.
//
// Each native window is one top-level X window; NativeWindow is its X window id, so another
// connection (another process) can name the same window. Xlib's headers stay out of this one: they
// define macros (None, True, Bool, Status) that would leak into every file of the program.
#pragma once

#include <memory>
#include <string>

#include "platform/host/host.h"

namespace host {

class X11Host : public Host {
 public:
  // Connects to `display_name` (empty: $DISPLAY). On failure returns null and puts one line that
  // the program can print as it is into `error`, e.g. "cannot open X display \":7\"".
  static std::unique_ptr<X11Host> Open(const std::string& display_name, std::string* error);

  // A window manager runs on the display (it decorates captioned windows and moves windows).
  virtual bool HasWindowManager() const = 0;
  // Frames go through MIT-SHM (false: plain XPutImage, e.g. on a remote display).
  virtual bool UsesSharedMemory() const = 0;
  // The connection's file descriptor, which an idle WaitEvent sleeps on.
  virtual int ConnectionFd() const = 0;
  // The connection broke (the server went away); every wait answers kQuit from then on.
  virtual bool Disconnected() const = 0;
};

}  // namespace host
