// Owners for the handles graphics tests make, freed even when an assertion stops a test.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

#include "surface.h"
#include "wingdi.h"

namespace gdi_test {

constexpr COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0);

// Frees the object or DC at the end of the scope unless release() took it back.
template <class H, auto Free>
class Owner {
 public:
  explicit Owner(H handle = nullptr) : handle_(handle) {}
  ~Owner() {
    if (handle_ != nullptr) Free(handle_);
  }
  Owner(const Owner&) = delete;
  Owner& operator=(const Owner&) = delete;

  H get() const { return handle_; }
  operator H() const { return handle_; }  // NOLINT(google-explicit-constructor)
  H release() { return std::exchange(handle_, nullptr); }

 private:
  H handle_ = nullptr;
};

using Bitmap = Owner<HBITMAP, &DeleteObject>;
using Brush = Owner<HBRUSH, &DeleteObject>;
using Region = Owner<HRGN, &DeleteObject>;
using Font = Owner<HFONT, &DeleteObject>;
using Dc = Owner<HDC, &DeleteDC>;

// Selects an object for the scope; declare it after the owners of both, so that it ends first.
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

// Each listed pixel of `s` has the listed colour.
struct Px {
  int x;
  int y;
  COLORREF colour;
};
inline void ExpectPixels(const MemSurface& s, std::initializer_list<Px> want) {
  for (const Px& p : want) EXPECT_EQ(s.At(p.x, p.y), p.colour) << p.x << "," << p.y;
}

}  // namespace gdi_test
