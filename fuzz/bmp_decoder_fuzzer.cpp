// The BMP decoder on any bytes, as a file image or as a resource without the file header, and the
// bitmap object made from what it decodes.
#include <cstdint>
#include <span>

#include "bmp_decoder.h"
#include "fuzz_input.h"
#include "gdi_owners.h"
#include "resource.h"
#include "wingdi.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto image = gdi::detail::DecodeBmp(std::span(data, size));
  if (image) {
    fuzz::Check(image->width > 0 && image->height > 0, "a decoded picture has a size");
    fuzz::Check(image->pixels.size() == static_cast<std::size_t>(image->width) *
                                            static_cast<std::size_t>(image->height),
                "one pixel for every place");
    for (const std::uint32_t pixel : image->pixels) {
      fuzz::Check((pixel >> 24) == 0, "pixels are 0x00RRGGBB");
    }
  }

  const std::size_t objects = gdi::ObjectCount();
  {
    const gdi::UniqueBitmap bitmap(gdi::DecodeBitmap(data, size));
    fuzz::Check(static_cast<bool>(bitmap) == image.has_value(), "a bitmap exactly when decoded");
    if (bitmap) {
      BITMAP bm{};
      fuzz::Check(::GetObjectW(bitmap.get(), sizeof(bm), &bm) == sizeof(bm), "GetObject works");
      fuzz::Check(bm.bmWidth == image->width && bm.bmHeight == image->height,
                  "the bitmap has the decoded size");
    }
  }
  fuzz::Check(gdi::ObjectCount() == objects, "no bitmap is left behind");
  return 0;
}
