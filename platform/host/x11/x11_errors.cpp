#include "x11_errors.h"

namespace host::x11 {
namespace {

// One UI thread: plain globals are enough.
int g_trap_depth = 0;
int g_first_error = 0;
unsigned long g_trap_serial = 0;  // the first request the outermost open trap covers

int OnXError(Display*, XErrorEvent* e) {
  if (g_trap_depth > 0 && g_first_error == 0 && e->serial >= g_trap_serial) {
    g_first_error = e->error_code;
  }
  return 0;
}

}  // namespace

void InstallErrorHandler() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  XSetErrorHandler(OnXError);
}

ErrorTrap::ErrorTrap(Display* dpy) : dpy_(dpy) {
  if (g_trap_depth++ == 0) {
    g_first_error = 0;
    g_trap_serial = NextRequest(dpy_);
  }
}

ErrorTrap::~ErrorTrap() {
  if (!finished_) Finish();
}

int ErrorTrap::Finish() {
  if (finished_) return code_;
  finished_ = true;
  // Only requests the server has not answered yet can still raise an error: a trap whose last
  // request was a round trip needs no further one.
  if (LastKnownRequestProcessed(dpy_) + 1 < NextRequest(dpy_)) XSync(dpy_, False);
  code_ = g_first_error;
  if (--g_trap_depth == 0) g_first_error = 0;
  return code_;
}

}  // namespace host::x11
