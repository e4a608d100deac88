// Block and stretch copies: colour/mono conversion, raster operations, clipping, stretch modes.
#include <gtest/gtest.h>

#include <cstdint>

#include "gdi_test_util.h"

namespace {

using namespace gdi_test;

TEST(Blit, ColourToMonoUsesOnlyTheSourceBackgroundColour) {
  MemSurface src(4, 1);
  src.Fill(kRed);
  SetPixel(src.dc(), 1, 0, kGreen);
  SetPixel(src.dc(), 3, 0, kBlue);
  SetBkColor(src.dc(), kGreen);
  SetTextColor(src.dc(), kRed);  // plays no part
  MemSurface mask(4, 1, true);
  SetTextColor(mask.dc(), kWhite);  // the destination's colours play no part either
  SetBkColor(mask.dc(), kBlack);
  ASSERT_TRUE(BitBlt(mask.dc(), 0, 0, 4, 1, src.dc(), 0, 0, SRCCOPY));
  ExpectPixels(mask, {{0, 0, kBlack}, {1, 0, kWhite}, {2, 0, kBlack}, {3, 0, kBlack}});
}

TEST(Blit, MonoToColourUsesTheDestinationColours) {
  const std::uint8_t rows[] = {0x80, 0x00};  // 1 0
  Bitmap bits(CreateBitmap(2, 1, 1, 1, rows));
  Dc src(CreateCompatibleDC(nullptr));
  Selection selected(src, bits);
  SetTextColor(src, kGreen);  // the source's colours play no part
  SetBkColor(src, RGB(255, 255, 0));
  MemSurface dst(2, 1);
  SetTextColor(dst.dc(), kRed);
  SetBkColor(dst.dc(), kBlue);
  ASSERT_TRUE(BitBlt(dst.dc(), 0, 0, 2, 1, src, 0, 0, SRCCOPY));
  EXPECT_EQ(dst.At(0, 0), kBlue);  // 1 -> destination background
  EXPECT_EQ(dst.At(1, 0), kRed);   // 0 -> destination text colour
}

TEST(Blit, RasterOperationsActPerChannel) {
  MemSurface src(1, 1), dst(1, 1);
  src.Fill(RGB(0xF0, 0x0F, 0x33));
  dst.Fill(RGB(0x3C, 0x3C, 0x0F));
  BitBlt(dst.dc(), 0, 0, 1, 1, src.dc(), 0, 0, SRCAND);
  EXPECT_EQ(dst.At(0, 0), RGB(0x30, 0x0C, 0x03));
  dst.Fill(RGB(0x3C, 0x3C, 0x0F));
  BitBlt(dst.dc(), 0, 0, 1, 1, src.dc(), 0, 0, SRCPAINT);
  EXPECT_EQ(dst.At(0, 0), RGB(0xFC, 0x3F, 0x3F));
  EXPECT_FALSE(BitBlt(dst.dc(), 0, 0, 1, 1, src.dc(), 0, 0, 0x00550009));
}

// The slider thumb's transparent drawing: key-colour mask, SRCAND of the mask, SRCPAINT of it.
void TransparentThumb(int w, int h) {
  const COLORREF key = RGB(255, 0, 255), ink = RGB(40, 200, 90);
  MemSurface thumb(w, h);
  thumb.Fill(key);
  thumb.Fill(RECT{1, 1, w - 1, h - 1}, ink);
  MemSurface mask(w, h, true);
  SetBkColor(thumb.dc(), GetPixel(thumb.dc(), 0, 0));
  BitBlt(mask.dc(), 0, 0, w, h, thumb.dc(), 0, 0, SRCCOPY);
  SetTextColor(thumb.dc(), kWhite);
  SetBkColor(thumb.dc(), kBlack);
  BitBlt(thumb.dc(), 0, 0, w, h, mask.dc(), 0, 0, SRCAND);
  ExpectPixels(thumb, {{0, 0, kBlack}, {1, 1, ink}});

  const COLORREF back = RGB(12, 34, 56);
  MemSurface buffer(w + 10, h + 4);
  buffer.Fill(back);
  BitBlt(buffer.dc(), 5, 2, w, h, mask.dc(), 0, 0, SRCAND);
  BitBlt(buffer.dc(), 5, 2, w, h, thumb.dc(), 0, 0, SRCPAINT);
  for (int y = 0; y < h + 4; ++y) {
    for (int x = 0; x < w + 10; ++x) {
      const bool inside = x >= 6 && x < 5 + w - 1 && y >= 3 && y < 2 + h - 1;
      EXPECT_EQ(buffer.At(x, y), inside ? ink : back) << x << "," << y;
    }
  }
}

TEST(Blit, TransparentThumbIdiomEndToEnd) {
  TransparentThumb(3, 12);
  TransparentThumb(9, 16);
}

TEST(Blit, ClippedToTheDestinationAndSourceBounds) {
  MemSurface src(4, 4), dst(4, 4);
  src.Fill(kRed);
  dst.Fill(kWhite);
  Region clip(CreateRectRgn(0, 0, 2, 4));
  SelectClipRgn(dst.dc(), clip);
  DeleteObject(clip.release());  // the DC keeps its own copy
  ASSERT_TRUE(BitBlt(dst.dc(), -1, 1, 10, 10, src.dc(), 0, 0, SRCCOPY));
  ExpectPixels(dst, {{0, 1, kRed}, {1, 3, kRed}, {0, 0, kWhite}});
  SelectClipRgn(dst.dc(), nullptr);
  EXPECT_EQ(dst.At(2, 2), kWhite);
  // Only source pixels that exist are copied: column 0 would need source x = -1.
  dst.Fill(kWhite);
  BitBlt(dst.dc(), 0, 0, 4, 4, src.dc(), -1, 0, SRCCOPY);
  ExpectPixels(dst, {{0, 0, kWhite}, {1, 0, kRed}});
}

TEST(Blit, OverlappingCopyWithinOneBitmap) {
  MemSurface s(4, 1);
  for (int x = 0; x < 4; ++x) SetPixel(s.dc(), x, 0, RGB(x * 10, 0, 0));
  BitBlt(s.dc(), 1, 0, 3, 1, s.dc(), 0, 0, SRCCOPY);
  ExpectPixels(s, {{1, 0, RGB(0, 0, 0)}, {2, 0, RGB(10, 0, 0)}, {3, 0, RGB(20, 0, 0)}});
}

TEST(StretchBlt, HalftoneIdentityIsAnExactCopy) {
  MemSurface src(5, 3), dst(5, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) SetPixel(src.dc(), x, y, RGB(x * 50, y * 100, 7));
  SetStretchBltMode(dst.dc(), HALFTONE);
  ASSERT_TRUE(StretchBlt(dst.dc(), 0, 0, 5, 3, src.dc(), 0, 0, 5, 3, SRCCOPY));
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) EXPECT_EQ(dst.At(x, y), src.At(x, y));
}

TEST(StretchBlt, HalftoneAveragesWhenShrinkingAndBlendsWhenEnlarging) {
  MemSurface src(4, 2), small(2, 1), big(8, 1);
  src.Fill(kBlack);
  src.Fill(RECT{0, 0, 1, 2}, kWhite);  // column 0 white
  src.Fill(RECT{2, 0, 4, 2}, RGB(100, 100, 100));
  SetStretchBltMode(small.dc(), HALFTONE);
  StretchBlt(small.dc(), 0, 0, 2, 1, src.dc(), 0, 0, 4, 2, SRCCOPY);
  EXPECT_EQ(small.At(0, 0), RGB(128, 128, 128));  // (255 + 0) / 2, rounded
  EXPECT_EQ(small.At(1, 0), RGB(100, 100, 100));

  MemSurface two(2, 1);
  two.Fill(kBlack);
  SetPixel(two.dc(), 1, 0, kWhite);
  SetStretchBltMode(big.dc(), HALFTONE);
  StretchBlt(big.dc(), 0, 0, 8, 1, two.dc(), 0, 0, 2, 1, SRCCOPY);
  ExpectPixels(big, {{0, 0, kBlack}, {7, 0, kWhite}});
  const BYTE mid = GetRValue(big.At(4, 0));
  EXPECT_GT(mid, 0);
  EXPECT_LT(mid, 255);
  EXPECT_LT(GetRValue(big.At(3, 0)), mid);
}

TEST(StretchBlt, OppositeSignsMirror) {
  MemSurface src(3, 1), dst(3, 1);
  for (int x = 0; x < 3; ++x) SetPixel(src.dc(), x, 0, RGB(x * 100, 0, 0));
  ASSERT_TRUE(StretchBlt(dst.dc(), 3, 0, -3, 1, src.dc(), 0, 0, 3, 1, SRCCOPY));  // [0, 3)
  ExpectPixels(dst, {{0, 0, RGB(200, 0, 0)}, {2, 0, RGB(0, 0, 0)}});
  // Equal negative extents on both sides copy without mirroring.
  dst.Fill(kWhite);
  ASSERT_TRUE(BitBlt(dst.dc(), 3, 1, -2, -1, src.dc(), 3, 1, SRCCOPY));
  ExpectPixels(dst, {{0, 0, kWhite}, {1, 0, RGB(100, 0, 0)}, {2, 0, RGB(200, 0, 0)}});
}

TEST(StretchBlt, BlackOnWhiteKeepsBlackWhenShrinking) {
  MemSurface src(4, 1), dst(2, 1), cc(2, 1);
  src.Fill(kWhite);
  SetPixel(src.dc(), 1, 0, kBlack);
  StretchBlt(dst.dc(), 0, 0, 2, 1, src.dc(), 0, 0, 4, 1, SRCCOPY);  // default BLACKONWHITE
  ExpectPixels(dst, {{0, 0, kBlack}, {1, 0, kWhite}});
  SetStretchBltMode(cc.dc(), COLORONCOLOR);
  StretchBlt(cc.dc(), 0, 0, 2, 1, src.dc(), 0, 0, 4, 1, SRCCOPY);
  EXPECT_EQ(cc.At(0, 0), kWhite);  // the dropped column goes
}

}  // namespace
