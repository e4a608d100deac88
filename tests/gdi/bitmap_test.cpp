// Bitmaps: the byte layout of colour and monochrome bits as GetBitmapBits and CreateBitmap see it.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "gdi_test_util.h"

namespace {

using namespace gdi_test;

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
  Bitmap bm(CreateBitmap(3, 2, 1, 1, rows));
  std::uint8_t out[4] = {};
  EXPECT_EQ(GetBitmapBits(bm, 4, out), 4);
  EXPECT_EQ(std::memcmp(rows, out, 4), 0);
  Dc dc(CreateCompatibleDC(nullptr));
  Selection selected(dc, bm);
  EXPECT_EQ(GetPixel(dc, 0, 0), kWhite);
  EXPECT_EQ(GetPixel(dc, 1, 0), kBlack);
  EXPECT_EQ(GetPixel(dc, 1, 1), kWhite);
}

}  // namespace
