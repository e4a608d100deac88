// Drawing: lines, rectangle and region fills, pixels, and coordinates at the integer limits.
#include <gtest/gtest.h>

#include "gdi_test_util.h"

namespace {

using namespace gdi_test;

TEST(Drawing, LineToStopsBeforeItsEndPoint) {
  MemSurface s(8, 8);
  s.Fill(kWhite);
  MoveToEx(s.dc(), 0, 0, nullptr);
  LineTo(s.dc(), 5, 0);
  for (int x = 0; x < 5; ++x) EXPECT_EQ(s.At(x, 0), kBlack) << x;
  EXPECT_EQ(s.At(5, 0), kWhite);
  POINT cur;
  MoveToEx(s.dc(), 0, 0, &cur);
  EXPECT_EQ(cur.x, 5);

  // A closed square outline visits every vertex once: all 24 border pixels of a 7 x 7 square.
  s.Fill(kWhite);
  MoveToEx(s.dc(), 0, 0, nullptr);
  LineTo(s.dc(), 6, 0);
  LineTo(s.dc(), 6, 6);
  LineTo(s.dc(), 0, 6);
  LineTo(s.dc(), 0, 0);
  int black = 0;
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) black += s.At(x, y) == kBlack;
  EXPECT_EQ(black, 24);
  ExpectPixels(s, {{3, 3, kWhite}, {6, 6, kBlack}});

  // A diagonal: one pixel per step, the end left out.
  s.Fill(kWhite);
  MoveToEx(s.dc(), 0, 0, nullptr);
  LineTo(s.dc(), 3, 3);
  ExpectPixels(s, {{2, 2, kBlack}, {3, 3, kWhite}});
}

TEST(Drawing, FillRectIsHalfOpenAndEmptyDrawsNothing) {
  MemSurface s(4, 4);
  s.Fill(kWhite);
  s.Fill(RECT{1, 1, 3, 2}, kRed);
  ExpectPixels(s, {{1, 1, kRed}, {2, 1, kRed}, {3, 1, kWhite}, {1, 2, kWhite}});
  s.Fill(RECT{2, 2, 2, 4}, kRed);
  s.Fill(RECT{3, 3, 1, 1}, kRed);
  ExpectPixels(s, {{2, 2, kWhite}, {2, 3, kWhite}});
}

TEST(Drawing, FillRgnTakesLogicalCoordinatesAndTheClip) {
  MemSurface s(6, 6);
  s.Fill(kWhite);
  SetWindowOrgEx(s.dc(), 1, 1, nullptr);
  IntersectClipRect(s.dc(), 1, 1, 4, 7);  // device columns 0..2
  Region rgn(CreateRectRgn(2, 2, 6, 4));  // device (1, 1) to (5, 3)
  Brush red(CreateSolidBrush(kRed));
  ASSERT_TRUE(FillRgn(s.dc(), rgn, red));
  SetWindowOrgEx(s.dc(), 0, 0, nullptr);
  SelectClipRgn(s.dc(), nullptr);
  ExpectPixels(s, {{1, 1, kRed}, {2, 2, kRed}});
  EXPECT_EQ(s.At(3, 1), kWhite);  // clipped
  EXPECT_EQ(s.At(1, 3), kWhite);  // outside the region
  EXPECT_EQ(s.At(0, 0), kWhite);
}

TEST(Drawing, GetPixelOutsideTheClipIsInvalid) {
  MemSurface s(4, 4);
  s.Fill(kBlue);
  ExpectPixels(s, {{3, 3, kBlue}, {4, 0, CLR_INVALID}, {-1, 0, CLR_INVALID}});
  IntersectClipRect(s.dc(), 0, 0, 2, 2);
  ExpectPixels(s, {{1, 1, kBlue}, {2, 1, CLR_INVALID}});
  EXPECT_EQ(SetPixel(s.dc(), 3, 3, kRed), CLR_INVALID);
  RECT box;
  EXPECT_EQ(GetClipBox(s.dc(), &box), SIMPLEREGION);
  EXPECT_EQ(box.right, 2);
  ExcludeClipRect(s.dc(), 0, 0, 1, 1);
  ExpectPixels(s, {{0, 0, CLR_INVALID}, {1, 0, kBlue}});
}

TEST(Drawing, ExtremeCoordinatesNeitherOverflowNorHang) {
  constexpr int kMin = -2147483647 - 1, kMax = 2147483647;
  MemSurface s(4, 4);
  s.Fill(kWhite);
  SetWindowOrgEx(s.dc(), kMin, kMax, nullptr);
  RECT all{kMin, kMin, kMax, kMax};
  EXPECT_EQ(FillRect(s.dc(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))), 1);
  MoveToEx(s.dc(), kMin, kMin, nullptr);
  EXPECT_TRUE(LineTo(s.dc(), kMax, kMax));
  EXPECT_EQ(DrawTextW(s.dc(), L"x", 1, &all, DT_CENTER | DT_VCENTER | DT_SINGLELINE) != 0, true);
  EXPECT_NE(IntersectClipRect(s.dc(), kMin, kMin, kMax, kMax), ERROR);
  POINT p{kMax, kMin};
  EXPECT_TRUE(LPtoDP(s.dc(), &p, 1));
  RECT box;
  GetClipBox(s.dc(), &box);
  OffsetRect(&all, kMax, kMin);
  InflateRect(&all, kMax, kMax);
  const POINT far[] = {{kMin, 0}, {0, kMax}, {kMax, kMax}};
  EXPECT_EQ(CreatePolygonRgn(far, 3, WINDING), nullptr);
  Region big(CreateRoundRectRgn(kMin, kMin, kMax, kMax, kMax, kMax));
  EXPECT_NE(big.get(), nullptr);
  EXPECT_TRUE(StretchBlt(s.dc(), kMin, kMin, 3, 3, s.dc(), 0, 0, 2, 2, SRCCOPY));
  EXPECT_FALSE(StretchBlt(s.dc(), 0, 0, kMax, 3, s.dc(), 0, 0, 2, 2, SRCCOPY));
}

}  // namespace
