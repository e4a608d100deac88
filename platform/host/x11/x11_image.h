// The client-side copy of one window's pixels, in the server's image format, from which changed
// rectangles are put on the screen: a MIT-SHM segment when the server shares memory with us,
// otherwise an ordinary XImage sent through the connection.
#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>

#include <memory>

#include "host.h"

namespace host::x11 {

class WindowImage {
 public:
  // Null when no image of that size can be made. `use_shm` is cleared when sharing memory fails,
  // so later images go the plain way at once.
  static std::unique_ptr<WindowImage> Create(Display* dpy, Visual* visual, int depth, int width,
                                             int height, bool* use_shm);
  ~WindowImage();
  WindowImage(const WindowImage&) = delete;
  WindowImage& operator=(const WindowImage&) = delete;

  int width() const { return image_->width; }
  int height() const { return image_->height; }
  bool shared() const { return shared_; }

  // Copies `rect` (clipped to the image and the frame) from the frame; returns the clipped rect.
  Rect CopyFrom(const Framebuffer& frame, const Rect& rect);
  // Puts `rect` of the image at the same place of `drawable`.
  void Put(Drawable drawable, GC gc, const Rect& rect);
  // Before the pixels change: the server must be done reading a shared segment.
  void WaitUntilRead();

 private:
  WindowImage(Display* dpy) : dpy_(dpy) {}

  Display* dpy_ = nullptr;
  XImage* image_ = nullptr;
  XShmSegmentInfo shm_{};
  bool shared_ = false;
  bool direct_ = false;  // the image's pixels are laid out like the framebuffer's (0x00RRGGBB)
  unsigned long last_put_serial_ = 0;
};

}  // namespace host::x11
