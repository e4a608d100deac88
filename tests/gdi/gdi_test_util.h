// Small owners for the handles the graphics tests make.
#pragma once

#include <vector>

#include "surface.h"
#include "wingdi.h"

namespace gdi_test {

// A memory DC with its own bitmap selected (colour unless `mono`), restored and freed at the end.
class MemSurface {
 public:
  MemSurface(int w, int h, bool mono = false) : w_(w), h_(h) {
    dc_ = CreateCompatibleDC(nullptr);
    bm_ = mono ? CreateBitmap(w, h, 1, 1, nullptr) : CreateCompatibleBitmap(nullptr, w, h);
    old_ = SelectObject(dc_, bm_);
  }
  ~MemSurface() {
    SelectObject(dc_, old_);
    DeleteObject(bm_);
    DeleteDC(dc_);
  }
  MemSurface(const MemSurface&) = delete;
  MemSurface& operator=(const MemSurface&) = delete;

  HDC dc() const { return dc_; }
  HBITMAP bitmap() const { return bm_; }
  void Fill(COLORREF c) { Fill(RECT{0, 0, w_, h_}, c); }
  void Fill(RECT r, COLORREF c) {
    HBRUSH b = CreateSolidBrush(c);
    FillRect(dc_, &r, b);
    DeleteObject(b);
  }
  COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }

 private:
  int w_, h_;
  HDC dc_;
  HBITMAP bm_;
  HGDIOBJ old_;
};

}  // namespace gdi_test
