// What the drawing calls share about a device context: the bitmap it draws into, the mapping from
// logical to target coordinates, and the clip that applies.
#pragma once

#include "objects.h"

namespace gdi::detail {

// A DC that can be drawn on: the DC and the bitmap it reaches. Null members when the handle is
// stale, or its target bitmap has gone.
struct Drawable {
  DC* dc = nullptr;
  Bitmap* bitmap = nullptr;
  explicit operator bool() const { return dc && bitmap; }
};
Drawable GetDrawable(HDC hdc);

// Coordinates computed from the program's values are clamped to this range, far outside any
// bitmap, so that no later arithmetic on them can overflow.
constexpr std::int64_t kCoordLimit = std::int64_t{1} << 30;
inline LONG ClampCoord(std::int64_t v) {
  return static_cast<LONG>(v < -kCoordLimit ? -kCoordLimit : v > kCoordLimit ? kCoordLimit : v);
}

inline POINT DeviceOriginInTarget(const DC& dc) {
  return dc.surface ? dc.origin : POINT{0, 0};
}

// Logical coordinates to device coordinates (MM_TEXT: less the window origin).
inline POINT ToDevice(const DC& dc, int x, int y) {
  return POINT{ClampCoord(std::int64_t{x} - dc.window_org.x),
               ClampCoord(std::int64_t{y} - dc.window_org.y)};
}

// Logical coordinates to pixel coordinates of the DC's bitmap: the window origin, then the
// surface's device origin.
inline POINT ToTarget(const DC& dc, int x, int y) {
  const POINT o = DeviceOriginInTarget(dc);
  return POINT{ClampCoord(std::int64_t{x} - dc.window_org.x + o.x),
               ClampCoord(std::int64_t{y} - dc.window_org.y + o.y)};
}
inline RECT ToTarget(const DC& dc, const RECT& r) {
  const POINT tl = ToTarget(dc, r.left, r.top), br = ToTarget(dc, r.right, r.bottom);
  return RECT{tl.x, tl.y, br.x, br.y};
}

// The pixels drawing may touch, in target coordinates: the bitmap, narrowed by a surface's system
// clip and the DC's own clip region.
Region EffectiveClip(const DC& dc, const Bitmap& bm);

}  // namespace gdi::detail
