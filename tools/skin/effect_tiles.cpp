// The effect buttons: each pictogram on a dark tile (plain), on a lighter lit tile with an accent
// rim (lit, the selected look), and greyed.
#include <cmath>

#include "layout.h"
#include "paint.h"
#include "pictures.h"

namespace skin {

namespace {

constexpr double kRadius = 9;

void tile_shape(cairo_t* cr, int w, int h) {
  rounded_rect(cr, 0, 0, w, h, kRadius);
}

void plain_tile(cairo_t* cr, int w, int h) {
  tile_shape(cr, w, h);
  fill_vertical(cr, 0, h, hex(0x1B2542), hex(0x111830));
  rounded_rect(cr, 0.5, 0.5, w - 1, h - 1, kRadius - 0.5);
  set_colour(cr, hex(0x2A3859));
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  rounded_rect(cr, 1.5, 1.5, w - 3, h - 3, kRadius - 1.5);
  cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 0, 16);
  cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 1, 0.08);
  cairo_pattern_add_color_stop_rgba(p, 1, 1, 1, 1, 0);
  cairo_set_source(cr, p);
  cairo_stroke(cr);
  cairo_pattern_destroy(p);
}

void lit_tile(cairo_t* cr, int w, int h) {
  tile_shape(cr, w, h);
  fill_vertical(cr, 0, h, hex(0x34549E), hex(0x1F3270));
  cairo_save(cr);
  tile_shape(cr, w, h);
  cairo_clip(cr);
  glow(cr, w / 2.0, h / 2.0, 0, 30, palette::kAccentCyan, 0.28);
  // Inner glow along the rim.
  rounded_rect(cr, 0.5, 0.5, w - 1, h - 1, kRadius - 0.5);
  glow_stroke(cr, palette::kAccentCyan, 1.6, 7, 0.95);
  cairo_restore(cr);
  rounded_rect(cr, 2.5, 2.5, w - 5, h - 5, kRadius - 2.5);
  set_colour(cr, hex(0xFFFFFF), 0.10);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
}

Surface icon_layer(int k, int w, int h) {
  Surface icon(w, h);
  draw_effect_icon(icon.cr(), k, w / 2.0, h / 2.0);
  return icon;
}

Surface compose(int w, int h, bool lit, const Surface& icon) {
  Surface s(w, h);
  cairo_t* cr = s.cr();
  if (lit) {
    lit_tile(cr, w, h);
  } else {
    plain_tile(cr, w, h);
  }
  cairo_save(cr);
  tile_shape(cr, w, h);
  cairo_clip(cr);
  cairo_set_source_surface(cr, icon.surface(), 0, 0);
  cairo_paint(cr);
  cairo_restore(cr);
  return s;
}

// The grey picture: the plain tile drained of colour and dimmed, as for an unavailable effect.
Picture grey_of(const Picture& plain, const Picture& under) {
  Picture out = plain;
  for (int y = 0; y < out.height(); ++y) {
    const auto [first, last] = out.row_extent(y);
    for (int x = first; x <= last; ++x) {
      const Rgb g = greyed(out.at(x, y), 1.0);
      out.at(x, y) = mix(under.at(x, y), mix(g, hex(0x141A28), 0.35), 0.9);
    }
  }
  return out;
}

}  // namespace

void draw_effect_tiles(const Picture& skin, PictureSet& out) {
  const int h = layout::kEffectHeight;
  for (int k = 1; k <= layout::kEffectCount; ++k) {
    const int w = layout::effect_width(k);
    const Picture under = skin.crop(layout::effect_x(k), layout::effect_y(k), w, h);
    const Surface icon = icon_layer(k, w, h);
    const Surface plain = compose(w, h, false, icon);
    const Surface lit = compose(w, h, true, icon);
    FlattenOptions options{.background = &under, .shape = &plain};
    out[layout::effect_plain(k)] = flatten(plain, options);
    out[layout::effect_lit(k)] = flatten(lit, options);
    if (layout::effect_grey(k) != 0) {
      out[layout::effect_grey(k)] = grey_of(out[layout::effect_plain(k)], under);
    }
  }
}

}  // namespace skin
