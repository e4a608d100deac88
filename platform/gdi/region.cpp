#include "region.h"

#include <algorithm>
#include <climits>

#include "wingdi.h"

namespace gdi::detail {

namespace {

bool Eval(Region::Op op, bool a, bool b) {
  switch (op) {
    case Region::kAnd:
      return a && b;
    case Region::kOr:
      return a || b;
    case Region::kXor:
      return a != b;
    case Region::kDiff:
      return a && !b;
  }
  return false;
}

// Boolean combination of two span lists by a sweep over their boundaries. Within one list a
// boundary value occurs at most once, so toggling on each boundary tracks inside/outside.
std::vector<int> CombineSpans(const std::vector<int>& a, const std::vector<int>& b, Region::Op op) {
  std::vector<int> out;
  std::size_t i = 0, j = 0;
  bool in_a = false, in_b = false, in_r = false;
  while (i < a.size() || j < b.size()) {
    const int xa = i < a.size() ? a[i] : INT_MAX;
    const int xb = j < b.size() ? b[j] : INT_MAX;
    const int x = std::min(xa, xb);
    if (xa == x) in_a = !in_a, ++i;
    if (xb == x) in_b = !in_b, ++j;
    const bool r = Eval(op, in_a, in_b);
    if (r == in_r) continue;
    if (r && !out.empty() && out.back() == x) {
      out.pop_back();  // touches the previous span: extend it
    } else {
      out.push_back(x);
    }
    in_r = r;
  }
  return out;
}

}  // namespace

void Region::AppendBand(int top, int bottom, std::vector<int> xs) {
  if (xs.empty() || bottom <= top) return;
  if (!bands_.empty() && bands_.back().bottom == top && bands_.back().xs == xs) {
    bands_.back().bottom = bottom;
    return;
  }
  bands_.push_back(Band{top, bottom, std::move(xs)});
}

Region Region::FromRect(int left, int top, int right, int bottom) {
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  Region r;
  if (left < right && top < bottom) r.bands_.push_back(Band{top, bottom, {left, right}});
  return r;
}

Region Region::Combine(const Region& a, const Region& b, Op op) {
  if (op == kAnd && (a.Empty() || b.Empty())) return Region();
  if ((op == kOr || op == kXor) && b.Empty()) return a;
  if ((op == kOr || op == kXor) && a.Empty()) return b;
  if (op == kDiff && (a.Empty() || b.Empty())) return a;

  std::vector<int> ys;
  ys.reserve(2 * (a.bands_.size() + b.bands_.size()));
  for (const Band& band : a.bands_) ys.push_back(band.top), ys.push_back(band.bottom);
  for (const Band& band : b.bands_) ys.push_back(band.top), ys.push_back(band.bottom);
  std::sort(ys.begin(), ys.end());
  ys.erase(std::unique(ys.begin(), ys.end()), ys.end());

  static const std::vector<int> kNone;
  Region out;
  std::size_t ia = 0, ib = 0;
  for (std::size_t k = 0; k + 1 < ys.size(); ++k) {
    const int y0 = ys[k], y1 = ys[k + 1];
    while (ia < a.bands_.size() && a.bands_[ia].bottom <= y0) ++ia;
    while (ib < b.bands_.size() && b.bands_[ib].bottom <= y0) ++ib;
    const auto& sa = (ia < a.bands_.size() && a.bands_[ia].top <= y0) ? a.bands_[ia].xs : kNone;
    const auto& sb = (ib < b.bands_.size() && b.bands_[ib].top <= y0) ? b.bands_[ib].xs : kNone;
    out.AppendBand(y0, y1, CombineSpans(sa, sb, op));
  }
  return out;
}

int Region::Complexity() const {
  if (bands_.empty()) return NULLREGION;
  if (bands_.size() == 1 && bands_[0].xs.size() == 2) return SIMPLEREGION;
  return COMPLEXREGION;
}

RECT Region::Box() const {
  if (bands_.empty()) return RECT{0, 0, 0, 0};
  RECT box{INT_MAX, bands_.front().top, INT_MIN, bands_.back().bottom};
  for (const Band& band : bands_) {
    box.left = std::min<LONG>(box.left, band.xs.front());
    box.right = std::max<LONG>(box.right, band.xs.back());
  }
  return box;
}

bool Region::Contains(int x, int y) const {
  auto it = std::upper_bound(bands_.begin(), bands_.end(), y,
                             [](int v, const Band& band) { return v < band.bottom; });
  if (it == bands_.end() || it->top > y) return false;
  const auto pos = std::upper_bound(it->xs.begin(), it->xs.end(), x) - it->xs.begin();
  return (pos % 2) == 1;
}

bool Region::Overlaps(const RECT& r) const {
  if (r.left >= r.right || r.top >= r.bottom) return false;
  for (const Band& band : bands_) {
    if (band.bottom <= r.top) continue;
    if (band.top >= r.bottom) break;
    for (std::size_t i = 0; i < band.xs.size(); i += 2) {
      if (band.xs[i] < r.right && band.xs[i + 1] > r.left) return true;
    }
  }
  return false;
}

void Region::Offset(int dx, int dy) {
  for (Band& band : bands_) {
    band.top += dy;
    band.bottom += dy;
    for (int& x : band.xs) x += dx;
  }
}

std::vector<RECT> Region::Rects() const {
  std::vector<RECT> out;
  for (const Band& band : bands_) {
    for (std::size_t i = 0; i < band.xs.size(); i += 2) {
      out.push_back(RECT{band.xs[i], band.top, band.xs[i + 1], band.bottom});
    }
  }
  return out;
}

std::vector<RECT> Region::RectsWithin(const RECT& r) const {
  std::vector<RECT> out;
  if (r.left >= r.right || r.top >= r.bottom) return out;
  for (const Band& band : bands_) {
    if (band.bottom <= r.top) continue;
    if (band.top >= r.bottom) break;
    const LONG top = std::max<LONG>(band.top, r.top);
    const LONG bottom = std::min<LONG>(band.bottom, r.bottom);
    for (std::size_t i = 0; i < band.xs.size(); i += 2) {
      const LONG left = std::max<LONG>(band.xs[i], r.left);
      const LONG right = std::min<LONG>(band.xs[i + 1], r.right);
      if (left < right) out.push_back(RECT{left, top, right, bottom});
    }
  }
  return out;
}

}  // namespace gdi::detail
