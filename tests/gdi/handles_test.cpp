// Graphics handles: stale, misused or still-selected ones, and when a deleted object goes.
#include <gtest/gtest.h>

#include "gdi_test_util.h"

namespace {

using namespace gdi_test;

TEST(Handles, StaleAndMisusedHandlesFailCleanly) {
  Bitmap bm(CreateCompatibleBitmap(nullptr, 2, 2));
  Dc a(CreateCompatibleDC(nullptr));
  Dc b(CreateCompatibleDC(nullptr));
  HGDIOBJ old = SelectObject(a, bm);
  ASSERT_NE(old, nullptr);
  EXPECT_EQ(SelectObject(b, bm), nullptr);  // already in another DC
  EXPECT_FALSE(DeleteObject(bm));           // still selected
  EXPECT_EQ(SelectObject(a, old), bm.get());
  EXPECT_NE(SelectObject(b, bm), nullptr);  // free again
  EXPECT_TRUE(DeleteDC(b.release()));       // deleting the DC lets the bitmap go
  const HBITMAP staleBitmap = bm.release();
  EXPECT_TRUE(DeleteObject(staleBitmap));
  EXPECT_FALSE(DeleteObject(staleBitmap));
  EXPECT_EQ(SelectObject(a, staleBitmap), nullptr);
  BITMAP info;
  EXPECT_EQ(GetObjectW(staleBitmap, sizeof info, &info), 0);

  const HDC staleDc = a.release();
  EXPECT_TRUE(DeleteDC(staleDc));
  EXPECT_FALSE(DeleteDC(staleDc));
  EXPECT_EQ(GetTextColor(staleDc), CLR_INVALID);
  EXPECT_EQ(GetPixel(staleDc, 0, 0), CLR_INVALID);
  EXPECT_FALSE(BitBlt(staleDc, 0, 0, 1, 1, staleDc, 0, 0, SRCCOPY));
  EXPECT_EQ(CreateCompatibleDC(staleDc), nullptr);
  EXPECT_EQ(GetObjectType(staleDc), 0u);
  RECT r{0, 0, 1, 1};
  EXPECT_EQ(FillRect(staleDc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))), 0);

  // A handle of the wrong kind is refused.
  Region rgn(CreateRectRgn(0, 0, 1, 1));
  EXPECT_EQ(GetPixel(reinterpret_cast<HDC>(rgn.get()), 0, 0), CLR_INVALID);

  // Stock objects survive attempts to delete them.
  HGDIOBJ black = GetStockObject(BLACK_BRUSH);
  EXPECT_TRUE(DeleteObject(black));
  EXPECT_EQ(GetObjectType(black), OBJ_BRUSH);
  EXPECT_EQ(GetStockObject(99), nullptr);
}

TEST(Handles, SelectedBrushIsDeletedWhenReleased) {
  Brush br(CreateSolidBrush(kRed));
  Dc dc(CreateCompatibleDC(nullptr));
  HGDIOBJ old = SelectObject(dc, br);
  const HBRUSH deleted = br.release();
  EXPECT_TRUE(DeleteObject(deleted));
  EXPECT_EQ(GetObjectType(deleted), OBJ_BRUSH);  // kept while selected
  SelectObject(dc, old);
  EXPECT_EQ(GetObjectType(deleted), 0u);
}

}  // namespace
