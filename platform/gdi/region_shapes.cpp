// Scan conversion of polygons and rounded rectangles into banded regions.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "region.h"
#include "wingdi.h"

namespace gdi::detail {

namespace {

struct Edge {
  std::int64_t x0 = 0;  // y0 < y1
  std::int64_t y0 = 0;
  std::int64_t x1 = 0;
  std::int64_t y1 = 0;
  int dir = 0;  // +1 when the outline runs downwards here, -1 upwards
};

std::int64_t CeilDiv(std::int64_t num, std::int64_t den) {  // den > 0
  std::int64_t q = num / den;
  if (num % den != 0 && num > 0) ++q;
  return q;
}

struct Crossing {
  std::int64_t x = 0;
  int dir = 0;
};

// Spans of one scan line from its crossings. Both crossings of a span round up: the left one to
// the first pixel inside, the right one to the first pixel outside.
std::vector<int> SpansOf(std::vector<Crossing>& crossings, int mode) {
  std::sort(crossings.begin(), crossings.end(),
            [](const Crossing& a, const Crossing& b) { return a.x < b.x; });
  std::vector<int> xs;
  int winding = 0;
  std::int64_t start = 0;
  for (const Crossing& c : crossings) {
    const bool was_in = mode == WINDING ? winding != 0 : (winding & 1) != 0;
    winding += mode == WINDING ? c.dir : 1;
    const bool is_in = mode == WINDING ? winding != 0 : (winding & 1) != 0;
    if (!was_in && is_in) {
      start = c.x;
    } else if (was_in && !is_in && c.x > start) {
      if (!xs.empty() && xs.back() >= start) {
        xs.back() = static_cast<int>(c.x);  // touches the previous span
      } else {
        xs.push_back(static_cast<int>(start));
        xs.push_back(static_cast<int>(c.x));
      }
    }
  }
  return xs;
}

}  // namespace

Region Region::FromPolygon(std::span<const POINT> points, int mode) {
  Region out;
  const std::size_t n = points.size();
  std::vector<Edge> edges;
  edges.reserve(n);
  for (std::size_t i = 0; i < n; ++i) {
    const POINT& a = points[i];
    const POINT& b = points[(i + 1) % n];
    if (a.y == b.y) continue;  // horizontal edges cross no scan line
    if (a.y < b.y) {
      edges.push_back(Edge{a.x, a.y, b.x, b.y, +1});
    } else {
      edges.push_back(Edge{b.x, b.y, a.x, a.y, -1});
    }
  }
  if (edges.empty()) return out;
  std::sort(edges.begin(), edges.end(), [](const Edge& a, const Edge& b) { return a.y0 < b.y0; });

  std::vector<const Edge*> active;
  std::vector<Crossing> crossings;
  std::size_t next = 0;
  std::int64_t y = edges.front().y0;
  while (next < edges.size() || !active.empty()) {
    if (active.empty() && edges[next].y0 > y) y = edges[next].y0;
    while (next < edges.size() && edges[next].y0 == y) active.push_back(&edges[next++]);
    active.erase(
        std::remove_if(active.begin(), active.end(), [y](const Edge* e) { return e->y1 <= y; }),
        active.end());
    if (active.empty()) continue;

    // Rows stay identical until an edge starts or ends, when every active edge is vertical.
    std::int64_t until = y + 1;
    const bool all_vertical =
        std::all_of(active.begin(), active.end(), [](const Edge* e) { return e->x0 == e->x1; });
    if (all_vertical) {
      until = next < edges.size() ? edges[next].y0 : INT64_MAX;
      for (const Edge* e : active) until = std::min(until, e->y1);
    }

    crossings.clear();
    for (const Edge* e : active) {
      const std::int64_t den = e->y1 - e->y0;
      const std::int64_t num = e->x0 * den + (y - e->y0) * (e->x1 - e->x0);
      crossings.push_back(Crossing{CeilDiv(num, den), e->dir});
    }
    out.AppendBand(static_cast<int>(y), static_cast<int>(until), SpansOf(crossings, mode));
    y = until;
  }
  return out;
}

Region Region::FromRoundRect(int left, int top, int right, int bottom, int ew, int eh) {
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  // The shape covers the rectangle less its last column and row.
  --right;
  --bottom;
  ew = std::min(right - left, std::abs(ew));
  eh = std::min(bottom - top, std::abs(eh));
  if (ew < 2 || eh < 2) return FromRect(left, top, right, bottom);

  // Horizontal inset of each of the top eh/2 rows, from the corner ellipse measured at the row's
  // middle; rounding leans outward so that even the smallest ellipse cuts its corner pixel.
  const double a = ew / 2.0, b = eh / 2.0;
  const int rows = eh / 2;
  std::vector<int> inset(rows);
  for (int k = 0; k < rows; ++k) {
    const double dy = (b - k - 0.5) / b;
    const double dx = a * std::sqrt(std::max(0.0, 1.0 - dy * dy));
    inset[k] = std::max(0, static_cast<int>(std::ceil(a - dx - 0.05)));
    inset[k] = std::min(inset[k], (right - left - 1) / 2);
  }
  Region out;
  for (int k = 0; k < rows; ++k)
    out.AppendBand(top + k, top + k + 1, {left + inset[k], right - inset[k]});
  out.AppendBand(top + rows, bottom - rows, {left, right});
  for (int k = rows - 1; k >= 0; --k) {
    out.AppendBand(bottom - k - 1, bottom - k, {left + inset[k], right - inset[k]});
  }
  return out;
}

}  // namespace gdi::detail
