// The main window's skin: the window shape, the panels behind the controls, the calm spots where
// the program paints its labels, colour sample and slider values, and a decorative lighting scene.
#include <array>
#include <cmath>

#include "layout.h"
#include "paint.h"
#include "pictures.h"

namespace skin {

namespace {

using namespace palette;

void panel(cairo_t* cr, double x, double y, double w, double h, double r) {
  rounded_rect(cr, x + 0.5, y + 0.5, w - 1, h - 1, r);
  fill_vertical(cr, y, y + h, kPanelTop, kPanelBottom, true);
  set_colour(cr, kPanelEdge);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  // A faint highlight along the top edge catches the light like a bevel.
  rounded_rect(cr, x + 1.5, y + 1.5, w - 3, h - 3, r - 1);
  cairo_pattern_t* p = cairo_pattern_create_linear(0, y, 0, y + 24);
  cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 1, 0.07);
  cairo_pattern_add_color_stop_rgba(p, 1, 1, 1, 1, 0);
  cairo_set_source(cr, p);
  cairo_stroke(cr);
  cairo_pattern_destroy(p);
}

void well(cairo_t* cr, double x, double y, double w, double h, double r) {
  rounded_rect(cr, x + 0.5, y + 0.5, w - 1, h - 1, r);
  set_colour(cr, kWell);
  cairo_fill_preserve(cr);
  set_colour(cr, kWellEdge);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
}

void brand(cairo_t* cr) {
  draw_brand_mark(cr, 44, 45, 15);
  TextStyle title{.size_px = 27, .bold = true, .colour = kText, .letter_spacing_px = 0.6};
  const double w = draw_text(cr, "Halcyra", 70, 27, Align::kLeft, title);
  // A thin spectrum line under the wordmark.
  cairo_pattern_t* p = cairo_pattern_create_linear(70, 0, 70 + w, 0);
  for (int i = 0; i <= 6; ++i) {
    const Rgb c = hsv(190 + i * 28.0, 0.75, 1.0);
    cairo_pattern_add_color_stop_rgba(p, i / 6.0, c.r / 255.0, c.g / 255.0, c.b / 255.0,
                                      i == 0 || i == 6 ? 0.0 : 0.9);
  }
  cairo_set_source(cr, p);
  cairo_rectangle(cr, 70, 62, w, 1.5);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

void quantity_group(cairo_t* cr) {
  // Navy plate under the caption, the value and its arrow, in the labels' own colour.
  rounded_rect(cr, 400.5, 30.5, 153, 37, 9);
  glow_stroke(cr, kAccent, 1, 8, 0.25);
  rounded_rect(cr, 400.5, 30.5, 153, 37, 9);
  set_colour(cr, kLabelNavy);
  cairo_fill_preserve(cr);
  set_colour(cr, hex(0x2B58B0));
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  set_colour(cr, hex(0x1E3F86));
  cairo_rectangle(cr, 488, 38, 1, 24);
  cairo_fill(cr);
}

void language_group(cairo_t* cr) {
  rounded_rect(cr, 644.5, 2.5, 88, 25, 8);
  set_colour(cr, kLabelDark);
  cairo_fill_preserve(cr);
  set_colour(cr, kPanelEdge);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  // A globe says "language" without words.
  const double cx = 628, cy = 15, r = 7;
  set_colour(cr, kTextDim);
  cairo_set_line_width(cr, 1.2);
  cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
  cairo_stroke(cr);
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, 0.45, 1);
  cairo_arc(cr, 0, 0, r, 0, 2 * M_PI);
  cairo_restore(cr);
  cairo_stroke(cr);
  cairo_move_to(cr, cx - r, cy);
  cairo_line_to(cr, cx + r, cy);
  cairo_move_to(cr, cx - r * 0.85, cy - r * 0.5);
  cairo_line_to(cr, cx + r * 0.85, cy - r * 0.5);
  cairo_move_to(cr, cx - r * 0.85, cy + r * 0.5);
  cairo_line_to(cr, cx + r * 0.85, cy + r * 0.5);
  cairo_set_line_width(cr, 0.9);
  cairo_stroke(cr);
}

void fan(cairo_t* cr, double cx, double cy) {
  hue_ring(cr, cx, cy, 80, 24, 0.45, 200);
  glow(cr, cx, cy, 60, 110, kAccentViolet, 0.10);
  cairo_arc(cr, cx, cy, 78, 0, 2 * M_PI);
  set_colour(cr, hex(0x0A0F1D));
  cairo_fill(cr);
  hue_ring(cr, cx, cy, 75, 3.2, 1.0, 200);
  cairo_arc(cr, cx, cy, 70, 0, 2 * M_PI);
  set_colour(cr, hex(0x0C1222));
  cairo_fill(cr);
  // Blades: curved, overlapping, lit faintly from the ring.
  for (int i = 0; i < 9; ++i) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, i * 2 * M_PI / 9);
    cairo_move_to(cr, 14, -4);
    cairo_curve_to(cr, 34, -22, 56, -20, 66, -6);
    cairo_curve_to(cr, 56, 2, 36, 8, 16, 8);
    cairo_close_path(cr);
    cairo_restore(cr);
    cairo_pattern_t* p = cairo_pattern_create_radial(cx, cy, 10, cx, cy, 68);
    cairo_pattern_add_color_stop_rgb(p, 0, 0.09, 0.12, 0.21);
    cairo_pattern_add_color_stop_rgb(p, 1, 0.16, 0.21, 0.36);
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    set_colour(cr, hex(0x33467A), 0.8);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
  }
  cairo_arc(cr, cx, cy, 19, 0, 2 * M_PI);
  fill_vertical(cr, cy - 19, cy + 19, hex(0x1C2742), hex(0x0C1222), true);
  set_colour(cr, hex(0x33467A));
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  draw_brand_mark(cr, cx, cy, 10);
}

void led_strip(cairo_t* cr, double x0, double x1, double cy, double amplitude) {
  auto wave = [&](double x) { return cy + amplitude * std::sin((x - x0) / (x1 - x0) * 2 * M_PI); };
  // The strip's flexible board under the LEDs.
  cairo_move_to(cr, x0, wave(x0));
  for (double x = x0; x <= x1; x += 2) cairo_line_to(cr, x, wave(x));
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_width(cr, 11);
  set_colour(cr, hex(0x1A2440));
  cairo_stroke_preserve(cr);
  cairo_set_line_width(cr, 8);
  set_colour(cr, hex(0x080C16));
  cairo_stroke(cr);
  constexpr int kLeds = 22;
  for (int i = 0; i < kLeds; ++i) {
    const double x = x0 + (x1 - x0) * (i + 0.5) / kLeds;
    const double y = wave(x);
    const Rgb c = hsv(200 + 340.0 * i / kLeds, 0.8, 1.0);
    glow(cr, x, y, 0, 15, c, 0.38);
    // Light pooling on the board below the strip.
    cairo_save(cr);
    cairo_translate(cr, x, cy + amplitude + 34);
    cairo_scale(cr, 1.0, 0.3);
    glow(cr, 0, 0, 0, 16, c, 0.22);
    cairo_restore(cr);
  }
  for (int i = 0; i < kLeds; ++i) {
    const double x = x0 + (x1 - x0) * (i + 0.5) / kLeds;
    const double y = wave(x);
    const Rgb c = hsv(200 + 340.0 * i / kLeds, 0.8, 1.0);
    rounded_rect(cr, x - 3, y - 3, 6, 6, 1.5);
    set_colour(cr, mix(c, hex(0xF4F7FF), 0.45));
    cairo_fill(cr);
  }
}

void hero(cairo_t* cr) {
  const double x = 22, y = 78, w = 530, h = 228;
  panel(cr, x, y, w, h, 12);
  cairo_save(cr);
  rounded_rect(cr, x + 1, y + 1, w - 2, h - 2, 11);
  cairo_clip(cr);
  // Dot grid, like a board seen from above.
  for (int gy = 90; gy < 306; gy += 12) {
    for (int gx = 34; gx < 552; gx += 12) {
      cairo_rectangle(cr, gx, gy, 1, 1);
    }
  }
  set_colour(cr, hex(0x24304F), 0.8);
  cairo_fill(cr);
  // A few traces leading from the fan to the strip.
  set_colour(cr, hex(0x1D2946));
  cairo_set_line_width(cr, 1.5);
  for (int i = 0; i < 3; ++i) {
    const double ty = 150 + i * 42;
    cairo_move_to(cr, 238, ty);
    cairo_line_to(cr, 262, ty);
    cairo_line_to(cr, 276, ty + (i - 1) * 12);
    cairo_line_to(cr, 292, ty + (i - 1) * 12);
    cairo_stroke(cr);
    cairo_arc(cr, 238, ty, 2.5, 0, 2 * M_PI);
    cairo_fill(cr);
  }
  glow(cr, 420, 192, 0, 170, kAccent, 0.08);
  fan(cr, 140, 192);
  led_strip(cr, 296, 528, 192, 40);
  cairo_restore(cr);
}

void colour_column(cairo_t* cr) {
  const double x = 572, y = 38, w = 220, h = 492;
  panel(cr, x, y, w, h, 12);
  // The wheel sits in a recess with a soft rainbow halo.
  const double cx = layout::kWheel.x + layout::kWheel.w / 2.0;
  const double cy = layout::kWheel.y + layout::kWheel.h / 2.0;
  hue_ring(cr, cx, cy, 90, 12, 0.45, 0);
  cairo_arc(cr, cx, cy, 89, 0, 2 * M_PI);
  set_colour(cr, kWell);
  cairo_fill_preserve(cr);
  set_colour(cr, kWellEdge);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  // Dividers between the picking, preset and fine-tuning areas.
  for (double dy : {244.5, 345.5}) {
    cairo_pattern_t* p = cairo_pattern_create_linear(586, 0, 780, 0);
    cairo_pattern_add_color_stop_rgba(p, 0, 0.15, 0.2, 0.34, 0);
    cairo_pattern_add_color_stop_rgba(p, 0.5, 0.2, 0.27, 0.45, 1);
    cairo_pattern_add_color_stop_rgba(p, 1, 0.15, 0.2, 0.34, 0);
    cairo_set_source(cr, p);
    cairo_rectangle(cr, 586, dy - 0.5, 194, 1);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
  }
  // Frame of the colour sample that the program paints.
  const auto& s = layout::kColourSample;
  well(cr, s.x - 3, s.y - 3, s.w + 6, s.h + 6, 6);
  // Slider rows: a coloured dot for the channel, and a dark box where its value is written.
  const Rgb channels[3] = {hex(0xFF3B3B), hex(0x2EE06A), hex(0x3B7BFF)};
  for (int i = 0; i < 3; ++i) {
    const int top = layout::kSliderTops[i];
    glow(cr, 578.5, top + 6, 0, 7, channels[i], 0.5);
    cairo_arc(cr, 578.5, top + 6, 2.5, 0, 2 * M_PI);
    set_colour(cr, channels[i]);
    cairo_fill(cr);
    const int value_top = std::array{360, 398, 438}[i];  // where the program writes the value
    well(cr, 740, value_top - 4, 44, 24, 6);
  }
  // Apply glows softly from beneath.
  const auto& a = layout::kApply;
  rounded_rect(cr, a.x + 3, a.y + 4, a.w - 6, a.h - 6, 12);
  glow_stroke(cr, kAccentViolet, 2, 14, 0.35);
}

}  // namespace

Picture draw_main_skin() {
  Surface s(layout::kSkinWidth, layout::kSkinHeight);
  cairo_t* cr = s.cr();
  rounded_rect(cr, 0, 0, layout::kSkinWidth, layout::kSkinHeight, 14);
  fill_vertical(cr, 0, layout::kSkinHeight, kBaseTop, kBaseBottom, true);
  cairo_save(cr);
  cairo_clip(cr);
  glow(cr, 90, 10, 0, 380, kAccentViolet, 0.12);
  glow(cr, 780, 560, 0, 420, kAccent, 0.10);
  brand(cr);
  quantity_group(cr);
  language_group(cr);
  hero(cr);
  panel(cr, 22, 318, 530, 212, 12);
  colour_column(cr);
  cairo_restore(cr);
  rounded_rect(cr, 0.5, 0.5, layout::kSkinWidth - 1, layout::kSkinHeight - 1, 13.5);
  set_colour(cr, hex(0x2C3A60));
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  return flatten(s);
}

}  // namespace skin
