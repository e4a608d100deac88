// The two image types of the generator: a cairo drawing surface (with alpha) and the final opaque
// picture that becomes a BMP file, where pure white marks what lies outside a shaped window.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace skin {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

constexpr Rgb kOutside{255, 255, 255};

// A cairo ARGB32 surface with its context; starts fully transparent.
class Surface {
 public:
  Surface(int width, int height);
  Surface(Surface&&) noexcept = default;
  Surface& operator=(Surface&&) noexcept = default;

  int width() const { return width_; }
  int height() const { return height_; }
  cairo_t* cr() const { return cr_.get(); }
  cairo_surface_t* surface() const { return surface_.get(); }

  // Premultiplied pixel access (0xAARRGGBB); flushes/marks dirty around raw use.
  std::uint32_t pixel(int x, int y) const;
  void set_pixel(int x, int y, std::uint32_t argb);
  void begin_raw();
  void end_raw();

 private:
  struct SurfaceFree {
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
  };
  struct ContextFree {
    void operator()(cairo_t* c) const { cairo_destroy(c); }
  };
  int width_ = 0;
  int height_ = 0;
  std::unique_ptr<cairo_surface_t, SurfaceFree> surface_;
  std::unique_ptr<cairo_t, ContextFree> cr_;
};

// An opaque picture, top row first.
class Picture {
 public:
  Picture() = default;
  Picture(int width, int height, Rgb fill = kOutside);

  int width() const { return width_; }
  int height() const { return height_; }
  Rgb& at(int x, int y) { return px_[static_cast<std::size_t>(y) * width_ + x]; }
  const Rgb& at(int x, int y) const { return px_[static_cast<std::size_t>(y) * width_ + x]; }

  Picture crop(int x, int y, int width, int height) const;
  // Copies `src` onto this picture at (x, y), skipping what lies outside src's shape (the white
  // run at each end of each of its rows), as a shaped window would show it.
  void blit_shaped(const Picture& src, int x, int y);
  // Copies `src` at (x, y) treating pixels equal to `key` as transparent.
  void blit_keyed(const Picture& src, int x, int y, Rgb key);

  // Pixels inside the shape in each row: [first, last] non-white, or first > last when empty.
  std::pair<int, int> row_extent(int y) const;

  // Wraps this picture as an opaque cairo surface (for previews).
  Surface to_surface() const;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<Rgb> px_;
};

// How content drawn with alpha becomes an opaque picture.
struct FlattenOptions {
  // Background under the content (same size); null: edge pixels keep their own colour.
  const Picture* background = nullptr;
  // Surface whose alpha decides the shape; null: the content itself.
  const Surface* shape = nullptr;
};

// Composites `content`, cuts everything outside the shape at the ends of each row to pure white,
// and keeps every pixel inside the shape away from white, so only the row ends read as outside.
Picture flatten(const Surface& content, const FlattenOptions& options = {});

// An opaque picture over the whole rectangle (no cut-out), composited over `background` or black.
Picture flatten_opaque(const Surface& content, const Picture* background = nullptr);

}  // namespace skin
