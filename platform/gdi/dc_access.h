// What the drawing calls share about a device context: the bitmap it draws into, the mapping from
// logical to target coordinates, and the clip that applies.
#pragma once

#include "platform/gdi/objects.h"

namespace gdi::detail {

// A DC that can be drawn on: the DC and the bitmap it reaches. Null members when the handle is
// stale, or its target bitmap has gone.
struct Drawable {
  DC* dc = nullptr;
  Bitmap* bitmap = nullptr;
  explicit operator bool() const { return dc && bitmap; }
};
Drawable GetDrawable(HDC hdc);

// Logical coordinates to pixel coordinates of the DC's bitmap (MM_TEXT: window origin, then the
// surface's device origin).
inline POINT ToTarget(const DC& dc, int x, int y) {
  const POINT o = dc.surface ? dc.origin : POINT{0, 0};
  return POINT{x - dc.window_org.x + o.x, y - dc.window_org.y + o.y};
}
inline POINT DeviceOriginInTarget(const DC& dc) {
  return dc.surface ? dc.origin : POINT{0, 0};
}

// The pixels drawing may touch, in target coordinates: the bitmap, narrowed by a surface's system
// clip and the DC's own clip region.
Region EffectiveClip(const DC& dc, const Bitmap& bm);

}  // namespace gdi::detail
