#include "bmp_writer.h"

#include <cstdint>
#include <fstream>
#include <stdexcept>

namespace skin {

namespace {

void put16(std::vector<unsigned char>& out, std::uint16_t v) {
  out.push_back(v & 0xFF);
  out.push_back(v >> 8);
}

void put32(std::vector<unsigned char>& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back((v >> (8 * i)) & 0xFF);
}

}  // namespace

std::vector<unsigned char> encode_bmp(const Picture& picture) {
  const std::uint32_t w = picture.width(), h = picture.height();
  const std::uint32_t row_bytes = (w * 3 + 3) & ~3u;
  const std::uint32_t image_bytes = row_bytes * h;
  constexpr std::uint32_t kHeaders = 14 + 40;
  constexpr std::uint32_t kPixelsPerMetre = 2835;  // 72 dots per inch

  std::vector<unsigned char> out;
  out.reserve(kHeaders + image_bytes);
  // File header.
  out.push_back('B');
  out.push_back('M');
  put32(out, kHeaders + image_bytes);
  put32(out, 0);
  put32(out, kHeaders);
  // Info header: positive height, so rows are stored bottom-up.
  put32(out, 40);
  put32(out, w);
  put32(out, h);
  put16(out, 1);
  put16(out, 24);
  put32(out, 0);  // no compression
  put32(out, image_bytes);
  put32(out, kPixelsPerMetre);
  put32(out, kPixelsPerMetre);
  put32(out, 0);
  put32(out, 0);
  for (std::uint32_t row = 0; row < h; ++row) {
    const int y = static_cast<int>(h - 1 - row);
    for (std::uint32_t x = 0; x < w; ++x) {
      const Rgb c = picture.at(static_cast<int>(x), y);
      out.push_back(c.b);
      out.push_back(c.g);
      out.push_back(c.r);
    }
    for (std::uint32_t pad = w * 3; pad < row_bytes; ++pad) out.push_back(0);
  }
  return out;
}

void write_file(const std::string& path, const std::vector<unsigned char>& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  if (!file) throw std::runtime_error("cannot write " + path);
}

}  // namespace skin
