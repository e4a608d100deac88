#include "mask_helpers.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "png_writer.h"

namespace gdi::text::testing {

int InkPixels(const TextMask& mask, int x_begin, int x_end, int y_begin, int y_end) {
  if (y_end < 0) y_end = mask.height;
  x_begin = std::max(x_begin, 0);
  x_end = std::min(x_end, mask.width);
  y_begin = std::max(y_begin, 0);
  y_end = std::min(y_end, mask.height);
  int count = 0;
  for (int y = y_begin; y < y_end; ++y) {
    for (int x = x_begin; x < x_end; ++x) {
      if (mask.coverage[static_cast<std::size_t>(y) * mask.width + x] >= 128) ++count;
    }
  }
  return count;
}

long TotalCoverage(const TextMask& mask) {
  long sum = 0;
  for (std::uint8_t c : mask.coverage) sum += c;
  return sum;
}

std::pair<int, int> InkRows(const TextMask& mask) {
  int first = -1;
  int last = -1;
  for (int y = 0; y < mask.height; ++y) {
    for (int x = 0; x < mask.width; ++x) {
      if (mask.coverage[static_cast<std::size_t>(y) * mask.width + x] != 0) {
        if (first < 0) first = y;
        last = y;
        break;
      }
    }
  }
  if (first < 0) return {0, 0};
  return {first, last + 1};
}

std::string DumpIfAsked(const std::string& name, const TextMask& mask) {
  const char* dir = std::getenv("HALCYRA_TEXT_DUMP_DIR");
  if (dir == nullptr || *dir == '\0' || mask.width <= 0 || mask.height <= 0) return {};
  std::vector<std::uint32_t> pixels(mask.coverage.size());
  std::transform(mask.coverage.begin(), mask.coverage.end(), pixels.begin(),
                 [](std::uint8_t c) { return (std::uint32_t{c} * 0x010101u); });
  const std::string path = std::string(dir) + "/" + name + ".png";
  if (!base::WritePng(path, pixels.data(), mask.width, mask.height, mask.width)) return {};
  return path;
}

}  // namespace gdi::text::testing
