#include "x11_image.h"

#include <sys/ipc.h>
#include <sys/shm.h>

#include <X11/Xutil.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "x11_errors.h"

namespace host::x11 {
namespace {

bool LittleEndian() {
  const std::uint16_t probe = 1;
  std::uint8_t first;
  std::memcpy(&first, &probe, 1);
  return first == 1;
}

}  // namespace

std::unique_ptr<WindowImage> WindowImage::Create(Display* dpy, Visual* visual, int depth, int width,
                                                 int height, bool* use_shm) {
  if (width <= 0 || height <= 0) return nullptr;
  std::unique_ptr<WindowImage> img(new WindowImage(dpy));
  if (*use_shm) {
    XImage* xi =
        XShmCreateImage(dpy, visual, static_cast<unsigned>(depth), ZPixmap, nullptr, &img->shm_,
                        static_cast<unsigned>(width), static_cast<unsigned>(height));
    if (xi) {
      img->image_ = xi;
      const size_t bytes = static_cast<size_t>(xi->bytes_per_line) * xi->height;
      img->shm_.shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
      if (img->shm_.shmid >= 0) {
        void* addr = shmat(img->shm_.shmid, nullptr, 0);
        if (addr != reinterpret_cast<void*>(-1)) {
          img->shm_.shmaddr = xi->data = static_cast<char*>(addr);
          img->shm_.readOnly = False;
          ErrorTrap trap(dpy);
          XShmAttach(dpy, &img->shm_);
          img->shared_ = trap.Finish() == 0;
        }
        // Marked for removal now: it goes away when both sides have detached, even after a crash.
        shmctl(img->shm_.shmid, IPC_RMID, nullptr);
      }
      if (!img->shared_) {
        if (img->shm_.shmaddr) shmdt(img->shm_.shmaddr);
        img->shm_ = {};
        xi->data = nullptr;
        XDestroyImage(xi);
        img->image_ = nullptr;
        *use_shm = false;  // e.g. a remote server: do not try again
      }
    } else {
      *use_shm = false;
    }
  }
  if (!img->image_) {
    XImage* xi = XCreateImage(dpy, visual, static_cast<unsigned>(depth), ZPixmap, 0, nullptr,
                              static_cast<unsigned>(width), static_cast<unsigned>(height), 32, 0);
    if (!xi) return nullptr;
    // XDestroyImage frees the pixels with free().
    xi->data = static_cast<char*>(std::calloc(static_cast<size_t>(xi->bytes_per_line), height));
    if (!xi->data) {
      XDestroyImage(xi);
      return nullptr;
    }
    img->image_ = xi;
  }
  const XImage* xi = img->image_;
  img->direct_ = xi->bits_per_pixel == 32 && xi->red_mask == 0xFF0000 &&
                 xi->green_mask == 0x00FF00 && xi->blue_mask == 0x0000FF &&
                 (xi->byte_order == LSBFirst) == LittleEndian();
  return img;
}

WindowImage::~WindowImage() {
  if (!image_) return;
  if (shared_) {
    XShmDetach(dpy_, &shm_);
    image_->data = nullptr;
    XDestroyImage(image_);
    shmdt(shm_.shmaddr);
  } else {
    XDestroyImage(image_);
  }
}

Rect WindowImage::CopyFrom(const Framebuffer& frame, const Rect& rect) {
  Rect r{std::max(rect.left, 0), std::max(rect.top, 0),
         std::min({rect.right, width(), frame.width}),
         std::min({rect.bottom, height(), frame.height})};
  if (r.left >= r.right || r.top >= r.bottom || !frame.pixels) return Rect{};
  for (int y = r.top; y < r.bottom; ++y) {
    const std::uint32_t* src = frame.pixels + static_cast<size_t>(y) * frame.stride + r.left;
    if (direct_) {
      char* dst = image_->data + static_cast<size_t>(y) * image_->bytes_per_line + r.left * 4;
      std::memcpy(dst, src, static_cast<size_t>(r.Width()) * 4);
    } else {
      for (int x = 0; x < r.Width(); ++x) {
        const std::uint32_t px = src[x];
        const unsigned long value =
            ((px >> 16 & 0xFF) * image_->red_mask / 0xFF & image_->red_mask) |
            ((px >> 8 & 0xFF) * image_->green_mask / 0xFF & image_->green_mask) |
            ((px & 0xFF) * image_->blue_mask / 0xFF & image_->blue_mask);
        XPutPixel(image_, r.left + x, y, value);
      }
    }
  }
  return r;
}

void WindowImage::Put(Drawable drawable, GC gc, const Rect& rect) {
  Rect r{std::max(rect.left, 0), std::max(rect.top, 0), std::min(rect.right, width()),
         std::min(rect.bottom, height())};
  if (r.left >= r.right || r.top >= r.bottom) return;
  last_put_serial_ = NextRequest(dpy_);
  if (shared_) {
    XShmPutImage(dpy_, drawable, gc, image_, r.left, r.top, r.left, r.top,
                 static_cast<unsigned>(r.Width()), static_cast<unsigned>(r.Height()), False);
  } else {
    XPutImage(dpy_, drawable, gc, image_, r.left, r.top, r.left, r.top,
              static_cast<unsigned>(r.Width()), static_cast<unsigned>(r.Height()));
  }
}

void WindowImage::WaitUntilRead() {
  if (shared_ && last_put_serial_ > LastKnownRequestProcessed(dpy_)) XSync(dpy_, False);
}

}  // namespace host::x11
