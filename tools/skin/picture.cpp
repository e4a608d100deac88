#include "picture.h"

#include <algorithm>
#include <stdexcept>

namespace skin {

Surface::Surface(int width, int height)
    : width_(width),
      height_(height),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      cr_(cairo_create(surface_.get())) {
  if (cairo_surface_status(surface_.get()) != CAIRO_STATUS_SUCCESS) {
    throw std::runtime_error("cannot create a drawing surface");
  }
}

void Surface::begin_raw() {
  cairo_surface_flush(surface_.get());
}
void Surface::end_raw() {
  cairo_surface_mark_dirty(surface_.get());
}

std::uint32_t Surface::pixel(int x, int y) const {
  const unsigned char* data = cairo_image_surface_get_data(surface_.get());
  const int stride = cairo_image_surface_get_stride(surface_.get());
  return *reinterpret_cast<const std::uint32_t*>(data + y * stride + x * 4);
}

void Surface::set_pixel(int x, int y, std::uint32_t argb) {
  unsigned char* data = cairo_image_surface_get_data(surface_.get());
  const int stride = cairo_image_surface_get_stride(surface_.get());
  *reinterpret_cast<std::uint32_t*>(data + y * stride + x * 4) = argb;
}

Picture::Picture(int width, int height, Rgb fill)
    : width_(width), height_(height), px_(static_cast<std::size_t>(width) * height, fill) {}

Picture Picture::crop(int x, int y, int width, int height) const {
  Picture out(width, height, Rgb{0, 0, 0});
  for (int j = 0; j < height; ++j) {
    for (int i = 0; i < width; ++i) {
      const int sx = std::clamp(x + i, 0, width_ - 1);
      const int sy = std::clamp(y + j, 0, height_ - 1);
      out.at(i, j) = at(sx, sy);
    }
  }
  return out;
}

std::pair<int, int> Picture::row_extent(int y) const {
  int first = 0;
  while (first < width_ && at(first, y) == kOutside) ++first;
  int last = width_ - 1;
  while (last >= 0 && at(last, y) == kOutside) --last;
  return {first, last};
}

void Picture::blit_shaped(const Picture& src, int x, int y) {
  for (int j = 0; j < src.height(); ++j) {
    const auto [first, last] = src.row_extent(j);
    for (int i = first; i <= last; ++i) {
      const int dx = x + i, dy = y + j;
      if (dx >= 0 && dy >= 0 && dx < width_ && dy < height_) at(dx, dy) = src.at(i, j);
    }
  }
}

void Picture::blit_keyed(const Picture& src, int x, int y, Rgb key) {
  for (int j = 0; j < src.height(); ++j) {
    for (int i = 0; i < src.width(); ++i) {
      const int dx = x + i, dy = y + j;
      if (src.at(i, j) == key) continue;
      if (dx >= 0 && dy >= 0 && dx < width_ && dy < height_) at(dx, dy) = src.at(i, j);
    }
  }
}

Surface Picture::to_surface() const {
  Surface s(width_, height_);
  s.begin_raw();
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      const Rgb c = at(x, y);
      s.set_pixel(x, y, 0xFF000000u | (c.r << 16) | (c.g << 8) | c.b);
    }
  }
  s.end_raw();
  return s;
}

namespace {

std::uint8_t channel(std::uint32_t argb, int shift) {
  return (argb >> shift) & 0xFF;
}

// Colour of one content pixel over the background (or unpremultiplied when there is none).
Rgb composite(std::uint32_t argb, const Picture* background, int x, int y) {
  const int a = channel(argb, 24);
  const int r = channel(argb, 16), g = channel(argb, 8), b = channel(argb, 0);
  if (background) {
    const Rgb under = background->at(x, y);
    auto mix = [a](int premul, int base) {
      return static_cast<std::uint8_t>(std::min(255, premul + (base * (255 - a) + 127) / 255));
    };
    return {mix(r, under.r), mix(g, under.g), mix(b, under.b)};
  }
  if (a == 0) return {0, 0, 0};
  auto unmul = [a](int premul) {
    return static_cast<std::uint8_t>(std::min(255, (premul * 255 + a / 2) / a));
  };
  return {unmul(r), unmul(g), unmul(b)};
}

// Inside the shape nothing may be taken for the outside marker (each channel within 2 of 255).
Rgb away_from_white(Rgb c) {
  if (c.r >= 253 && c.g >= 253 && c.b >= 253) return {252, 252, 252};
  return c;
}

}  // namespace

Picture flatten(const Surface& content, const FlattenOptions& options) {
  const Surface& shape = options.shape ? *options.shape : content;
  const int w = content.width(), h = content.height();
  Picture out(w, h);
  auto inside = [&](int x, int y) { return channel(shape.pixel(x, y), 24) >= 128; };
  for (int y = 0; y < h; ++y) {
    int first = 0;
    while (first < w && !inside(first, y)) ++first;
    int last = w - 1;
    while (last >= first && !inside(last, y)) --last;
    for (int x = first; x <= last; ++x) {
      out.at(x, y) = away_from_white(composite(content.pixel(x, y), options.background, x, y));
    }
  }
  return out;
}

Picture flatten_opaque(const Surface& content, const Picture* background) {
  const int w = content.width(), h = content.height();
  Picture black(w, h, Rgb{0, 0, 0});
  const Picture* under = background ? background : &black;
  Picture out(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) out.at(x, y) = composite(content.pixel(x, y), under, x, y);
  }
  return out;
}

}  // namespace skin
