// Device contexts: a new memory DC, its bitmaps, its origin, and window surface contexts.
#include <gtest/gtest.h>

#include "gdi_test_util.h"

namespace {

using namespace gdi_test;

TEST(DeviceContext, FreshMemoryDcHasWindowsDefaults) {
  Dc dc(CreateCompatibleDC(nullptr));
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
}

TEST(DeviceContext, CompatibleBitmapOfAMemoryDcIsMonochrome) {
  Bitmap fb(gdi::CreateFramebuffer(4, 4));
  Dc mem(CreateCompatibleDC(nullptr));
  Dc surface(gdi::CreateSurfaceDC(fb, POINT{0, 0}, nullptr));
  BITMAP bm{};
  Bitmap a(CreateCompatibleBitmap(mem, 8, 2));
  GetObjectW(a, sizeof bm, &bm);
  EXPECT_EQ(bm.bmBitsPixel, 1);
  EXPECT_EQ(bm.bmWidthBytes, 2);
  Bitmap b(CreateCompatibleBitmap(surface, 8, 2));
  GetObjectW(b, sizeof bm, &bm);
  EXPECT_EQ(bm.bmBitsPixel, 32);
  Bitmap c(CreateCompatibleBitmap(nullptr, 8, 2));
  GetObjectW(c, sizeof bm, &bm);
  EXPECT_EQ(bm.bmBitsPixel, 32);
  EXPECT_EQ(bm.bmWidthBytes, 32);
  // Once a colour bitmap is selected, the memory DC makes colour bitmaps.
  Selection colour(mem, c);
  Bitmap d(CreateCompatibleBitmap(mem, 3, 3));
  GetObjectW(d, sizeof bm, &bm);
  EXPECT_EQ(bm.bmBitsPixel, 32);
}

TEST(DeviceContext, WindowOriginShiftsLogicalCoordinates) {
  MemSurface s(6, 6);
  s.Fill(kWhite);
  POINT old{-1, -1};
  ASSERT_TRUE(SetWindowOrgEx(s.dc(), 10, 20, &old));
  EXPECT_EQ(old.x, 0);
  s.Fill(RECT{10, 20, 12, 22}, kRed);
  ExpectPixels(s, {{10, 20, kRed}, {11, 21, kRed}, {12, 22, kWhite}});
  RECT box;
  GetClipBox(s.dc(), &box);
  EXPECT_EQ(box.left, 10);
  EXPECT_EQ(box.bottom, 26);
  POINT p{10, 20};
  LPtoDP(s.dc(), &p, 1);
  EXPECT_EQ(p.x, 0);
  EXPECT_EQ(p.y, 0);
  SetWindowOrgEx(s.dc(), 0, 0, nullptr);
  ExpectPixels(s, {{0, 0, kRed}, {2, 2, kWhite}});
}

TEST(SurfaceDc, DrawsAtItsOriginInsideTheSystemClip) {
  Bitmap fb(gdi::CreateFramebuffer(20, 20));
  Region sys(CreateRectRgn(5, 5, 10, 10));
  Dc dc(gdi::CreateSurfaceDC(fb, POINT{5, 5}, sys));
  DeleteObject(sys.release());  // the DC keeps its own copy
  ASSERT_NE(dc.get(), nullptr);
  EXPECT_EQ(GetObjectType(dc), OBJ_DC);
  Brush red(CreateSolidBrush(kRed));
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
  Region own(CreateRectRgn(2, 2, 20, 20));
  SelectClipRgn(dc, own);
  DeleteObject(own.release());
  Brush blue(CreateSolidBrush(kBlue));
  FillRect(dc, &all, blue);
  EXPECT_EQ(at(7, 7), 0x0000FFu);
  EXPECT_EQ(at(6, 6), 0xFF0000u);
  EXPECT_EQ(at(12, 12), 0u);
  // A surface DC cannot take a bitmap.
  Bitmap other(CreateCompatibleBitmap(nullptr, 2, 2));
  EXPECT_EQ(SelectObject(dc, other), nullptr);
  gdi::SetSurfaceClip(dc, nullptr);
  RECT box;
  GetClipBox(dc, &box);
  EXPECT_EQ(box.left, 2);
  EXPECT_EQ(box.right, 15);
}

}  // namespace
