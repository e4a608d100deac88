// How a requested font height maps onto a face's design units, the way the Windows font mapper
// sizes TrueType faces: the cell (ascent + descent) uses the face's Windows ascent and descent.
#pragma once

namespace gdi::text {

// Vertical design metrics of a face in font units; `descent` is positive below the baseline.
struct VerticalUnits {
  int units_per_em = 0;
  int ascent = 0;
  int descent = 0;
};

struct CellSize {
  double ppem = 0;  // pixels per em the face is scaled to
  int height = 0;   // ascent + descent
  int ascent = 0;
  int descent = 0;
  int em = 0;  // ppem rounded, at least 1
};

// Cell heights and em heights are capped here; larger requests are treated as this size so that
// an absurd request cannot ask for gigabytes of coverage.
inline constexpr int kMaxPixelHeight = 1024;
// Cell height used for a request of height 0.
inline constexpr int kDefaultCellHeight = 16;

// Brings any requested height into the range the engine renders: 0 becomes the default cell
// height, magnitudes are capped at kMaxPixelHeight, the sign is kept.
int NormaliseHeight(int requested);

// `height` > 0 is a cell height, which the result reproduces exactly; `height` < 0 is an em height.
// Degenerate design metrics are replaced by plausible ones.
CellSize ComputeCellSize(int height, VerticalUnits units);

// Pixels per em for a face that supplies characters the primary face lacks: it gets the same cell
// height as the primary, but never a taller ascent (within the half pixel the cell's ascent was
// rounded by), so its glyphs share the baseline and stay inside the cell.
double FallbackPpem(const CellSize& primary, VerticalUnits fallback);

}  // namespace gdi::text
