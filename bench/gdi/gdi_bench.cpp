// Timings of the drawing the program does on every paint.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cwchar>
#include <vector>

#include "embedded_resources.h"
#include "surface.h"
#include "wingdi.h"

namespace {

struct Mem {
  HDC dc;
  HBITMAP bm;
  HGDIOBJ old;
  Mem(int w, int h, bool mono = false) {
    dc = CreateCompatibleDC(nullptr);
    bm = mono ? CreateBitmap(w, h, 1, 1, nullptr) : CreateCompatibleBitmap(nullptr, w, h);
    old = SelectObject(dc, bm);
  }
  ~Mem() {
    SelectObject(dc, old);
    DeleteObject(bm);
    DeleteDC(dc);
  }
};

// The main window's paint: the whole skin copied onto the window's framebuffer.
void BM_SkinBlit800x540(benchmark::State& state) {
  Mem skin(800, 540);
  HBITMAP fb = gdi::CreateFramebuffer(800, 540);
  HDC window = gdi::CreateSurfaceDC(fb, POINT{0, 0}, nullptr);
  for (auto _ : state) {
    BitBlt(window, 0, 0, 800, 540, skin.dc, 0, 0, SRCCOPY);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * 800 * 540);
  DeleteDC(window);
  DeleteObject(fb);
}
BENCHMARK(BM_SkinBlit800x540);

// The skin picture (800 x 540, 24 bits) loaded from the resources: the main window loads it twice
// as it starts, once to cut its shape and once to paint with.
void BM_LoadSkinBitmap(benchmark::State& state) {
  res::InstallEmbeddedResources();
  for (auto _ : state) {
    HBITMAP skin = LoadBitmapW(nullptr, MAKEINTRESOURCEW(251));
    benchmark::DoNotOptimize(skin);
    DeleteObject(skin);
  }
  state.SetItemsProcessed(state.iterations() * 800 * 540);
}
BENCHMARK(BM_LoadSkinBitmap)->Unit(benchmark::kMicrosecond);

// The slider's thumb: background under it, then the mask by SRCAND and the thumb by SRCPAINT.
void BM_TransparentThumb(benchmark::State& state) {
  const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
  Mem track(243, h), buffer(243, h), thumb(w, h), mask(w, h, true);
  SetBkColor(thumb.dc, RGB(255, 255, 255));
  BitBlt(mask.dc, 0, 0, w, h, thumb.dc, 0, 0, SRCCOPY);
  for (auto _ : state) {
    BitBlt(buffer.dc, 100, 0, w, h, track.dc, 100, 0, SRCCOPY);
    BitBlt(buffer.dc, 100, 0, w, h, mask.dc, 0, 0, SRCAND);
    BitBlt(buffer.dc, 100, 0, w, h, thumb.dc, 0, 0, SRCPAINT);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_TransparentThumb)->Args({3, 12})->Args({9, 16});

// A window shape as it is cut from the skin: one polygon down the left edges and up the right
// edges of 540 rows, intersected with the window rectangle.
void BM_SkinOutlineRegion(benchmark::State& state) {
  const int h = 540;
  std::vector<POINT> pts(2 * h);
  for (int r = 0; r < h; ++r) {
    const int bulge = static_cast<int>(20 * std::sin(r * 0.05));
    pts[r] = POINT{10 + bulge, r};
    pts[2 * h - 1 - r] = POINT{790 - bulge, r};
  }
  for (auto _ : state) {
    HRGN window = CreateRectRgn(0, 0, 800, 540);
    HRGN outline = CreatePolygonRgn(pts.data(), 2 * h, ALTERNATE);
    benchmark::DoNotOptimize(CombineRgn(window, window, outline, RGN_AND));
    DeleteObject(outline);
    DeleteObject(window);
  }
}
BENCHMARK(BM_SkinOutlineRegion);

// The Apply button's caption.
void BM_DrawTextApplyBold(benchmark::State& state) {
  LOGFONTW lf{};
  lf.lfHeight = 18;
  lf.lfWeight = FW_BOLD;
  lf.lfQuality = DRAFT_QUALITY;
  std::wcsncpy(lf.lfFaceName, L"Arial", LF_FACESIZE - 1);
  HFONT font = CreateFontIndirectW(&lf);
  Mem button(194, 49);
  SelectObject(button.dc, font);
  SetBkMode(button.dc, TRANSPARENT);
  SetTextColor(button.dc, RGB(255, 255, 255));
  for (auto _ : state) {
    RECT r{0, 0, 194, 43};
    benchmark::DoNotOptimize(
        DrawTextW(button.dc, L"Apply", -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE));
  }
  SelectObject(button.dc, GetStockObject(SYSTEM_FONT));
  DeleteObject(font);
}
BENCHMARK(BM_DrawTextApplyBold);

// A button's picture, stretched at its own size with HALFTONE: an exact copy.
void BM_ButtonHalftoneIdentity(benchmark::State& state) {
  Mem picture(194, 49), window(194, 49);
  SetStretchBltMode(window.dc, HALFTONE);
  for (auto _ : state) {
    StretchBlt(window.dc, 0, 0, 194, 49, picture.dc, 0, 0, 194, 49, SRCCOPY);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_ButtonHalftoneIdentity);

}  // namespace
