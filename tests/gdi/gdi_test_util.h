// Small owners for the handles the graphics tests make, so that a test stopped by a failed
// assertion still lets go of everything it made.
#pragma once

#include <utility>

#include "surface.h"
#include "wingdi.h"

namespace gdi_test {

constexpr COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0);

// One graphics object (bitmap, brush, region, font), deleted at the end of the scope unless a test
// took it back with release() to delete it itself.
template <class H>
class Object {
 public:
  explicit Object(H handle = nullptr) : handle_(handle) {}
  ~Object() {
    if (handle_ != nullptr) DeleteObject(handle_);
  }
  Object(const Object&) = delete;
  Object& operator=(const Object&) = delete;

  H get() const { return handle_; }
  operator H() const { return handle_; }  // NOLINT(google-explicit-constructor)
  H release() { return std::exchange(handle_, nullptr); }

 private:
  H handle_ = nullptr;
};

using Bitmap = Object<HBITMAP>;
using Brush = Object<HBRUSH>;
using Region = Object<HRGN>;
using Font = Object<HFONT>;

// A device context, deleted at the end of the scope unless released.
class Dc {
 public:
  explicit Dc(HDC handle) : handle_(handle) {}
  ~Dc() {
    if (handle_ != nullptr) DeleteDC(handle_);
  }
  Dc(const Dc&) = delete;
  Dc& operator=(const Dc&) = delete;

  HDC get() const { return handle_; }
  operator HDC() const { return handle_; }  // NOLINT(google-explicit-constructor)
  HDC release() { return std::exchange(handle_, nullptr); }

 private:
  HDC handle_ = nullptr;
};

// An object selected into a device context for the scope; the one it replaced goes back at the
// end. Declare it after the owners of both, so that it ends first.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~Selection() {
    if (previous_ != nullptr) SelectObject(dc_, previous_);
  }
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;

  // What the context held before; null when the selection failed.
  HGDIOBJ previous() const { return previous_; }

 private:
  HDC dc_ = nullptr;
  HGDIOBJ previous_ = nullptr;
};

// A memory DC with its own bitmap selected (colour unless `mono`).
class MemSurface {
 public:
  MemSurface(int w, int h, bool mono = false)
      : w_(w),
        h_(h),
        bitmap_(mono ? CreateBitmap(w, h, 1, 1, nullptr) : CreateCompatibleBitmap(nullptr, w, h)),
        dc_(CreateCompatibleDC(nullptr)),
        selection_(dc_, bitmap_) {}

  HDC dc() const { return dc_; }
  HBITMAP bitmap() const { return bitmap_; }
  void Fill(COLORREF c) { Fill(RECT{0, 0, w_, h_}, c); }
  void Fill(RECT r, COLORREF c) {
    Brush brush(CreateSolidBrush(c));
    FillRect(dc_, &r, brush);
  }
  COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }

 private:
  int w_ = 0;
  int h_ = 0;
  Bitmap bitmap_;
  Dc dc_;
  Selection selection_;
};

}  // namespace gdi_test
