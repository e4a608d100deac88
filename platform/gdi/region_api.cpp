// Region handles: creation, combination, tests, and the rectangles a host needs for a shape.
#include <algorithm>
#include <cstdlib>

#include "objects.h"
#include "surface.h"
#include "wingdi.h"

using namespace gdi::detail;

namespace {

// Region coordinates are kept to 28 bits, as Windows keeps them, so that no later offset or
// scan conversion can overflow.
constexpr int kLimit = 1 << 27;
int Clamp(int v) {
  return std::clamp(v, -kLimit, kLimit);
}

HRGN NewRegion(Region r) {
  return static_cast<HRGN>(AddObject(std::move(r)));
}

}  // namespace

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
  return NewRegion(Region::FromRect(Clamp(left), Clamp(top), Clamp(right), Clamp(bottom)));
}

HRGN CreateRectRgnIndirect(const RECT* rect) {
  if (!rect) return nullptr;
  return CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom);
}

HRGN CreatePolygonRgn(const POINT* points, int count, int fillMode) {
  if (!points || count < 2 || (fillMode != ALTERNATE && fillMode != WINDING)) return nullptr;
  // Every row of a slanted outline is a band of its own, so the height is bounded to keep the
  // region's size reasonable.
  constexpr int kMaxRows = 1 << 18;
  LONG top = points[0].y, bottom = points[0].y;
  for (int i = 0; i < count; ++i) {
    const POINT p = points[i];
    if (p.x < -kLimit || p.x > kLimit || p.y < -kLimit || p.y > kLimit) return nullptr;
    top = std::min(top, points[i].y);
    bottom = std::max(bottom, points[i].y);
  }
  if (bottom - top > kMaxRows) return nullptr;
  return NewRegion(Region::FromPolygon(std::span<const POINT>(points, count), fillMode));
}

HRGN CreateRoundRectRgn(int left, int top, int right, int bottom, int widthEllipse,
                        int heightEllipse) {
  // Corner ellipses larger than any screen are cut down: each of their rows is a band.
  constexpr int kMaxEllipse = 1 << 16;
  return NewRegion(Region::FromRoundRect(Clamp(left), Clamp(top), Clamp(right), Clamp(bottom),
                                         std::clamp(widthEllipse, -kMaxEllipse, kMaxEllipse),
                                         std::clamp(heightEllipse, -kMaxEllipse, kMaxEllipse)));
}

int CombineRgn(HRGN dst, HRGN src1, HRGN src2, int mode) {
  Region* out = Lookup<Region>(dst);
  const Region* a = Lookup<Region>(src1);
  if (!out || !a) return ERROR;
  if (mode == RGN_COPY) {
    *out = *a;
    return out->Complexity();
  }
  const Region* b = Lookup<Region>(src2);
  if (!b || mode < RGN_AND || mode > RGN_DIFF) return ERROR;
  *out = Region::Combine(*a, *b, static_cast<Region::Op>(mode));
  return out->Complexity();
}

int OffsetRgn(HRGN rgn, int dx, int dy) {
  Region* r = Lookup<Region>(rgn);
  if (!r) return ERROR;
  if (r->Empty()) return NULLREGION;
  const RECT box = r->Box();
  const std::int64_t l = std::int64_t{box.left} + dx, t = std::int64_t{box.top} + dy;
  const std::int64_t rr = std::int64_t{box.right} + dx, b = std::int64_t{box.bottom} + dy;
  if (std::min(l, t) < -kLimit || std::max(rr, b) > kLimit) return ERROR;
  r->Offset(dx, dy);
  return r->Complexity();
}

BOOL PtInRegion(HRGN rgn, int x, int y) {
  const Region* r = Lookup<Region>(rgn);
  return r && r->Contains(x, y) ? TRUE : FALSE;
}

BOOL RectInRegion(HRGN rgn, const RECT* rect) {
  const Region* r = Lookup<Region>(rgn);
  if (!r || !rect) return FALSE;
  RECT n = *rect;
  if (n.left > n.right) std::swap(n.left, n.right);
  if (n.top > n.bottom) std::swap(n.top, n.bottom);
  return r->Overlaps(n) ? TRUE : FALSE;
}

int GetRgnBox(HRGN rgn, LPRECT rect) {
  const Region* r = Lookup<Region>(rgn);
  if (!r || !rect) return ERROR;
  *rect = r->Box();
  return r->Complexity();
}

BOOL EqualRgn(HRGN a, HRGN b) {
  const Region* ra = Lookup<Region>(a);
  const Region* rb = Lookup<Region>(b);
  if (!ra || !rb) return ERROR;
  return *ra == *rb ? TRUE : FALSE;
}

BOOL SetRectRgn(HRGN rgn, int left, int top, int right, int bottom) {
  Region* r = Lookup<Region>(rgn);
  if (!r) return FALSE;
  *r = Region::FromRect(Clamp(left), Clamp(top), Clamp(right), Clamp(bottom));
  return TRUE;
}

namespace gdi {

std::vector<RECT> GetRegionRects(HRGN rgn) {
  const Region* r = Lookup<Region>(rgn);
  return r ? r->Rects() : std::vector<RECT>{};
}

}  // namespace gdi
