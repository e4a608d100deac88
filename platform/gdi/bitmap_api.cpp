// Bitmaps: creation, reading their bits, and direct pixel access for the window system.
#include <algorithm>
#include <cstring>

#include "objects.h"
#include "surface.h"
#include "wingdi.h"

using namespace gdi::detail;

namespace {

int MonoRowBytes(int width) {
  return ((width + 15) / 16) * 2;
}

HBITMAP NewBitmap(int width, int height, bool mono) {
  if (!SizeAllowed(width, height)) return nullptr;
  Bitmap bm;
  bm.width = width;
  bm.height = height;
  bm.mono = mono;
  bm.pixels.assign(static_cast<std::size_t>(width) * height, 0);
  return static_cast<HBITMAP>(AddObject(std::move(bm)));
}

}  // namespace

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
  if (width < 0 || height < 0 || planes != 1) return nullptr;
  if (bitsPerPixel != 1 && bitsPerPixel != 32) return nullptr;
  if (width == 0 || height == 0) return DefaultBitmap();
  HBITMAP h = NewBitmap(width, height, bitsPerPixel == 1);
  if (!h || !bits) return h;
  Bitmap* bm = Lookup<Bitmap>(h);
  const auto* in = static_cast<const std::uint8_t*>(bits);
  if (bm->mono) {
    const int row_bytes = MonoRowBytes(width);
    for (int y = 0; y < height; ++y) {
      const std::uint8_t* row = in + static_cast<std::size_t>(y) * row_bytes;
      for (int x = 0; x < width; ++x) {
        const bool set = (row[x / 8] >> (7 - x % 8)) & 1;
        bm->pixels[static_cast<std::size_t>(y) * width + x] = set ? 0xFFFFFFu : 0u;
      }
    }
  } else {
    std::memcpy(bm->pixels.data(), in, bm->pixels.size() * 4);
    for (auto& p : bm->pixels) p &= 0xFFFFFF;
  }
  return h;
}

HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height) {
  if (width < 0 || height < 0) return nullptr;
  bool mono = false;
  if (hdc) {
    const DC* dc = Lookup<DC>(hdc);
    if (!dc) return nullptr;
    // A memory DC makes bitmaps like the one it holds: monochrome until a colour one is selected.
    if (!dc->surface) {
      const Bitmap* held = Lookup<Bitmap>(dc->bitmap);
      mono = !held || held->mono;
    }
  }
  if (width == 0 || height == 0) return DefaultBitmap();
  return NewBitmap(width, height, mono);
}

LONG GetBitmapBits(HBITMAP hbm, LONG bytes, LPVOID bits) {
  const Bitmap* bm = Lookup<Bitmap>(hbm);
  if (!bm) return 0;
  const std::size_t row_bytes = bm->mono ? MonoRowBytes(bm->width) : bm->width * 4u;
  const std::size_t total = row_bytes * bm->height;
  if (!bits) return static_cast<LONG>(total);
  if (bytes <= 0) return 0;
  const std::size_t want = std::min<std::size_t>(total, static_cast<std::size_t>(bytes));
  auto* out = static_cast<std::uint8_t*>(bits);
  if (!bm->mono) {
    std::memcpy(out, bm->pixels.data(), want);
    return static_cast<LONG>(want);
  }
  std::vector<std::uint8_t> packed(total, 0);
  for (int y = 0; y < bm->height; ++y) {
    for (int x = 0; x < bm->width; ++x) {
      if (bm->pixels[static_cast<std::size_t>(y) * bm->width + x]) {
        packed[y * row_bytes + x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
      }
    }
  }
  std::memcpy(out, packed.data(), want);
  return static_cast<LONG>(want);
}

namespace gdi {

bool GetPixelBuffer(HBITMAP bitmap, PixelBuffer* out) {
  Bitmap* bm = Lookup<Bitmap>(bitmap);
  if (!bm || bm->mono || !out) return false;
  out->pixels = bm->pixels.data();
  out->width = bm->width;
  out->height = bm->height;
  out->stride = bm->width;
  return true;
}

HBITMAP CreateFramebuffer(int width, int height) {
  return NewBitmap(width, height, false);
}

}  // namespace gdi
