// The reader behind the resource checks must itself reject what the program could not load.
#include <gtest/gtest.h>

#include "bmp_reader.h"

namespace res_test {
namespace {

void Put16(std::vector<unsigned char>& b, std::size_t at, std::uint16_t v) {
  b[at] = v & 0xFF;
  b[at + 1] = v >> 8;
}
void Put32(std::vector<unsigned char>& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = (v >> (8 * i)) & 0xFF;
}

// A 2 x 2 picture, rows padded from 6 to 8 bytes, stored bottom-up:
// top row red, green; bottom row blue, white.
std::vector<unsigned char> TwoByTwo(std::int32_t height = 2) {
  std::vector<unsigned char> b(54 + 16, 0);
  b[0] = 'B';
  b[1] = 'M';
  Put32(b, 2, static_cast<std::uint32_t>(b.size()));
  Put32(b, 10, 54);
  Put32(b, 14, 40);
  Put32(b, 18, 2);
  Put32(b, 22, static_cast<std::uint32_t>(height));
  Put16(b, 26, 1);
  Put16(b, 28, 24);
  const unsigned char first_row[6] = {0xFF, 0, 0, 0xFF, 0xFF, 0xFF};  // blue, white (BGR)
  const unsigned char second_row[6] = {0, 0, 0xFF, 0, 0xFF, 0};       // red, green
  std::copy(first_row, first_row + 6, b.begin() + 54);
  std::copy(second_row, second_row + 6, b.begin() + 62);
  return b;
}

TEST(BmpReader, DecodesBottomUpRowsWithPadding) {
  std::string error;
  const auto bmp = DecodeBmp(TwoByTwo(), &error);
  ASSERT_TRUE(bmp) << error;
  EXPECT_EQ(bmp->width, 2);
  EXPECT_EQ(bmp->height, 2);
  EXPECT_EQ(bmp->at(0, 0), (Rgb{255, 0, 0}));
  EXPECT_EQ(bmp->at(1, 0), (Rgb{0, 255, 0}));
  EXPECT_EQ(bmp->at(0, 1), (Rgb{0, 0, 255}));
  EXPECT_EQ(bmp->at(1, 1), (Rgb{255, 255, 255}));
}

TEST(BmpReader, TopDownRowsKeepTheirOrder) {
  const auto bmp = DecodeBmp(TwoByTwo(-2), nullptr);
  ASSERT_TRUE(bmp);
  EXPECT_EQ(bmp->at(0, 0), (Rgb{0, 0, 255}));
  EXPECT_EQ(bmp->at(0, 1), (Rgb{255, 0, 0}));
}

TEST(BmpReader, RejectsWhatIsNotAnUncompressed24BitBmp) {
  struct Case {
    const char* name;
    void (*spoil)(std::vector<unsigned char>&);
  };
  const Case cases[] = {
      {"signature", [](std::vector<unsigned char>& b) { b[1] = 'X'; }},
      {"32 bits", [](std::vector<unsigned char>& b) { Put16(b, 28, 32); }},
      {"8 bits", [](std::vector<unsigned char>& b) { Put16(b, 28, 8); }},
      {"run-length compressed", [](std::vector<unsigned char>& b) { Put32(b, 30, 1); }},
      {"two planes", [](std::vector<unsigned char>& b) { Put16(b, 26, 2); }},
      {"size field", [](std::vector<unsigned char>& b) { Put32(b, 2, 1000); }},
      {"truncated pixels",
       [](std::vector<unsigned char>& b) {
         b.resize(b.size() - 3);
         Put32(b, 2, static_cast<std::uint32_t>(b.size()));
       }},
      {"offset past the end", [](std::vector<unsigned char>& b) { Put32(b, 10, 500); }},
      {"zero width", [](std::vector<unsigned char>& b) { Put32(b, 18, 0); }},
      {"core header", [](std::vector<unsigned char>& b) { Put32(b, 14, 12); }},
  };
  for (const Case& c : cases) {
    auto bytes = TwoByTwo();
    c.spoil(bytes);
    std::string error;
    EXPECT_FALSE(DecodeBmp(bytes, &error)) << c.name;
    EXPECT_FALSE(error.empty()) << c.name;
  }
  EXPECT_FALSE(DecodeBmp({}, nullptr));
  EXPECT_FALSE(DecodeBmp({'B', 'M'}, nullptr));
}

TEST(BmpReader, ShapeExtentSkipsNearWhiteAtBothEnds) {
  Bitmap bmp;
  bmp.width = 5;
  bmp.height = 2;
  const Rgb w{255, 255, 255}, near{253, 254, 255}, dark{10, 10, 10}, light{252, 255, 255};
  bmp.pixels = {near, dark, w, light, w,   // row 0: white inside stays inside
                w,    w,    w, near,  w};  // row 1: all outside
  EXPECT_EQ(ShapeExtent(bmp, 0), (std::pair{1, 3}));
  const auto [first, last] = ShapeExtent(bmp, 1);
  EXPECT_GT(first, last);
}

}  // namespace
}  // namespace res_test
