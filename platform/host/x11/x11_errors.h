// X protocol errors never end the process: a stale window id from another process or a request
// the server refuses is an ordinary failure here. Errors are recorded, and an ErrorTrap tells
// whether the requests made inside it failed.
#pragma once

#include <X11/Xlib.h>

namespace host::x11 {

// Replaces Xlib's default handlers, which exit. Idempotent.
void InstallErrorHandler();

class ErrorTrap {
 public:
  // Errors of requests made before the trap, even those that arrive while it is open, do not
  // count: the trap knows its requests by their serial numbers.
  explicit ErrorTrap(Display* dpy);
  ~ErrorTrap();
  ErrorTrap(const ErrorTrap&) = delete;
  ErrorTrap& operator=(const ErrorTrap&) = delete;
  // Waits for the server's answer to the trap's requests (when one is still outstanding) and
  // returns the first error code raised inside the trap, 0 when none.
  int Finish();

 private:
  Display* dpy_ = nullptr;
  bool finished_ = false;
  int code_ = 0;
};

}  // namespace host::x11
