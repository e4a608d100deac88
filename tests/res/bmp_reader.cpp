#include "bmp_reader.h"

#include <fstream>

namespace res_test {

namespace {

std::uint32_t Le32(const std::vector<unsigned char>& b, std::size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) |
         (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
std::uint16_t Le16(const std::vector<unsigned char>& b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

std::optional<Bitmap> Fail(std::string* error, const std::string& why) {
  if (error) *error = why;
  return std::nullopt;
}

}  // namespace

std::optional<Bitmap> DecodeBmp(const std::vector<unsigned char>& bytes, std::string* error) {
  constexpr std::size_t kFileHeader = 14, kInfoHeader = 40;
  if (bytes.size() < kFileHeader + kInfoHeader) return Fail(error, "shorter than the headers");
  if (bytes[0] != 'B' || bytes[1] != 'M') return Fail(error, "no BM signature");
  if (Le32(bytes, 2) != bytes.size()) return Fail(error, "file size field does not match");
  const std::uint32_t offset = Le32(bytes, 10);
  if (Le32(bytes, 14) < kInfoHeader) return Fail(error, "info header too small");
  const auto width = static_cast<std::int32_t>(Le32(bytes, 18));
  const auto height = static_cast<std::int32_t>(Le32(bytes, 22));
  if (Le16(bytes, 26) != 1) return Fail(error, "planes is not 1");
  if (Le16(bytes, 28) != 24) return Fail(error, "not 24 bits per pixel");
  if (Le32(bytes, 30) != 0) return Fail(error, "compressed");
  if (width <= 0 || height == 0 || width > 10000 || height > 10000 || height < -10000) {
    return Fail(error, "implausible dimensions");
  }
  const bool bottom_up = height > 0;
  const int rows = bottom_up ? height : -height;
  const std::size_t row_bytes = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
  if (offset < kFileHeader + kInfoHeader || offset > bytes.size() ||
      bytes.size() - offset < row_bytes * rows) {
    return Fail(error, "pixel data outside the file");
  }
  Bitmap bmp;
  bmp.width = width;
  bmp.height = rows;
  bmp.pixels.resize(static_cast<std::size_t>(width) * rows);
  for (int y = 0; y < rows; ++y) {
    const std::size_t stored_row = bottom_up ? rows - 1 - y : y;
    const std::size_t base = offset + stored_row * row_bytes;
    for (int x = 0; x < width; ++x) {
      const std::size_t p = base + 3 * static_cast<std::size_t>(x);
      bmp.pixels[static_cast<std::size_t>(y) * width + x] =
          Rgb{bytes[p + 2], bytes[p + 1], bytes[p]};
    }
  }
  return bmp;
}

std::optional<std::vector<unsigned char>> ReadFileBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary | std::ios::ate);
  if (!file) return std::nullopt;
  const std::streamoff size = file.tellg();
  if (size < 0) return std::nullopt;
  std::vector<unsigned char> bytes(static_cast<std::size_t>(size));
  file.seekg(0);
  file.read(reinterpret_cast<char*>(bytes.data()), size);
  if (!file) return std::nullopt;
  return bytes;
}

std::pair<int, int> ShapeExtent(const Bitmap& bmp, int y) {
  int first = 0;
  while (first < bmp.width && IsKeyWhite(bmp.at(first, y))) ++first;
  int last = bmp.width - 1;
  while (last >= first && IsKeyWhite(bmp.at(last, y))) --last;
  return {first, last};
}

}  // namespace res_test
