// A strict reader for the pictures of res/: uncompressed 24-bit BMP files only.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace res_test {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

struct Bitmap {
  int width = 0;
  int height = 0;
  std::vector<Rgb> pixels;  // top row first
  const Rgb& at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// Decodes a whole file's bytes; on failure returns nothing and says why in `error`.
std::optional<Bitmap> DecodeBmp(const std::vector<unsigned char>& bytes, std::string* error);
std::optional<std::vector<unsigned char>> ReadFileBytes(const std::string& path);

// What a shaped window treats as outside: within 2 of white in every channel.
inline bool IsKeyWhite(Rgb c) {
  return c.r >= 253 && c.g >= 253 && c.b >= 253;
}

// Columns of the first and last pixel of row y that are not key white; first > last when the
// whole row is key white.
std::pair<int, int> ShapeExtent(const Bitmap& bmp, int y);

}  // namespace res_test
