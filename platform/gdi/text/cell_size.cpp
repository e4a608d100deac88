#include "cell_size.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace gdi::text {
namespace {

VerticalUnits Sanitised(VerticalUnits u) {
  if (u.units_per_em <= 0) u.units_per_em = 1000;
  u.ascent = std::max(u.ascent, 0);
  u.descent = std::max(u.descent, 0);
  if (u.ascent + u.descent <= 0) {
    u.ascent = u.units_per_em * 4 / 5;
    u.descent = u.units_per_em - u.ascent;
  }
  return u;
}

}  // namespace

int NormaliseHeight(int requested) {
  if (requested == 0) return kDefaultCellHeight;
  // Compare before negating: -INT_MIN does not exist.
  if (requested > kMaxPixelHeight) return kMaxPixelHeight;
  if (requested < -kMaxPixelHeight) return -kMaxPixelHeight;
  return requested;
}

CellSize ComputeCellSize(int height, VerticalUnits units) {
  const VerticalUnits u = Sanitised(units);
  height = NormaliseHeight(height);
  const double upem = u.units_per_em;
  CellSize cell;
  if (height > 0) {
    cell.ppem = height * upem / (u.ascent + u.descent);
    cell.height = height;
    cell.ascent = std::clamp(static_cast<int>(std::lround(u.ascent * cell.ppem / upem)), 0, height);
    cell.descent = height - cell.ascent;
  } else {
    cell.ppem = -height;
    cell.ascent = static_cast<int>(std::lround(u.ascent * cell.ppem / upem));
    cell.descent = static_cast<int>(std::lround(u.descent * cell.ppem / upem));
    cell.height = std::max(cell.ascent + cell.descent, 1);
  }
  cell.em = std::max(1, static_cast<int>(std::lround(cell.ppem)));
  return cell;
}

double FallbackPpem(const CellSize& primary, VerticalUnits fallback) {
  const VerticalUnits u = Sanitised(fallback);
  const double upem = u.units_per_em;
  double scale = static_cast<double>(primary.height) / (u.ascent + u.descent);
  // The cell's ascent is rounded to whole pixels; half a pixel above it is still the ascent
  // the primary face itself was scaled to.
  if (u.ascent > 0) scale = std::min(scale, (primary.ascent + 0.5) / u.ascent);
  return std::max(scale * upem, 1.0);
}

}  // namespace gdi::text
