#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "gdi_test_util.h"
#include "resource.h"
#include "wingdi.h"

namespace {

void Put16(std::vector<std::uint8_t>& v, std::size_t at, std::uint32_t x) {
  v[at] = x & 0xFF;
  v[at + 1] = (x >> 8) & 0xFF;
}
void Put32(std::vector<std::uint8_t>& v, std::size_t at, std::uint32_t x) {
  for (int i = 0; i < 4; ++i) v[at + i] = (x >> (8 * i)) & 0xFF;
}

// A BMP of `w` x `h` (negative: top-down) at `bpp`; paletted ones are a grey ramp of x + y.
template <typename F>
std::vector<std::uint8_t> MakeBmp(int w, int h, int bpp, F colour) {
  const int rows = h < 0 ? -h : h;
  const int palette = bpp <= 8 ? (1 << bpp) : 0;
  const std::size_t stride = ((static_cast<std::size_t>(w) * bpp + 31) / 32) * 4;
  const std::size_t offset = 14 + 40 + palette * 4;
  std::vector<std::uint8_t> f(offset + stride * rows, 0);
  f[0] = 'B';
  f[1] = 'M';
  Put32(f, 2, static_cast<std::uint32_t>(f.size()));
  Put32(f, 10, static_cast<std::uint32_t>(offset));
  Put32(f, 14, 40);
  Put32(f, 18, static_cast<std::uint32_t>(w));
  Put32(f, 22, static_cast<std::uint32_t>(h));
  Put16(f, 26, 1);
  Put16(f, 28, bpp);
  for (int i = 0; i < palette; ++i) {
    const std::uint8_t g = static_cast<std::uint8_t>(i * 255 / (palette - 1));
    f[54 + i * 4] = f[55 + i * 4] = f[56 + i * 4] = g;
  }
  for (int y = 0; y < rows; ++y) {
    const int stored = h < 0 ? y : rows - 1 - y;
    std::uint8_t* row = f.data() + offset + stride * stored;
    for (int x = 0; x < w; ++x) {
      if (bpp >= 24) {
        const std::uint32_t c = colour(x, y);
        std::uint8_t* p = row + x * (bpp / 8);
        p[0] = c & 0xFF;
        p[1] = (c >> 8) & 0xFF;
        p[2] = (c >> 16) & 0xFF;
      } else {
        const int index = (x + y) % palette;
        const int bit = x * bpp;
        row[bit / 8] |= static_cast<std::uint8_t>(index << (8 - bpp - bit % 8));
      }
    }
  }
  return f;
}

std::uint32_t Pattern(int x, int y) {
  return (x * 40) << 16 | (y * 70) << 8 | 0x11;
}

// Reads the decoded pixels back through a memory DC.
std::vector<COLORREF> Pixels(HBITMAP bm, int w, int h) {
  std::vector<COLORREF> out;
  gdi_test::Dc dc(CreateCompatibleDC(nullptr));
  gdi_test::Selection selected(dc, bm);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) out.push_back(GetPixel(dc, x, y));
  return out;
}

COLORREF Ref(std::uint32_t rgb) {
  return RGB(rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

TEST(BmpDecoding, BottomUpAndTopDownWithRowPadding) {
  for (int bpp : {24, 32}) {
    for (int sign : {1, -1}) {
      const auto file = MakeBmp(3, 2 * sign, bpp, Pattern);  // 3 px of 24 bits: padded rows
      gdi_test::Bitmap bm(gdi::DecodeBitmap(file.data(), file.size()));
      ASSERT_NE(bm.get(), nullptr) << bpp << " " << sign;
      BITMAP info{};
      GetObjectW(bm, sizeof info, &info);
      EXPECT_EQ(info.bmWidth, 3);
      EXPECT_EQ(info.bmHeight, 2);
      EXPECT_EQ(info.bmWidthBytes, 12);
      EXPECT_EQ(info.bmBitsPixel, 32);
      const auto px = Pixels(bm, 3, 2);
      for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(px[y * 3 + x], Ref(Pattern(x, y))) << x << "," << y;
      EXPECT_TRUE(DeleteObject(bm.release()));
    }
  }
}

TEST(BmpDecoding, PalettedPictures) {
  const auto file = MakeBmp(5, 2, 8, Pattern);
  gdi_test::Bitmap bm(gdi::DecodeBitmap(file.data(), file.size()));
  ASSERT_NE(bm.get(), nullptr);
  const auto px = Pixels(bm, 5, 2);
  EXPECT_EQ(px[0], RGB(0, 0, 0));
  EXPECT_EQ(px[5 + 4], RGB(5, 5, 5));  // index 5 of a 256-entry grey ramp
  const auto mono = MakeBmp(9, 1, 1, Pattern);
  gdi_test::Bitmap monoBm(gdi::DecodeBitmap(mono.data(), mono.size()));
  ASSERT_NE(monoBm.get(), nullptr);
  const auto bits = Pixels(monoBm, 9, 1);
  EXPECT_EQ(bits[0], RGB(0, 0, 0));
  EXPECT_EQ(bits[1], RGB(255, 255, 255));
  EXPECT_EQ(bits[8], RGB(0, 0, 0));
}

TEST(BmpDecoding, EveryTruncationFails) {
  const auto file = MakeBmp(7, 5, 24, Pattern);
  for (std::size_t n = 0; n < file.size(); ++n) {
    // A copy of exactly n bytes, so that reading past it is caught by the sanitizers.
    std::vector<std::uint8_t> cut(file.begin(), file.begin() + static_cast<long>(n));
    EXPECT_EQ(gdi::DecodeBitmap(cut.data(), cut.size()), nullptr) << n;
  }
  gdi_test::Bitmap whole(gdi::DecodeBitmap(file.data(), file.size()));
  EXPECT_NE(whole.get(), nullptr);
}

TEST(BmpDecoding, WrongAndAbsurdHeadersFail) {
  const auto good = MakeBmp(4, 4, 24, Pattern);
  auto with = [&](std::size_t at, std::uint32_t v, int bytes = 4) {
    auto f = good;
    if (bytes == 4)
      Put32(f, at, v);
    else
      Put16(f, at, v);
    return gdi::DecodeBitmap(f.data(), f.size());
  };
  EXPECT_EQ(with(18, 0), nullptr);           // zero width
  EXPECT_EQ(with(22, 0), nullptr);           // zero height
  EXPECT_EQ(with(18, 0xFFFFFFFF), nullptr);  // negative width
  EXPECT_EQ(with(18, 1000000), nullptr);     // huge width, little data
  EXPECT_EQ(with(22, 0x80000000), nullptr);  // height that cannot be negated
  EXPECT_EQ(with(18, 30000), nullptr);       // plausible width, data far too short
  EXPECT_EQ(with(10, 0x7FFFFFF0), nullptr);  // pixel offset past the end
  EXPECT_EQ(with(10, 20), nullptr);          // pixel offset inside the header
  EXPECT_EQ(with(14, 12), nullptr);          // old core header
  EXPECT_EQ(with(14, 0xFFFFFF00), nullptr);  // header larger than the file
  EXPECT_EQ(with(28, 16, 2), nullptr);       // 16 bits per pixel
  EXPECT_EQ(with(26, 2, 2), nullptr);        // two planes
  EXPECT_EQ(with(30, 1), nullptr);           // run-length compressed
  auto paletted = MakeBmp(4, 4, 8, Pattern);
  Put32(paletted, 46, 100000);  // more palette entries than 8 bits can index
  EXPECT_EQ(gdi::DecodeBitmap(paletted.data(), paletted.size()), nullptr);
  const std::uint8_t junk[] = "BM this is not a picture at all, but long enough for headers....";
  EXPECT_EQ(gdi::DecodeBitmap(junk, sizeof junk), nullptr);
  EXPECT_EQ(gdi::DecodeBitmap(nullptr, 100), nullptr);
}

TEST(Resources, FindLoadLockAndStaleHandles) {
  const auto pic = MakeBmp(2, 3, 24, Pattern);
  static const unsigned char kText[] = "hello";
  const gdi::ResourceEntry table[] = {
      {RT_BITMAP_ID, 300, pic.data(), pic.size()},
      {RT_STRING_ID, 300, kText, 5},
      {RT_BITMAP_ID, 301, kText, 5},  // not a picture
  };
  const auto saved = gdi::GetResourceTable();
  gdi::SetResourceTable(table);

  HRSRC s = FindResourceW(nullptr, MAKEINTRESOURCEW(300), RT_STRING);
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(SizeofResource(nullptr, s), 5u);
  HGLOBAL g = LoadResource(nullptr, s);
  EXPECT_EQ(std::memcmp(LockResource(g), "hello", 5), 0);
  EXPECT_NE(FindResourceW(nullptr, L"#300", RT_BITMAP), nullptr);
  EXPECT_EQ(FindResourceW(nullptr, L"#30x", RT_BITMAP), nullptr);
  EXPECT_EQ(FindResourceW(nullptr, MAKEINTRESOURCEW(302), RT_BITMAP), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_RESOURCE_NOT_FOUND);

  gdi_test::Bitmap bm(LoadBitmapW(nullptr, MAKEINTRESOURCEW(300)));
  ASSERT_NE(bm.get(), nullptr);
  BITMAP info{};
  GetObjectW(bm, sizeof info, &info);
  EXPECT_EQ(info.bmHeight, 3);
  const HBITMAP deleted = bm.release();
  EXPECT_TRUE(DeleteObject(deleted));  // the decoded picture goes with its handle
  EXPECT_EQ(GetObjectType(deleted), 0u);
  EXPECT_EQ(LoadBitmapW(nullptr, MAKEINTRESOURCEW(301)), nullptr);
  EXPECT_EQ(LoadBitmapW(nullptr, MAKEINTRESOURCEW(999)), nullptr);

  // Handles from a table that has been replaced fail.
  gdi::SetResourceTable(saved);
  EXPECT_EQ(LockResource(g), nullptr);
  EXPECT_EQ(SizeofResource(nullptr, s), 0u);
  EXPECT_EQ(LoadResource(nullptr, nullptr), nullptr);
}

}  // namespace
