#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "gdi_test_util.h"

namespace {

using gdi_test::MemSurface;

constexpr COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0);

TEST(DeviceContext, FreshMemoryDcHasWindowsDefaults) {
  HDC dc = CreateCompatibleDC(nullptr);
  EXPECT_EQ(GetTextColor(dc), kBlack);
  EXPECT_EQ(GetBkColor(dc), kWhite);
  EXPECT_EQ(GetBkMode(dc), OPAQUE);
  EXPECT_EQ(GetStretchBltMode(dc), BLACKONWHITE);
  EXPECT_EQ(GetMapMode(dc), MM_TEXT);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), GetStockObject(SYSTEM_FONT));
  EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), GetStockObject(BLACK_PEN));
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
  BITMAP bm{};
  ASSERT_EQ(GetObjectW(GetCurrentBitmap(dc), sizeof bm, &bm), static_cast<int>(sizeof bm));
  EXPECT_EQ(bm.bmWidth, 1);
  EXPECT_EQ(bm.bmHeight, 1);
  EXPECT_EQ(bm.bmBitsPixel, 1);
  EXPECT_EQ(GetObjectType(dc), OBJ_MEMDC);
  DeleteDC(dc);
}

TEST(DeviceContext, CompatibleBitmapOfAMemoryDcIsMonochrome) {
  HDC mem = CreateCompatibleDC(nullptr);
  HBITMAP fb = gdi::CreateFramebuffer(4, 4);
  HDC surface = gdi::CreateSurfaceDC(fb, POINT{0, 0}, nullptr);
  BITMAP bm{};
  HBITMAP a = CreateCompatibleBitmap(mem, 8, 2);
  GetObjectW(a, sizeof bm, &bm);
  EXPECT_EQ(bm.bmBitsPixel, 1);
  EXPECT_EQ(bm.bmWidthBytes, 2);
  HBITMAP b = CreateCompatibleBitmap(surface, 8, 2);
  GetObjectW(b, sizeof bm, &bm);
  EXPECT_EQ(bm.bmBitsPixel, 32);
  HBITMAP c = CreateCompatibleBitmap(nullptr, 8, 2);
  GetObjectW(c, sizeof bm, &bm);
  EXPECT_EQ(bm.bmBitsPixel, 32);
  EXPECT_EQ(bm.bmWidthBytes, 32);
  // Once a colour bitmap is selected, the memory DC makes colour bitmaps.
  HGDIOBJ old = SelectObject(mem, c);
  HBITMAP d = CreateCompatibleBitmap(mem, 3, 3);
  GetObjectW(d, sizeof bm, &bm);
  EXPECT_EQ(bm.bmBitsPixel, 32);
  SelectObject(mem, old);
  for (HBITMAP h : {a, b, c, d}) EXPECT_TRUE(DeleteObject(h));
  DeleteDC(surface);
  DeleteDC(mem);
  DeleteObject(fb);
}

TEST(Bitmap, BitsAreBlueGreenRedZeroRowsTopFirst) {
  MemSurface s(3, 2);
  s.Fill(kBlack);
  SetPixel(s.dc(), 0, 0, RGB(0x11, 0x22, 0x33));
  SetPixel(s.dc(), 2, 1, RGB(0xAA, 0xBB, 0xCC));
  std::vector<std::uint8_t> bits(3 * 2 * 4);
  ASSERT_EQ(GetBitmapBits(s.bitmap(), static_cast<LONG>(bits.size()), bits.data()), 24);
  EXPECT_EQ(bits[0], 0x33);
  EXPECT_EQ(bits[1], 0x22);
  EXPECT_EQ(bits[2], 0x11);
  EXPECT_EQ(bits[3], 0x00);
  EXPECT_EQ(bits[20], 0xCC);  // row 1, column 2
  EXPECT_EQ(bits[22], 0xAA);
}

TEST(Bitmap, MonochromeRowsArePaddedToSixteenBits) {
  const std::uint8_t rows[] = {0xA0, 0x00, 0x40, 0x00};  // 3 x 2: 101 / 010
  HBITMAP bm = CreateBitmap(3, 2, 1, 1, rows);
  std::uint8_t out[4] = {};
  EXPECT_EQ(GetBitmapBits(bm, 4, out), 4);
  EXPECT_EQ(std::memcmp(rows, out, 4), 0);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bm);
  EXPECT_EQ(GetPixel(dc, 0, 0), kWhite);
  EXPECT_EQ(GetPixel(dc, 1, 0), kBlack);
  EXPECT_EQ(GetPixel(dc, 1, 1), kWhite);
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(bm);
}

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
  EXPECT_EQ(mask.At(0, 0), kBlack);
  EXPECT_EQ(mask.At(1, 0), kWhite);
  EXPECT_EQ(mask.At(2, 0), kBlack);
  EXPECT_EQ(mask.At(3, 0), kBlack);
}

TEST(Blit, MonoToColourUsesTheDestinationColours) {
  const std::uint8_t rows[] = {0x80, 0x00};  // 1 0
  HBITMAP bits = CreateBitmap(2, 1, 1, 1, rows);
  HDC src = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(src, bits);
  SetTextColor(src, kGreen);  // the source's colours play no part
  SetBkColor(src, RGB(255, 255, 0));
  MemSurface dst(2, 1);
  SetTextColor(dst.dc(), kRed);
  SetBkColor(dst.dc(), kBlue);
  ASSERT_TRUE(BitBlt(dst.dc(), 0, 0, 2, 1, src, 0, 0, SRCCOPY));
  EXPECT_EQ(dst.At(0, 0), kBlue);  // 1 -> destination background
  EXPECT_EQ(dst.At(1, 0), kRed);   // 0 -> destination text colour
  SelectObject(src, old);
  DeleteDC(src);
  DeleteObject(bits);
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

// The slider thumb's transparent drawing: a mask from the key colour at (0, 0), the thumb's
// transparent pixels blackened through the mask, then SRCAND of the mask and SRCPAINT of the thumb
// onto a background.
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
  EXPECT_EQ(thumb.At(0, 0), kBlack);
  EXPECT_EQ(thumb.At(1, 1), ink);

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
  HRGN clip = CreateRectRgn(0, 0, 2, 4);
  SelectClipRgn(dst.dc(), clip);
  DeleteObject(clip);  // the DC keeps its own copy
  ASSERT_TRUE(BitBlt(dst.dc(), -1, 1, 10, 10, src.dc(), 0, 0, SRCCOPY));
  EXPECT_EQ(dst.At(0, 1), kRed);
  EXPECT_EQ(dst.At(1, 3), kRed);
  EXPECT_EQ(dst.At(0, 0), kWhite);
  SelectClipRgn(dst.dc(), nullptr);
  EXPECT_EQ(dst.At(2, 2), kWhite);
  // Only source pixels that exist are copied: column 0 would need source x = -1.
  dst.Fill(kWhite);
  BitBlt(dst.dc(), 0, 0, 4, 4, src.dc(), -1, 0, SRCCOPY);
  EXPECT_EQ(dst.At(0, 0), kWhite);
  EXPECT_EQ(dst.At(1, 0), kRed);
}

TEST(Blit, OverlappingCopyWithinOneBitmap) {
  MemSurface s(4, 1);
  for (int x = 0; x < 4; ++x) SetPixel(s.dc(), x, 0, RGB(x * 10, 0, 0));
  BitBlt(s.dc(), 1, 0, 3, 1, s.dc(), 0, 0, SRCCOPY);
  EXPECT_EQ(s.At(1, 0), RGB(0, 0, 0));
  EXPECT_EQ(s.At(2, 0), RGB(10, 0, 0));
  EXPECT_EQ(s.At(3, 0), RGB(20, 0, 0));
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
  EXPECT_EQ(big.At(0, 0), kBlack);
  EXPECT_EQ(big.At(7, 0), kWhite);
  const BYTE mid = GetRValue(big.At(4, 0));
  EXPECT_GT(mid, 0);
  EXPECT_LT(mid, 255);
  EXPECT_LT(GetRValue(big.At(3, 0)), mid);
}

TEST(StretchBlt, OppositeSignsMirror) {
  MemSurface src(3, 1), dst(3, 1);
  for (int x = 0; x < 3; ++x) SetPixel(src.dc(), x, 0, RGB(x * 100, 0, 0));
  ASSERT_TRUE(StretchBlt(dst.dc(), 3, 0, -3, 1, src.dc(), 0, 0, 3, 1, SRCCOPY));  // [0, 3)
  EXPECT_EQ(dst.At(0, 0), RGB(200, 0, 0));
  EXPECT_EQ(dst.At(2, 0), RGB(0, 0, 0));
  // Equal negative extents on both sides copy without mirroring.
  dst.Fill(kWhite);
  ASSERT_TRUE(BitBlt(dst.dc(), 3, 1, -2, -1, src.dc(), 3, 1, SRCCOPY));
  EXPECT_EQ(dst.At(0, 0), kWhite);
  EXPECT_EQ(dst.At(1, 0), RGB(100, 0, 0));
  EXPECT_EQ(dst.At(2, 0), RGB(200, 0, 0));
}

TEST(StretchBlt, BlackOnWhiteKeepsBlackWhenShrinking) {
  MemSurface src(4, 1), dst(2, 1), cc(2, 1);
  src.Fill(kWhite);
  SetPixel(src.dc(), 1, 0, kBlack);
  StretchBlt(dst.dc(), 0, 0, 2, 1, src.dc(), 0, 0, 4, 1, SRCCOPY);  // default BLACKONWHITE
  EXPECT_EQ(dst.At(0, 0), kBlack);
  EXPECT_EQ(dst.At(1, 0), kWhite);
  SetStretchBltMode(cc.dc(), COLORONCOLOR);
  StretchBlt(cc.dc(), 0, 0, 2, 1, src.dc(), 0, 0, 4, 1, SRCCOPY);
  EXPECT_EQ(cc.At(0, 0), kWhite);  // the dropped column goes
}

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
  EXPECT_EQ(s.At(3, 3), kWhite);
  EXPECT_EQ(s.At(6, 6), kBlack);

  // A diagonal: one pixel per step, the end left out.
  s.Fill(kWhite);
  MoveToEx(s.dc(), 0, 0, nullptr);
  LineTo(s.dc(), 3, 3);
  EXPECT_EQ(s.At(2, 2), kBlack);
  EXPECT_EQ(s.At(3, 3), kWhite);
}

TEST(Drawing, FillRectIsHalfOpenAndEmptyDrawsNothing) {
  MemSurface s(4, 4);
  s.Fill(kWhite);
  s.Fill(RECT{1, 1, 3, 2}, kRed);
  EXPECT_EQ(s.At(1, 1), kRed);
  EXPECT_EQ(s.At(2, 1), kRed);
  EXPECT_EQ(s.At(3, 1), kWhite);
  EXPECT_EQ(s.At(1, 2), kWhite);
  s.Fill(RECT{2, 2, 2, 4}, kRed);
  s.Fill(RECT{3, 3, 1, 1}, kRed);
  EXPECT_EQ(s.At(2, 2), kWhite);
  EXPECT_EQ(s.At(2, 3), kWhite);
}

TEST(Drawing, FillRgnTakesLogicalCoordinatesAndTheClip) {
  MemSurface s(6, 6);
  s.Fill(kWhite);
  SetWindowOrgEx(s.dc(), 1, 1, nullptr);
  IntersectClipRect(s.dc(), 1, 1, 4, 7);  // device columns 0..2
  HRGN rgn = CreateRectRgn(2, 2, 6, 4);   // device (1, 1) to (5, 3)
  HBRUSH red = CreateSolidBrush(kRed);
  ASSERT_TRUE(FillRgn(s.dc(), rgn, red));
  SetWindowOrgEx(s.dc(), 0, 0, nullptr);
  SelectClipRgn(s.dc(), nullptr);
  EXPECT_EQ(s.At(1, 1), kRed);
  EXPECT_EQ(s.At(2, 2), kRed);
  EXPECT_EQ(s.At(3, 1), kWhite);  // clipped
  EXPECT_EQ(s.At(1, 3), kWhite);  // outside the region
  EXPECT_EQ(s.At(0, 0), kWhite);
  DeleteObject(red);
  DeleteObject(rgn);
}

TEST(Drawing, GetPixelOutsideTheClipIsInvalid) {
  MemSurface s(4, 4);
  s.Fill(kBlue);
  EXPECT_EQ(s.At(3, 3), kBlue);
  EXPECT_EQ(s.At(4, 0), CLR_INVALID);
  EXPECT_EQ(s.At(-1, 0), CLR_INVALID);
  IntersectClipRect(s.dc(), 0, 0, 2, 2);
  EXPECT_EQ(s.At(1, 1), kBlue);
  EXPECT_EQ(s.At(2, 1), CLR_INVALID);
  EXPECT_EQ(SetPixel(s.dc(), 3, 3, kRed), CLR_INVALID);
  RECT box;
  EXPECT_EQ(GetClipBox(s.dc(), &box), SIMPLEREGION);
  EXPECT_EQ(box.right, 2);
  ExcludeClipRect(s.dc(), 0, 0, 1, 1);
  EXPECT_EQ(s.At(0, 0), CLR_INVALID);
  EXPECT_EQ(s.At(1, 0), kBlue);
}

TEST(DeviceContext, WindowOriginShiftsLogicalCoordinates) {
  MemSurface s(6, 6);
  s.Fill(kWhite);
  POINT old{-1, -1};
  ASSERT_TRUE(SetWindowOrgEx(s.dc(), 10, 20, &old));
  EXPECT_EQ(old.x, 0);
  s.Fill(RECT{10, 20, 12, 22}, kRed);
  EXPECT_EQ(s.At(10, 20), kRed);
  EXPECT_EQ(s.At(11, 21), kRed);
  EXPECT_EQ(s.At(12, 22), kWhite);
  RECT box;
  GetClipBox(s.dc(), &box);
  EXPECT_EQ(box.left, 10);
  EXPECT_EQ(box.bottom, 26);
  POINT p{10, 20};
  LPtoDP(s.dc(), &p, 1);
  EXPECT_EQ(p.x, 0);
  EXPECT_EQ(p.y, 0);
  SetWindowOrgEx(s.dc(), 0, 0, nullptr);
  EXPECT_EQ(s.At(0, 0), kRed);
  EXPECT_EQ(s.At(2, 2), kWhite);
}

TEST(SurfaceDc, DrawsAtItsOriginInsideTheSystemClip) {
  HBITMAP fb = gdi::CreateFramebuffer(20, 20);
  HRGN sys = CreateRectRgn(5, 5, 10, 10);
  HDC dc = gdi::CreateSurfaceDC(fb, POINT{5, 5}, sys);
  DeleteObject(sys);
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(GetObjectType(dc), OBJ_DC);
  HBRUSH red = CreateSolidBrush(kRed);
  RECT all{-100, -100, 100, 100};
  FillRect(dc, &all, red);
  gdi::PixelBuffer buf;
  ASSERT_TRUE(gdi::GetPixelBuffer(fb, &buf));
  auto at = [&](int x, int y) { return buf.pixels[y * buf.stride + x]; };
  EXPECT_EQ(at(5, 5), 0xFF0000u);
  EXPECT_EQ(at(9, 9), 0xFF0000u);
  EXPECT_EQ(at(10, 9), 0u);
  EXPECT_EQ(at(4, 5), 0u);
  EXPECT_EQ(GetPixel(dc, 0, 0), kRed);  // device (0, 0) is target (5, 5)
  EXPECT_EQ(GetPixel(dc, 5, 0), CLR_INVALID);
  // A program clip works in device coordinates, inside the system clip.
  HRGN own = CreateRectRgn(2, 2, 20, 20);
  SelectClipRgn(dc, own);
  DeleteObject(own);
  HBRUSH blue = CreateSolidBrush(kBlue);
  FillRect(dc, &all, blue);
  EXPECT_EQ(at(7, 7), 0x0000FFu);
  EXPECT_EQ(at(6, 6), 0xFF0000u);
  EXPECT_EQ(at(12, 12), 0u);
  // A surface DC cannot take a bitmap.
  HBITMAP other = CreateCompatibleBitmap(nullptr, 2, 2);
  EXPECT_EQ(SelectObject(dc, other), nullptr);
  gdi::SetSurfaceClip(dc, nullptr);
  RECT box;
  GetClipBox(dc, &box);
  EXPECT_EQ(box.left, 2);
  EXPECT_EQ(box.right, 15);
  DeleteObject(other);
  DeleteObject(red);
  DeleteObject(blue);
  DeleteDC(dc);
  DeleteObject(fb);
}

TEST(Handles, StaleAndMisusedHandlesFailCleanly) {
  HDC a = CreateCompatibleDC(nullptr);
  HDC b = CreateCompatibleDC(nullptr);
  HBITMAP bm = CreateCompatibleBitmap(nullptr, 2, 2);
  HGDIOBJ old = SelectObject(a, bm);
  ASSERT_NE(old, nullptr);
  EXPECT_EQ(SelectObject(b, bm), nullptr);  // already in another DC
  EXPECT_FALSE(DeleteObject(bm));           // still selected
  EXPECT_EQ(SelectObject(a, old), bm);
  EXPECT_NE(SelectObject(b, bm), nullptr);  // free again
  EXPECT_TRUE(DeleteDC(b));                 // deleting the DC lets the bitmap go
  EXPECT_TRUE(DeleteObject(bm));
  EXPECT_FALSE(DeleteObject(bm));
  EXPECT_EQ(SelectObject(a, bm), nullptr);
  BITMAP info;
  EXPECT_EQ(GetObjectW(bm, sizeof info, &info), 0);

  EXPECT_TRUE(DeleteDC(a));
  EXPECT_FALSE(DeleteDC(a));
  EXPECT_EQ(GetTextColor(a), CLR_INVALID);
  EXPECT_EQ(GetPixel(a, 0, 0), CLR_INVALID);
  EXPECT_FALSE(BitBlt(a, 0, 0, 1, 1, a, 0, 0, SRCCOPY));
  EXPECT_EQ(CreateCompatibleDC(a), nullptr);
  EXPECT_EQ(GetObjectType(a), 0u);
  RECT r{0, 0, 1, 1};
  EXPECT_EQ(FillRect(a, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))), 0);

  // A handle of the wrong kind is refused.
  HRGN rgn = CreateRectRgn(0, 0, 1, 1);
  EXPECT_EQ(GetPixel(reinterpret_cast<HDC>(rgn), 0, 0), CLR_INVALID);
  DeleteObject(rgn);

  // Stock objects survive attempts to delete them.
  HGDIOBJ black = GetStockObject(BLACK_BRUSH);
  EXPECT_TRUE(DeleteObject(black));
  EXPECT_EQ(GetObjectType(black), OBJ_BRUSH);
  EXPECT_EQ(GetStockObject(99), nullptr);
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
  HRGN big = CreateRoundRectRgn(kMin, kMin, kMax, kMax, kMax, kMax);
  EXPECT_NE(big, nullptr);
  DeleteObject(big);
  EXPECT_TRUE(StretchBlt(s.dc(), kMin, kMin, 3, 3, s.dc(), 0, 0, 2, 2, SRCCOPY));
  EXPECT_FALSE(StretchBlt(s.dc(), 0, 0, kMax, 3, s.dc(), 0, 0, 2, 2, SRCCOPY));
}

TEST(Handles, SelectedBrushIsDeletedWhenReleased) {
  HDC dc = CreateCompatibleDC(nullptr);
  HBRUSH br = CreateSolidBrush(kRed);
  HGDIOBJ old = SelectObject(dc, br);
  EXPECT_TRUE(DeleteObject(br));
  EXPECT_EQ(GetObjectType(br), OBJ_BRUSH);  // kept while selected
  SelectObject(dc, old);
  EXPECT_EQ(GetObjectType(br), 0u);
  DeleteDC(dc);
}

}  // namespace
