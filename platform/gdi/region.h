// A region as y-x bands: horizontal bands sorted top to bottom, each holding sorted, disjoint,
// half-open spans [x0, x1). Vertically adjacent bands with equal spans are always merged, so two
// equal point sets have equal representations.
#pragma once

#include <span>
#include <vector>

#include "windef.h"

namespace gdi::detail {

class Region {
 public:
  struct Band {
    int top = 0;
    int bottom = 0;
    std::vector<int> xs;  // x0, x1, x0, x1, ... ascending, spans never touch
    bool operator==(const Band&) const = default;
  };

  Region() = default;
  static Region FromRect(int left, int top, int right, int bottom);
  static Region FromRect(const RECT& r) { return FromRect(r.left, r.top, r.right, r.bottom); }
  // `mode` ALTERNATE or WINDING. Scan lines at integer y; an edge covers y0 <= y < y1; in a row the
  // left crossing rounds up to the first pixel, the right one is exclusive.
  static Region FromPolygon(std::span<const POINT> points, int mode);
  static Region FromRoundRect(int left, int top, int right, int bottom, int ew, int eh);

  enum Op { kAnd = 1, kOr = 2, kXor = 3, kDiff = 4 };
  static Region Combine(const Region& a, const Region& b, Op op);

  bool Empty() const { return bands_.empty(); }
  // NULLREGION, SIMPLEREGION or COMPLEXREGION.
  int Complexity() const;
  RECT Box() const;
  bool Contains(int x, int y) const;
  bool Overlaps(const RECT& r) const;
  void Offset(int dx, int dy);
  std::vector<RECT> Rects() const;
  // The part of the region inside `r`, as rectangles in band order.
  std::vector<RECT> RectsWithin(const RECT& r) const;
  const std::vector<Band>& bands() const { return bands_; }
  bool operator==(const Region&) const = default;

  // Appends a band below all present ones (rows must come top to bottom), merging with the last
  // band when it touches it and has the same spans. Empty spans are skipped.
  void AppendBand(int top, int bottom, std::vector<int> xs);

 private:
  std::vector<Band> bands_;
};

}  // namespace gdi::detail
