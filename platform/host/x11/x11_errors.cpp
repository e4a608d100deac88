#include "x11_errors.h"

namespace host::x11 {
namespace {

// One UI thread: plain globals are enough.
int g_trap_depth = 0;
int g_first_error = 0;

int OnXError(Display*, XErrorEvent* e) {
  if (g_trap_depth > 0 && g_first_error == 0) g_first_error = e->error_code;
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
  XSync(dpy_, False);
  if (g_trap_depth++ == 0) g_first_error = 0;
}

ErrorTrap::~ErrorTrap() {
  if (!finished_) Finish();
}

int ErrorTrap::Finish() {
  if (finished_) return code_;
  finished_ = true;
  XSync(dpy_, False);
  code_ = g_first_error;
  if (--g_trap_depth == 0) g_first_error = 0;
  return code_;
}

}  // namespace host::x11
