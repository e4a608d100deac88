#include "png_writer.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <memory>
#include <vector>

namespace base {
namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

}  // namespace

bool WritePng(const std::string& path, const std::uint32_t* pixels, int width, int height,
              int stride, std::string* error) {
  auto fail = [error](const char* what) {
    if (error) *error = what;
    return false;
  };
  if (!pixels || width <= 0 || height <= 0 || stride < width) return fail("empty image");
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
  if (!file) return fail("cannot open the file for writing");

  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return fail("out of memory");
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    return fail("out of memory");
  }
  // Rows are converted before setjmp so that no object with a destructor lives across longjmp.
  std::vector<png_byte> rgb(static_cast<std::size_t>(width) * 3 * static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y) {
    const std::uint32_t* src = pixels + static_cast<std::ptrdiff_t>(y) * stride;
    png_byte* dst = rgb.data() + static_cast<std::size_t>(y) * width * 3;
    for (int x = 0; x < width; ++x) {
      dst[x * 3 + 0] = static_cast<png_byte>(src[x] >> 16);
      dst[x * 3 + 1] = static_cast<png_byte>(src[x] >> 8);
      dst[x * 3 + 2] = static_cast<png_byte>(src[x]);
    }
  }
  std::vector<png_bytep> rows(static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y) rows[y] = rgb.data() + static_cast<std::size_t>(y) * width * 3;

  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return fail("libpng failed to write the file");
  }
  png_init_io(png, file.get());
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  png_write_image(png, rows.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace base
