// Pixels, lines and fills.
#include <algorithm>
#include <cstdlib>

#include "dc_access.h"
#include "wingdi.h"

using namespace gdi::detail;

namespace {

void FillRects(Bitmap& bm, const std::vector<RECT>& rects, std::uint32_t pixel) {
  for (const RECT& r : rects) {
    for (int y = r.top; y < r.bottom; ++y) {
      auto* row = bm.pixels.data() + static_cast<std::size_t>(y) * bm.width;
      std::fill(row + r.left, row + r.right, pixel);
    }
  }
}

}  // namespace

COLORREF GetPixel(HDC hdc, int x, int y) {
  const Drawable d = GetDrawable(hdc);
  if (!d) return CLR_INVALID;
  const POINT p = ToTarget(*d.dc, x, y);
  if (!EffectiveClip(*d.dc, *d.bitmap).Contains(p.x, p.y)) return CLR_INVALID;
  return ToColorref(d.bitmap->pixels[static_cast<std::size_t>(p.y) * d.bitmap->width + p.x]);
}

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color) {
  const Drawable d = GetDrawable(hdc);
  if (!d) return CLR_INVALID;
  const POINT p = ToTarget(*d.dc, x, y);
  if (!EffectiveClip(*d.dc, *d.bitmap).Contains(p.x, p.y)) return CLR_INVALID;
  const std::uint32_t px = PixelFor(*d.bitmap, color);
  d.bitmap->pixels[static_cast<std::size_t>(p.y) * d.bitmap->width + p.x] = px;
  return ToColorref(px);
}

BOOL MoveToEx(HDC hdc, int x, int y, LPPOINT old) {
  DC* dc = Lookup<DC>(hdc);
  if (!dc) return FALSE;
  if (old) *old = dc->current;
  dc->current = POINT{x, y};
  return TRUE;
}

BOOL LineTo(HDC hdc, int x, int y) {
  const Drawable d = GetDrawable(hdc);
  if (!d.dc) return FALSE;
  const POINT from = d.dc->current;
  d.dc->current = POINT{x, y};
  const Pen* pen = Lookup<Pen>(d.dc->pen);
  if (!d.bitmap || !pen || pen->null) return TRUE;

  const Region clip = EffectiveClip(*d.dc, *d.bitmap);
  const RECT box = clip.Box();
  const POINT o = DeviceOriginInTarget(*d.dc);
  std::int64_t x0 = std::int64_t{from.x} - d.dc->window_org.x + o.x;
  std::int64_t y0 = std::int64_t{from.y} - d.dc->window_org.y + o.y;
  const std::int64_t x1 = std::int64_t{x} - d.dc->window_org.x + o.x;
  const std::int64_t y1 = std::int64_t{y} - d.dc->window_org.y + o.y;
  if (std::max(x0, x1) < box.left || std::min(x0, x1) >= box.right || std::max(y0, y1) < box.top ||
      std::min(y0, y1) >= box.bottom) {
    return TRUE;
  }
  // Lines of absurd length are not walked pixel by pixel.
  constexpr std::int64_t kMaxSteps = std::int64_t{1} << 22;
  if (std::llabs(x1 - x0) > kMaxSteps || std::llabs(y1 - y0) > kMaxSteps) return TRUE;
  const std::uint32_t px = PixelFor(*d.bitmap, pen->color);
  // Bresenham from the current position up to, not including, the end point.
  const std::int64_t dx = std::llabs(x1 - x0), dy = -std::llabs(y1 - y0);
  const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
  std::int64_t err = dx + dy;
  while (x0 != x1 || y0 != y1) {
    if (x0 >= box.left && x0 < box.right && y0 >= box.top && y0 < box.bottom &&
        clip.Contains(static_cast<int>(x0), static_cast<int>(y0))) {
      d.bitmap->pixels[static_cast<std::size_t>(y0) * d.bitmap->width + x0] = px;
    }
    const std::int64_t e2 = 2 * err;
    if (e2 >= dy) err += dy, x0 += sx;
    if (e2 <= dx) err += dx, y0 += sy;
  }
  return TRUE;
}

int FillRect(HDC hdc, const RECT* rect, HBRUSH brush) {
  const Drawable d = GetDrawable(hdc);
  const Brush* b = Lookup<Brush>(brush);
  if (!d.dc || !rect || !b) return 0;
  if (!d.bitmap || b->null) return 1;
  const RECT target = ToTarget(*d.dc, *rect);
  FillRects(*d.bitmap, EffectiveClip(*d.dc, *d.bitmap).RectsWithin(target),
            PixelFor(*d.bitmap, b->color));
  return 1;
}

BOOL FillRgn(HDC hdc, HRGN rgn, HBRUSH brush) {
  const Drawable d = GetDrawable(hdc);
  const Brush* b = Lookup<Brush>(brush);
  const Region* r = Lookup<Region>(rgn);
  if (!d.dc || !b || !r) return FALSE;
  if (!d.bitmap || b->null) return TRUE;
  const POINT shift = ToTarget(*d.dc, 0, 0);
  if (std::abs(shift.x) >= kCoordLimit / 2 || std::abs(shift.y) >= kCoordLimit / 2) return TRUE;
  Region area = *r;  // region coordinates stay within 2^27, so this shift cannot overflow
  area.Offset(shift.x, shift.y);
  const Region fill = Region::Combine(area, EffectiveClip(*d.dc, *d.bitmap), Region::kAnd);
  FillRects(*d.bitmap, fill.Rects(), PixelFor(*d.bitmap, b->color));
  return TRUE;
}
