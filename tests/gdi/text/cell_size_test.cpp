#include "cell_size.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <vector>

namespace gdi::text {
namespace {

// Design metrics like the installed faces': Latin, CJK, ascent+descent over the em, broken.
const std::vector<VerticalUnits> kFaces = {
    {2048, 1854, 434}, {2048, 1918, 483}, {1000, 1075, 299}, {1000, 0, 0}, {0, 800, 200}};

TEST(CellSize, PositiveHeightIsTheWholeCell) {
  for (const VerticalUnits& units : kFaces) {
    for (int h = 1; h <= 300; ++h) {
      const CellSize cell = ComputeCellSize(h, units);
      ASSERT_EQ(cell.height, h) << units.units_per_em << "/" << units.ascent;
      ASSERT_EQ(cell.ascent + cell.descent, h);
      ASSERT_GE(cell.ascent, 0);
      ASSERT_GE(cell.descent, 0);
      ASSERT_GE(cell.em, 1);
    }
  }
}

TEST(CellSize, CellSplitsAtTheDesignBaseline) {
  // 14 px of a cell whose design ascent is 1854 of 2288 units: 11.34 px above the baseline.
  const CellSize cell = ComputeCellSize(14, {2048, 1854, 434});
  EXPECT_EQ(cell.ascent, 11);
  EXPECT_EQ(cell.descent, 3);
  EXPECT_NEAR(cell.ppem, 14.0 * 2048 / 2288, 1e-9);
  EXPECT_EQ(cell.em, 13);
}

TEST(CellSize, NegativeHeightIsTheEm) {
  for (const VerticalUnits& units : kFaces) {
    for (int em = 1; em <= 200; ++em) {
      const CellSize cell = ComputeCellSize(-em, units);
      ASSERT_EQ(cell.em, em);
      ASSERT_DOUBLE_EQ(cell.ppem, em);
      ASSERT_EQ(cell.ascent + cell.descent, cell.height);
      ASSERT_GE(cell.height, 1);
    }
  }
  // The faces' cells are taller than their ems: the cell carries internal leading.
  const CellSize cell = ComputeCellSize(-12, {2048, 1854, 434});
  EXPECT_GT(cell.height, 12);
}

TEST(CellSize, AbsurdHeightsAreBroughtIntoRange) {
  EXPECT_EQ(NormaliseHeight(0), kDefaultCellHeight);
  EXPECT_EQ(NormaliseHeight(INT_MAX), kMaxPixelHeight);
  EXPECT_EQ(NormaliseHeight(INT_MIN), -kMaxPixelHeight);
  EXPECT_EQ(NormaliseHeight(-7), -7);
  EXPECT_EQ(ComputeCellSize(0, kFaces[0]).height, kDefaultCellHeight);
  EXPECT_EQ(ComputeCellSize(10000, kFaces[0]).height, kMaxPixelHeight);
  EXPECT_EQ(ComputeCellSize(INT_MIN, kFaces[0]).em, kMaxPixelHeight);
}

TEST(CellSize, FallbackFaceFitsThePrimaryCell) {
  const VerticalUnits latin{2048, 1854, 434};
  const VerticalUnits tall_cjk{2048, 1918, 483};
  const VerticalUnits top_heavy{1000, 1100, 100};
  for (int h : {8, 14, 18, 33, 100}) {
    const CellSize cell = ComputeCellSize(h, latin);
    // A face with the same design metrics gets exactly the primary's size.
    EXPECT_NEAR(FallbackPpem(cell, latin), cell.ppem, 1e-9);
    for (const VerticalUnits& other : {tall_cjk, top_heavy}) {
      const double scale = FallbackPpem(cell, other) / other.units_per_em;
      EXPECT_LE(other.ascent * scale, cell.ascent + 0.5 + 1e-9) << h;
      EXPECT_LE((other.ascent + other.descent) * scale, cell.height + 1e-9) << h;
    }
    // The CJK face is limited by the cell, not by its ascent, so it keeps most of the height.
    EXPECT_NEAR((tall_cjk.ascent + tall_cjk.descent) * FallbackPpem(cell, tall_cjk) / 2048,
                std::min<double>(h, (cell.ascent + 0.5) * 2401.0 / 1918), 1e-9);
  }
}

}  // namespace
}  // namespace gdi::text
