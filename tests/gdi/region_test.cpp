#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "gdi_test_util.h"

namespace {

using Rgn = gdi_test::Region;

std::vector<POINT> Pixels(HRGN rgn, int w, int h) {
  std::vector<POINT> out;
  for (int y = -1; y <= h; ++y) {
    for (int x = -1; x <= w; ++x) {
      if (PtInRegion(rgn, x, y)) out.push_back(POINT{x, y});
    }
  }
  return out;
}

// Each point of `in` lies in the region and each of `out` does not.
void ExpectPoints(HRGN rgn, std::initializer_list<POINT> in, std::initializer_list<POINT> out) {
  for (POINT p : in) EXPECT_TRUE(PtInRegion(rgn, p.x, p.y)) << p.x << "," << p.y;
  for (POINT p : out) EXPECT_FALSE(PtInRegion(rgn, p.x, p.y)) << p.x << "," << p.y;
}

TEST(Region, RectIsHalfOpenAndZeroSizeIsEmpty) {
  Rgn r(CreateRectRgn(1, 2, 4, 6));
  ExpectPoints(r, {{1, 2}, {3, 5}}, {{4, 5}, {3, 6}});
  RECT box;
  EXPECT_EQ(GetRgnBox(r, &box), SIMPLEREGION);
  EXPECT_EQ(box.left, 1);
  EXPECT_EQ(box.bottom, 6);
  Rgn empty(CreateRectRgn(3, 3, 3, 9));
  EXPECT_EQ(GetRgnBox(empty, &box), NULLREGION);
}

TEST(Region, WorkedPolygonExampleEqualsTheRectangle) {
  const POINT pts[] = {{1, 0}, {1, 1}, {1, 2}, {5, 2}, {5, 1}, {5, 0}};
  for (int mode : {ALTERNATE, WINDING}) {
    Rgn poly(CreatePolygonRgn(pts, 6, mode));
    Rgn rect(CreateRectRgn(1, 0, 5, 2));
    EXPECT_TRUE(EqualRgn(poly, rect));
    EXPECT_EQ(Pixels(poly, 8, 4).size(), 8u);
    ExpectPoints(poly, {{1, 0}, {4, 1}}, {{5, 1}, {1, 2}, {0, 0}, {4, 2}});
  }
}

TEST(Region, SlantedEdgesRoundLeftCrossingUpAndRightCrossingExclusive) {
  // A triangle: at row y the left edge crosses x = y/2, the right edge x = 8 - y/2.
  const POINT pts[] = {{0, 0}, {8, 0}, {4, 8}};
  Rgn tri(CreatePolygonRgn(pts, 3, ALTERNATE));
  // Row 1 crosses at 0.5 and 7.5, row 7 at 3.5 and 4.5; row 8 is the bottom vertex.
  ExpectPoints(tri, {{1, 1}, {7, 1}, {4, 7}}, {{0, 1}, {8, 1}, {3, 7}, {5, 7}, {4, 8}});
}

TEST(Region, SelfOverlappingOutlineDiffersOnlyByFillMode) {
  // One outline of two squares; the middle [4,6) x [4,6) is out under ALTERNATE, in under WINDING.
  const POINT pts[] = {{0, 0}, {6, 0},  {6, 6},   {0, 6},  {0, 0},
                       {4, 4}, {10, 4}, {10, 10}, {4, 10}, {4, 4}};
  Rgn alt(CreatePolygonRgn(pts, 10, ALTERNATE));
  Rgn wind(CreatePolygonRgn(pts, 10, WINDING));
  ExpectPoints(alt, {{1, 1}, {8, 8}, {5, 2}, {2, 5}}, {{5, 5}});
  ExpectPoints(wind, {{1, 1}, {8, 8}, {5, 2}, {2, 5}, {5, 5}}, {{8, 2}});
}

TEST(Region, RoundRectWithTwoByTwoCornersCutsExactlyTheCornerPixels) {
  Rgn r(CreateRoundRectRgn(0, 0, 10, 6, 2, 2));
  // The shape covers the rectangle less its last column and row: x 0..8, y 0..4.
  const auto px = Pixels(r, 10, 6);
  EXPECT_EQ(px.size(), 9u * 5u - 4u);
  ExpectPoints(r, {{1, 0}, {0, 1}, {7, 4}, {8, 3}},
               {{0, 0}, {8, 0}, {0, 4}, {8, 4}, {9, 2}, {4, 5}});
}

TEST(Region, CombineResultsAndCodes) {
  Rgn a(CreateRectRgn(0, 0, 10, 10));
  Rgn b(CreateRectRgn(5, 5, 15, 15));
  Rgn out(CreateRectRgn(0, 0, 0, 0));
  RECT box;

  EXPECT_EQ(CombineRgn(out, a, b, RGN_AND), SIMPLEREGION);
  GetRgnBox(out, &box);
  EXPECT_EQ(box.left, 5);
  EXPECT_EQ(box.right, 10);
  EXPECT_EQ(CombineRgn(out, a, b, RGN_OR), COMPLEXREGION);
  ExpectPoints(out, {{14, 14}}, {{14, 0}});
  EXPECT_EQ(CombineRgn(out, a, b, RGN_XOR), COMPLEXREGION);
  ExpectPoints(out, {{2, 7}}, {{7, 7}});
  EXPECT_EQ(CombineRgn(out, a, b, RGN_DIFF), COMPLEXREGION);
  ExpectPoints(out, {{2, 7}}, {{12, 12}});
  EXPECT_EQ(CombineRgn(out, b, nullptr, RGN_COPY), SIMPLEREGION);
  EXPECT_TRUE(EqualRgn(out, b));

  Rgn far(CreateRectRgn(100, 100, 110, 110));
  EXPECT_EQ(CombineRgn(out, a, far, RGN_AND), NULLREGION);
  // Side by side rectangles merge into one.
  Rgn right(CreateRectRgn(10, 0, 20, 10));
  EXPECT_EQ(CombineRgn(out, a, right, RGN_OR), SIMPLEREGION);
  // The destination may be a source.
  EXPECT_EQ(CombineRgn(a, a, b, RGN_DIFF), COMPLEXREGION);
  EXPECT_FALSE(PtInRegion(a, 7, 7));

  EXPECT_EQ(CombineRgn(out, a, b, 9), ERROR);
  EXPECT_EQ(CombineRgn(out, a, nullptr, RGN_AND), ERROR);
}

TEST(Region, OffsetRectInRegionAndSetRectRgn) {
  Rgn r(CreateRectRgn(0, 0, 4, 4));
  EXPECT_EQ(OffsetRgn(r, 10, 20), SIMPLEREGION);
  ExpectPoints(r, {{10, 20}}, {{0, 0}});
  RECT touching{14, 20, 20, 24}, overlapping{13, 23, 20, 30};
  EXPECT_FALSE(RectInRegion(r, &touching));
  EXPECT_TRUE(RectInRegion(r, &overlapping));
  EXPECT_TRUE(SetRectRgn(r, 2, 2, 3, 3));
  EXPECT_EQ(gdi::GetRegionRects(r).size(), 1u);
  EXPECT_EQ(OffsetRgn(r, 1 << 30, 0), ERROR);
}

TEST(Region, RectsComeInBandOrder) {
  const POINT pts[] = {{0, 0}, {4, 0}, {4, 2}, {8, 2}, {8, 4}, {0, 4}};
  Rgn r(CreatePolygonRgn(pts, 6, ALTERNATE));
  const auto rects = gdi::GetRegionRects(r);
  ASSERT_EQ(rects.size(), 2u);
  EXPECT_EQ(rects[0].right, 4);
  EXPECT_EQ(rects[0].bottom, 2);
  EXPECT_EQ(rects[1].top, 2);
  EXPECT_EQ(rects[1].right, 8);
}

TEST(Region, BadArgumentsFailCleanly) {
  const POINT pts[] = {{0, 0}, {4, 0}, {4, 4}};
  EXPECT_EQ(CreatePolygonRgn(nullptr, 3, ALTERNATE), nullptr);
  EXPECT_EQ(CreatePolygonRgn(pts, 1, ALTERNATE), nullptr);
  EXPECT_EQ(CreatePolygonRgn(pts, 3, 7), nullptr);
  const POINT huge[] = {{0, 0}, {0x7FFFFFFF, 0}, {0, 0x7FFFFFFF}};
  EXPECT_EQ(CreatePolygonRgn(huge, 3, ALTERNATE), nullptr);
  HRGN r = CreateRectRgn(0, 0, 1, 1);
  ASSERT_TRUE(DeleteObject(r));
  EXPECT_FALSE(PtInRegion(r, 0, 0));
  RECT box;
  EXPECT_EQ(GetRgnBox(r, &box), ERROR);
  EXPECT_EQ(OffsetRgn(r, 1, 1), ERROR);
  EXPECT_FALSE(DeleteObject(r));
  EXPECT_TRUE(gdi::GetRegionRects(r).empty());
}

}  // namespace
