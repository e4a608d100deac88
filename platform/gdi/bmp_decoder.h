// Decoding of BMP pictures (as files, or as resources without the file header).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace gdi::detail {

struct DecodedImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, rows top first
};

// Uncompressed 24- and 32-bit pictures and 1-, 4- and 8-bit paletted ones, bottom-up or top-down.
// Anything malformed, truncated or absurdly large gives nothing; the input is never read out of
// bounds and nothing is allocated before the sizes have been checked against the data.
std::optional<DecodedImage> DecodeBmp(std::span<const std::uint8_t> data);

}  // namespace gdi::detail
