#include "paint.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace skin {

Rgb mix(Rgb a, Rgb b, double t) {
  auto m = [t](int x, int y) {
    return static_cast<std::uint8_t>(std::clamp(std::lround(x + (y - x) * t), 0L, 255L));
  };
  return {m(a.r, b.r), m(a.g, b.g), m(a.b, b.b)};
}

Rgb hsv(double hue, double s, double v) {
  hue = std::fmod(std::fmod(hue, 360.0) + 360.0, 360.0);
  const double c = v * s;
  const double hp = hue / 60.0;
  const double x = c * (1 - std::fabs(std::fmod(hp, 2.0) - 1));
  double r = 0, g = 0, b = 0;
  if (hp < 1) {
    r = c, g = x;
  } else if (hp < 2) {
    r = x, g = c;
  } else if (hp < 3) {
    g = c, b = x;
  } else if (hp < 4) {
    g = x, b = c;
  } else if (hp < 5) {
    r = x, b = c;
  } else {
    r = c, b = x;
  }
  const double m = v - c;
  auto q = [m](double u) { return static_cast<std::uint8_t>(std::lround((u + m) * 255.0)); };
  return {q(r), q(g), q(b)};
}

Rgb greyed(Rgb c, double amount) {
  const auto l = static_cast<std::uint8_t>(std::lround(0.3 * c.r + 0.55 * c.g + 0.15 * c.b));
  return mix(c, Rgb{l, l, l}, amount);
}

void set_colour(cairo_t* cr, Rgb c, double alpha) {
  cairo_set_source_rgba(cr, c.r / 255.0, c.g / 255.0, c.b / 255.0, alpha);
}

void rounded_rect(cairo_t* cr, double x, double y, double w, double h, double r) {
  r = std::min({r, w / 2, h / 2});
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
  cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
  cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr);
}

void fill_vertical(cairo_t* cr, double y0, double y1, Rgb top, Rgb bottom, bool preserve) {
  cairo_pattern_t* p = cairo_pattern_create_linear(0, y0, 0, y1);
  cairo_pattern_add_color_stop_rgb(p, 0, top.r / 255.0, top.g / 255.0, top.b / 255.0);
  cairo_pattern_add_color_stop_rgb(p, 1, bottom.r / 255.0, bottom.g / 255.0, bottom.b / 255.0);
  cairo_set_source(cr, p);
  if (preserve) {
    cairo_fill_preserve(cr);
  } else {
    cairo_fill(cr);
  }
  cairo_pattern_destroy(p);
}

void glow(cairo_t* cr, double cx, double cy, double r_inner, double r_outer, Rgb c, double alpha) {
  cairo_pattern_t* p = cairo_pattern_create_radial(cx, cy, r_inner, cx, cy, r_outer);
  const double r = c.r / 255.0, g = c.g / 255.0, b = c.b / 255.0;
  // A smooth falloff reads as light, a linear one as a painted disc.
  for (int i = 0; i <= 8; ++i) {
    const double t = i / 8.0;
    const double fall = std::pow(1 - t, 2.2);
    cairo_pattern_add_color_stop_rgba(p, t, r, g, b, alpha * fall);
  }
  cairo_set_source(cr, p);
  cairo_new_path(cr);
  cairo_arc(cr, cx, cy, r_outer, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

void glow_stroke(cairo_t* cr, Rgb c, double core_width, double spread, double alpha) {
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  constexpr int kSteps = 6;
  for (int i = kSteps; i >= 1; --i) {
    const double t = static_cast<double>(i) / kSteps;
    set_colour(cr, c, alpha * 0.22 * (1 - t) + 0.03);
    cairo_set_line_width(cr, core_width + spread * t);
    cairo_stroke_preserve(cr);
  }
  set_colour(cr, c, alpha);
  cairo_set_line_width(cr, core_width);
  cairo_stroke(cr);
}

namespace {

struct LayoutFree {
  void operator()(PangoLayout* l) const { g_object_unref(l); }
};

std::unique_ptr<PangoLayout, LayoutFree> make_layout(cairo_t* cr, const std::string& text,
                                                     const TextStyle& style) {
  std::unique_ptr<PangoLayout, LayoutFree> layout(pango_cairo_create_layout(cr));
  PangoFontDescription* desc = pango_font_description_new();
  pango_font_description_set_family(desc, "Liberation Sans,WenQuanYi Micro Hei");
  pango_font_description_set_weight(desc, style.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
  pango_font_description_set_absolute_size(desc, style.size_px * PANGO_SCALE);
  pango_layout_set_font_description(layout.get(), desc);
  pango_font_description_free(desc);
  if (style.letter_spacing_px != 0) {
    PangoAttrList* attrs = pango_attr_list_new();
    pango_attr_list_insert(attrs, pango_attr_letter_spacing_new(
                                      static_cast<int>(style.letter_spacing_px * PANGO_SCALE)));
    pango_layout_set_attributes(layout.get(), attrs);
    pango_attr_list_unref(attrs);
  }
  // Fixed rendering options so the output does not depend on the desktop's settings.
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  pango_cairo_context_set_font_options(pango_layout_get_context(layout.get()), options);
  cairo_font_options_destroy(options);
  pango_layout_context_changed(layout.get());
  pango_layout_set_text(layout.get(), text.c_str(), -1);
  return layout;
}

}  // namespace

double draw_text(cairo_t* cr, const std::string& text, double x, double y, Align align,
                 const TextStyle& style) {
  auto layout = make_layout(cr, text, style);
  PangoRectangle ink, logical;
  pango_layout_get_pixel_extents(layout.get(), &ink, &logical);
  double left = x;
  if (align == Align::kCentre) left = x - logical.width / 2.0;
  if (align == Align::kRight) left = x - logical.width;
  cairo_move_to(cr, left, y);
  set_colour(cr, style.colour, style.alpha);
  pango_cairo_show_layout(cr, layout.get());
  cairo_new_path(cr);
  return logical.width;
}

double text_width(const std::string& text, const TextStyle& style) {
  Surface scratch(4, 4);
  auto layout = make_layout(scratch.cr(), text, style);
  PangoRectangle ink, logical;
  pango_layout_get_pixel_extents(layout.get(), &ink, &logical);
  return logical.width;
}

}  // namespace skin

namespace skin {

void draw_brand_mark(cairo_t* cr, double cx, double cy, double radius) {
  cairo_save(cr);
  cairo_new_path(cr);
  for (int i = 0; i < 6; ++i) {
    const double a = M_PI / 6 + i * M_PI / 3;
    const double x = cx + radius * std::cos(a), y = cy + radius * std::sin(a);
    if (i == 0) {
      cairo_move_to(cr, x, y);
    } else {
      cairo_line_to(cr, x, y);
    }
  }
  cairo_close_path(cr);
  cairo_pattern_t* p =
      cairo_pattern_create_linear(cx - radius, cy - radius, cx + radius, cy + radius);
  cairo_pattern_add_color_stop_rgb(p, 0, palette::kAccentCyan.r / 255.0,
                                   palette::kAccentCyan.g / 255.0, palette::kAccentCyan.b / 255.0);
  cairo_pattern_add_color_stop_rgb(p, 1, palette::kAccentViolet.r / 255.0,
                                   palette::kAccentViolet.g / 255.0,
                                   palette::kAccentViolet.b / 255.0);
  cairo_set_source(cr, p);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_width(cr, std::max(1.2, radius * 0.2));
  cairo_stroke(cr);
  // The light inside: a soft core and two short beams, like a lit LED.
  glow(cr, cx, cy, 0, radius * 0.85, palette::kAccentCyan, 0.55);
  cairo_set_source(cr, p);
  cairo_arc(cr, cx, cy, radius * 0.26, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  set_colour(cr, hex(0xF2F6FF), 0.9);
  cairo_arc(cr, cx, cy, radius * 0.12, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_restore(cr);
}

void hue_ring(cairo_t* cr, double cx, double cy, double radius, double spread, double alpha,
              double hue_offset) {
  const int extent = static_cast<int>(std::ceil(radius + spread)) + 1;
  const int size = 2 * extent;
  Surface ring(size, size);
  ring.begin_raw();
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const double dx = x + 0.5 - extent, dy = y + 0.5 - extent;
      const double d = std::hypot(dx, dy);
      const double t = (d - radius) / spread;
      if (std::fabs(t) >= 1) continue;
      const double a = alpha * std::pow(1 - t * t, 2.0);
      const double hue = std::atan2(dy, dx) * 180 / M_PI + hue_offset;
      const Rgb c = hsv(hue, 0.85, 1.0);
      auto pre = [a](int v) { return static_cast<std::uint32_t>(std::lround(v * a)); };
      const auto av = static_cast<std::uint32_t>(std::lround(255 * a));
      ring.set_pixel(x, y, (av << 24) | (pre(c.r) << 16) | (pre(c.g) << 8) | pre(c.b));
    }
  }
  ring.end_raw();
  cairo_save(cr);
  cairo_set_source_surface(cr, ring.surface(), cx - extent, cy - extent);
  cairo_paint(cr);
  cairo_restore(cr);
}

}  // namespace skin
