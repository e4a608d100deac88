#include "bmp_decoder.h"

#include "objects.h"

namespace gdi::detail {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitfields = 3;

std::uint32_t U16(const std::uint8_t* p) {
  return p[0] | (p[1] << 8);
}
std::uint32_t U32(const std::uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::int32_t S32(const std::uint8_t* p) {
  return static_cast<std::int32_t>(U32(p));
}

}  // namespace

std::optional<DecodedImage> DecodeBmp(std::span<const std::uint8_t> data) {
  const std::uint8_t* base = data.data();
  const std::size_t size = data.size();
  std::size_t header = 0;  // where the info header starts
  std::optional<std::uint64_t> bits_offset;
  if (size >= 2 && base[0] == 'B' && base[1] == 'M') {
    if (size < kFileHeaderSize) return std::nullopt;
    header = kFileHeaderSize;
    bits_offset = U32(base + 10);
  }
  if (size < header + 40) return std::nullopt;
  const std::uint8_t* info = base + header;
  const std::uint32_t info_size = U32(info);
  if (info_size < 40 || info_size > size - header) return std::nullopt;
  const std::int32_t width = S32(info + 4);
  const std::int32_t raw_height = S32(info + 8);
  const std::uint32_t planes = U16(info + 12);
  const std::uint32_t bpp = U16(info + 14);
  const std::uint32_t compression = U32(info + 16);
  const std::uint32_t colours_used = U32(info + 32);

  if (planes != 1 || width <= 0 || raw_height == 0 || raw_height == INT32_MIN) return std::nullopt;
  const bool top_down = raw_height < 0;
  const std::int32_t height = top_down ? -raw_height : raw_height;
  if (!SizeAllowed(width, height)) return std::nullopt;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32) return std::nullopt;

  std::uint64_t after_header = header + info_size;
  if (compression == kBiBitfields) {
    // Only the standard 8-8-8 layout of 32-bit pixels; the masks follow a plain info header.
    if (bpp != 32) return std::nullopt;
    const std::uint8_t* masks = info + 40;
    if (info_size == 40) {
      if (size < after_header + 12) return std::nullopt;
      after_header += 12;
    } else if (info_size < 52) {
      return std::nullopt;
    }
    if (U32(masks) != 0xFF0000 || U32(masks + 4) != 0xFF00 || U32(masks + 8) != 0xFF) {
      return std::nullopt;
    }
  } else if (compression != kBiRgb) {
    return std::nullopt;
  }

  // Palette of paletted pictures: B, G, R, 0 per entry.
  std::vector<std::uint32_t> palette;
  if (bpp <= 8) {
    const std::uint64_t max_entries = std::uint64_t{1} << bpp;
    const std::uint64_t entries = colours_used == 0 ? max_entries : colours_used;
    if (entries > max_entries || after_header + entries * 4 > size) return std::nullopt;
    palette.reserve(entries);
    for (std::uint64_t i = 0; i < entries; ++i) {
      const std::uint8_t* e = base + after_header + i * 4;
      palette.push_back((e[2] << 16) | (e[1] << 8) | e[0]);
    }
    after_header += entries * 4;
  }

  const std::uint64_t offset = bits_offset.value_or(after_header);
  if (offset < header + info_size) return std::nullopt;
  const std::uint64_t stride =
      ((std::uint64_t{static_cast<std::uint32_t>(width)} * bpp + 31) / 32) * 4;
  if (offset > size || stride * static_cast<std::uint64_t>(height) > size - offset) {
    return std::nullopt;
  }

  DecodedImage image;
  image.width = width;
  image.height = height;
  image.pixels.resize(static_cast<std::size_t>(width) * height);
  for (int row = 0; row < height; ++row) {
    const int src_row = top_down ? row : height - 1 - row;
    const std::uint8_t* in = base + offset + static_cast<std::uint64_t>(src_row) * stride;
    std::uint32_t* out = image.pixels.data() + static_cast<std::size_t>(row) * width;
    // One loop per depth: the skin alone has 432 000 pixels, and every paint of a control
    // decodes its picture.
    if (bpp == 24) {
      for (int x = 0; x < width; ++x, in += 3) out[x] = (in[2] << 16) | (in[1] << 8) | in[0];
    } else if (bpp == 32) {
      for (int x = 0; x < width; ++x, in += 4) out[x] = (in[2] << 16) | (in[1] << 8) | in[0];
    } else {
      for (int x = 0; x < width; ++x) {
        const std::size_t bit = static_cast<std::size_t>(x) * bpp;
        const std::uint32_t shift = 8 - bpp - (bit % 8);
        const std::uint32_t index = (in[bit / 8] >> shift) & ((1u << bpp) - 1);
        out[x] = index < palette.size() ? palette[index] : 0;  // out of range: black
      }
    }
  }
  return image;
}

}  // namespace gdi::detail
