// One pictogram per lighting effect, each saying what the effect does. Coordinates are relative
// to the icon's centre and span about -18..18.
#include <cmath>
#include <functional>

#include "paint.h"
#include "pictures.h"

namespace skin {

namespace {

constexpr Rgb kWarmWhite = hex(0xFFF6E0);
constexpr Rgb kIce = hex(0xE8F4FF);
constexpr Rgb kAmber = hex(0xFFC43D);

void disc(cairo_t* cr, double x, double y, double r, Rgb c, double alpha = 1) {
  cairo_arc(cr, x, y, r, 0, 2 * M_PI);
  set_colour(cr, c, alpha);
  cairo_fill(cr);
}

void line(cairo_t* cr, double x0, double y0, double x1, double y1, double width, Rgb c,
          double alpha = 1) {
  cairo_move_to(cr, x0, y0);
  cairo_line_to(cr, x1, y1);
  cairo_set_line_width(cr, width);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  set_colour(cr, c, alpha);
  cairo_stroke(cr);
}

void sparkle(cairo_t* cr, double x, double y, double r, Rgb c) {
  glow(cr, x, y, 0, r * 1.3, c, 0.45);
  const double w = r * 0.22;
  cairo_move_to(cr, x, y - r);
  cairo_curve_to(cr, x + w * 0.3, y - w, x + w, y - w * 0.3, x + r, y);
  cairo_curve_to(cr, x + w, y + w * 0.3, x + w * 0.3, y + w, x, y + r);
  cairo_curve_to(cr, x - w * 0.3, y + w, x - w, y + w * 0.3, x - r, y);
  cairo_curve_to(cr, x - w, y - w * 0.3, x - w * 0.3, y - w, x, y - r);
  cairo_close_path(cr);
  set_colour(cr, c);
  cairo_fill(cr);
}

void bolt(cairo_t* cr, double x, double y, double s, Rgb c) {
  cairo_move_to(cr, x + 2 * s, y - 10 * s);
  cairo_line_to(cr, x - 5 * s, y + 1.5 * s);
  cairo_line_to(cr, x - 0.5 * s, y + 1.5 * s);
  cairo_line_to(cr, x - 2 * s, y + 10 * s);
  cairo_line_to(cr, x + 5 * s, y - 1.5 * s);
  cairo_line_to(cr, x + 0.5 * s, y - 1.5 * s);
  cairo_close_path(cr);
  set_colour(cr, c);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_fill_preserve(cr);
  set_colour(cr, mix(c, kWarmWhite, 0.6));
  cairo_set_line_width(cr, 0.8);
  cairo_stroke(cr);
}

void colour_breathe(cairo_t* cr) {
  hue_ring(cr, 0, 0, 15.5, 3, 0.7, 0);
  cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
  const Rgb cs[3] = {hex(0xE8283C), hex(0x1FC95A), hex(0x2A62F0)};
  for (int i = 0; i < 3; ++i) {
    const double a = -M_PI / 2 + i * 2 * M_PI / 3;
    disc(cr, 5 * std::cos(a), 5 * std::sin(a), 7.5, cs[i], 0.95);
  }
  cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
}

void rainbow(cairo_t* cr) {
  for (int i = 0; i < 6; ++i) {
    const Rgb c = hsv(i * 52.0, 0.85, 1.0);
    cairo_arc(cr, 0, 7, 16 - i * 2.1, M_PI, 2 * M_PI);
    cairo_set_line_width(cr, 2.2);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    set_colour(cr, c);
    cairo_stroke(cr);
  }
  // Two small clouds ground the arc.
  for (double x : {-13.5, 13.5}) {
    disc(cr, x - 2.5, 9, 3, kIce);
    disc(cr, x + 1.5, 8.2, 3.6, kIce);
    disc(cr, x + 4.5, 10, 2.4, kIce);
    cairo_rectangle(cr, x - 5.5, 9.5, 12.4, 2.9);
    set_colour(cr, kIce);
    cairo_fill(cr);
  }
}

void breathe(cairo_t* cr) {
  // One colour swelling and fading: a glowing orb over the slow wave of its brightness.
  const Rgb c = hex(0x3AD0FF);
  glow(cr, 0, -5, 0, 16, c, 0.5);
  cairo_pattern_t* p = cairo_pattern_create_radial(-2, -7, 0.5, 0, -5, 7.5);
  cairo_pattern_add_color_stop_rgb(p, 0, 0.95, 0.99, 1);
  cairo_pattern_add_color_stop_rgb(p, 1, c.r / 255.0, c.g / 255.0, c.b / 255.0);
  cairo_set_source(cr, p);
  cairo_arc(cr, 0, -5, 7, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  cairo_move_to(cr, -16, 11);
  for (double x = -16; x <= 16; x += 0.5) {
    cairo_line_to(cr, x, 11 - 3.5 * std::cos(x / 16 * 2 * M_PI));
  }
  glow_stroke(cr, c, 1.8, 4, 0.95);
}

void off(cairo_t* cr) {
  const Rgb c = hex(0xAEB8CC);
  cairo_arc(cr, 0, 1.5, 11.5, -M_PI / 2 + 0.75, 3 * M_PI / 2 - 0.75);
  cairo_set_line_width(cr, 3);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  set_colour(cr, c);
  cairo_stroke(cr);
  line(cr, 0, -12.5, 0, -1.5, 3, c);
}

void two_blink(cairo_t* cr) {
  glow(cr, -6, -1, 0, 13, kAmber, 0.35);
  glow(cr, 7, 2, 0, 13, kAmber, 0.35);
  bolt(cr, -6.5, -2, 1.25, kAmber);
  bolt(cr, 7, 2.5, 1.25, hex(0xFFD86A));
}

void blink(cairo_t* cr) {
  glow(cr, 0, 0, 0, 18, kAmber, 0.4);
  bolt(cr, 0, 0, 1.55, kAmber);
  for (int i = 0; i < 4; ++i) {
    const double a = -M_PI / 4 + i * M_PI / 2 + M_PI / 8;
    line(cr, 13 * std::cos(a), 13 * std::sin(a), 16.5 * std::cos(a), 16.5 * std::sin(a), 1.6,
         hex(0xFFE28A));
  }
}

void steady(cairo_t* cr) {
  const Rgb c = hex(0xFFD86A);
  glow(cr, 0, -4, 0, 18, c, 0.45);
  cairo_arc(cr, 0, -4, 9, M_PI * 0.8, M_PI * 2.2);
  cairo_line_to(cr, 4, 7);
  cairo_line_to(cr, -4, 7);
  cairo_close_path(cr);
  cairo_pattern_t* p = cairo_pattern_create_radial(-2, -6, 1, 0, -4, 10);
  cairo_pattern_add_color_stop_rgb(p, 0, 1, 0.98, 0.9);
  cairo_pattern_add_color_stop_rgb(p, 1, c.r / 255.0, c.g / 255.0, c.b / 255.0);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  rounded_rect(cr, -4.5, 8, 9, 2.6, 1);
  rounded_rect(cr, -4, 11.4, 8, 2.6, 1);
  set_colour(cr, hex(0xB9C3D8));
  cairo_fill(cr);
  line(cr, -1.6, 15.2, 1.6, 15.2, 1.6, hex(0x8E99B1));
}

void brand_effect(cairo_t* cr) {
  draw_brand_mark(cr, 0, 0, 14.5);
}

void sakura(cairo_t* cr) {
  glow(cr, 0, 0, 0, 19, hex(0xFF8DC0), 0.3);
  for (int i = 0; i < 5; ++i) {
    cairo_save(cr);
    cairo_rotate(cr, i * 2 * M_PI / 5);
    cairo_move_to(cr, 0, -1);
    cairo_curve_to(cr, -7.5, -5, -6.5, -13, -2.2, -15);
    cairo_line_to(cr, 0, -12.8);
    cairo_line_to(cr, 2.2, -15);
    cairo_curve_to(cr, 6.5, -13, 7.5, -5, 0, -1);
    cairo_close_path(cr);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, -1, 0, -15);
    cairo_pattern_add_color_stop_rgb(p, 0, 0.93, 0.35, 0.6);
    cairo_pattern_add_color_stop_rgb(p, 1, 1.0, 0.8, 0.9);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    line(cr, 0, -2, 0, -6.5, 0.8, hex(0xC8306A));
    cairo_restore(cr);
  }
  disc(cr, 0, 0, 2.6, hex(0xFFE07A));
}

void emergency(cairo_t* cr) {
  const Rgb red = hex(0xFF3B4E), blue = hex(0x3B7BFF);
  glow(cr, -9, -1, 0, 14, red, 0.45);
  glow(cr, 9, -1, 0, 14, blue, 0.45);
  cairo_arc(cr, 0, 4, 9.5, M_PI, 1.5 * M_PI);
  cairo_line_to(cr, 0, 4);
  cairo_close_path(cr);
  set_colour(cr, red);
  cairo_fill(cr);
  cairo_arc(cr, 0, 4, 9.5, 1.5 * M_PI, 2 * M_PI);
  cairo_line_to(cr, 0, 4);
  cairo_close_path(cr);
  set_colour(cr, blue);
  cairo_fill(cr);
  cairo_arc(cr, -2.5, -0.5, 2.4, 0, 2 * M_PI);
  set_colour(cr, kWarmWhite, 0.7);
  cairo_fill(cr);
  rounded_rect(cr, -12, 4.5, 24, 5, 1.5);
  set_colour(cr, hex(0xB9C3D8));
  cairo_fill(cr);
  for (int side : {-1, 1}) {
    const Rgb c = side < 0 ? red : blue;
    line(cr, side * 13, -6, side * 17, -9, 1.8, c);
    line(cr, side * 14, 0, side * 18.5, 0, 1.8, c);
    line(cr, side * 13, -12, side * 15, -15.5, 1.8, c);
  }
}

void laser(cairo_t* cr) {
  const double sx = -13, sy = 12;
  const Rgb cs[4] = {hex(0x34FF7A), hex(0x38D6FF), hex(0xFF3B6E), hex(0x34FF7A)};
  const double ends[4][2] = {{16, -16}, {17, -4}, {4, -17}, {17, 8}};
  for (int i = 0; i < 4; ++i) {
    cairo_move_to(cr, sx, sy);
    cairo_line_to(cr, ends[i][0], ends[i][1]);
    glow_stroke(cr, cs[i], 1.3, 4, 1.0);
  }
  glow(cr, sx, sy, 0, 8, hex(0x34FF7A), 0.6);
  disc(cr, sx, sy, 3.2, hex(0xE9FFF0));
}

void marquee(cairo_t* cr) {
  // A row of lights with a bright group running along it, trailing off behind.
  rounded_rect(cr, -18, -8, 36, 12, 6);
  set_colour(cr, hex(0x0A0F1C), 0.9);
  cairo_fill_preserve(cr);
  set_colour(cr, hex(0x5A6A90), 0.9);
  cairo_set_line_width(cr, 1.1);
  cairo_stroke(cr);
  constexpr int kDots = 6;
  for (int i = 0; i < kDots; ++i) {
    const double x = -12.5 + i * 5;
    const double lit = i >= 3 ? 1.0 : 0.15 + i * 0.2;
    const Rgb c = hex(0xFFD36A);
    if (i >= 2) glow(cr, x, -2, 0, 5.5 + (i >= 3 ? 1.5 : 0), c, 0.35 + 0.15 * (i >= 3));
    disc(cr, x, -2, i >= 3 ? 2.2 : 1.8, mix(hex(0x2A3550), c, lit));
  }
  line(cr, -10, 11, 7, 11, 1.8, hex(0x8FE6FF));
  cairo_move_to(cr, 12.5, 11);
  cairo_line_to(cr, 6.5, 7.2);
  cairo_line_to(cr, 6.5, 14.8);
  cairo_close_path(cr);
  set_colour(cr, hex(0x8FE6FF));
  cairo_fill(cr);
}

void twinkle(cairo_t* cr) {
  sparkle(cr, -4, -3, 11, kIce);
  sparkle(cr, 10, 8, 6.5, hex(0xFFE07A));
  sparkle(cr, 10.5, -11, 4.5, hex(0x9FD8FF));
  sparkle(cr, -12, 11, 3.8, hex(0xFFB8E0));
}

void colour_cycle(cairo_t* cr) {
  constexpr int kSteps = 40;
  const double a0 = -M_PI / 2 + 0.45, a1 = 3 * M_PI / 2 - 0.2;
  for (int i = 0; i < kSteps; ++i) {
    const double t0 = a0 + (a1 - a0) * i / kSteps, t1 = a0 + (a1 - a0) * (i + 1.05) / kSteps;
    cairo_arc(cr, 0, 0, 12, t0, t1);
    set_colour(cr, hsv(360.0 * i / kSteps, 0.8, 1.0));
    cairo_set_line_width(cr, 4);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    cairo_stroke(cr);
  }
  // Arrowhead at the end of the ring.
  const double ax = 12 * std::cos(a1), ay = 12 * std::sin(a1);
  cairo_move_to(cr, ax + 6.5, ay);
  cairo_line_to(cr, ax - 2, ay - 5.5);
  cairo_line_to(cr, ax - 2, ay + 5.5);
  cairo_close_path(cr);
  set_colour(cr, hsv(350, 0.8, 1.0));
  cairo_fill(cr);
  disc(cr, 0, 0, 3, kIce, 0.9);
}

void meteor(cairo_t* cr) {
  const double hx = 9, hy = -9;
  cairo_pattern_t* p = cairo_pattern_create_linear(hx, hy, -16, 16);
  cairo_pattern_add_color_stop_rgba(p, 0, 1, 0.85, 0.5, 1);
  cairo_pattern_add_color_stop_rgba(p, 0.5, 1, 0.45, 0.2, 0.6);
  cairo_pattern_add_color_stop_rgba(p, 1, 0.8, 0.2, 0.5, 0);
  cairo_move_to(cr, hx - 3.2, hy - 3.2);
  cairo_line_to(cr, -16, 16);
  cairo_line_to(cr, hx + 3.2, hy + 3.2);
  cairo_close_path(cr);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  glow(cr, hx, hy, 0, 10, hex(0xFFB347), 0.7);
  disc(cr, hx, hy, 4, hex(0xFFF3D6));
  sparkle(cr, -9, -11, 3, kIce);
  sparkle(cr, 13, 9, 2.5, kIce);
}

void black_hole(cairo_t* cr) {
  glow(cr, 0, 0, 4, 19, hex(0x8A5CFF), 0.5);
  for (int i = 0; i < 3; ++i) {
    cairo_save(cr);
    cairo_rotate(cr, -0.35);
    cairo_scale(cr, 1, 0.38);
    cairo_arc(cr, 0, 0, 16 - i * 3, 0, 2 * M_PI);
    cairo_restore(cr);
    const Rgb c = i == 0 ? hex(0xB56BFF) : (i == 1 ? hex(0xFF8A3D) : hex(0xFFD27A));
    set_colour(cr, c, 0.85);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
  }
  disc(cr, 0, 0, 6, hex(0x02030A));
  cairo_arc(cr, 0, 0, 6.3, 0, 2 * M_PI);
  set_colour(cr, hex(0xFFB36B));
  cairo_set_line_width(cr, 1.1);
  cairo_stroke(cr);
  // The near side of the disc passes in front of the hole.
  cairo_save(cr);
  cairo_rotate(cr, -0.35);
  cairo_scale(cr, 1, 0.38);
  cairo_arc(cr, 0, 0, 13, 0.15 * M_PI, 0.85 * M_PI);
  cairo_restore(cr);
  set_colour(cr, hex(0xFFD27A));
  cairo_set_line_width(cr, 1.8);
  cairo_stroke(cr);
}

void aqua(cairo_t* cr) {
  for (int i = 0; i < 3; ++i) {
    const double y = -9 + i * 8;
    cairo_move_to(cr, -16, y);
    for (double x = -16; x <= 16; x += 1)
      cairo_line_to(cr, x, y + 3 * std::sin((x + i * 3) * 0.42));
    const Rgb c = mix(hex(0x38D6FF), hex(0x2A62F0), i / 2.0);
    glow_stroke(cr, c, 2.6, 4, 1.0);
  }
}

void flame(cairo_t* cr) {
  glow(cr, 0, 3, 0, 18, hex(0xFF6A2A), 0.45);
  cairo_move_to(cr, 0, -16);
  cairo_curve_to(cr, 4, -8, 12, -4, 11, 5);
  cairo_curve_to(cr, 10, 12, 5, 15, 0, 15);
  cairo_curve_to(cr, -5, 15, -10, 12, -11, 5);
  cairo_curve_to(cr, -12, -1, -6, -4, -5, -10);
  cairo_curve_to(cr, -2, -7, -1, -10, 0, -16);
  cairo_close_path(cr);
  cairo_pattern_t* p = cairo_pattern_create_linear(0, -16, 0, 15);
  cairo_pattern_add_color_stop_rgb(p, 0, 1, 0.25, 0.15);
  cairo_pattern_add_color_stop_rgb(p, 0.6, 1, 0.5, 0.12);
  cairo_pattern_add_color_stop_rgb(p, 1, 1, 0.75, 0.2);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  cairo_move_to(cr, 0, -2);
  cairo_curve_to(cr, 3, 2, 6, 5, 5, 9);
  cairo_curve_to(cr, 4, 13, -4, 13, -5, 9);
  cairo_curve_to(cr, -6, 5, -2, 3, 0, -2);
  cairo_close_path(cr);
  set_colour(cr, hex(0xFFE9A8));
  cairo_fill(cr);
}

void tree(cairo_t* cr, double x, double base, double s, Rgb c) {
  rounded_rect(cr, x - 1.3 * s, base - 3 * s, 2.6 * s, 4 * s, 0.5);
  set_colour(cr, hex(0x8A5A3C));
  cairo_fill(cr);
  for (int i = 0; i < 3; ++i) {
    const double top = base - 3 * s - (i + 1) * 6 * s;
    const double half = (8 - i * 2) * s;
    cairo_move_to(cr, x, top - 3 * s);
    cairo_line_to(cr, x + half, top + 7 * s);
    cairo_line_to(cr, x - half, top + 7 * s);
    cairo_close_path(cr);
    set_colour(cr, mix(c, hex(0xC9FF9E), i * 0.18));
    cairo_fill(cr);
  }
}

void forest(cairo_t* cr) {
  glow(cr, 0, 4, 0, 18, hex(0x2EE06A), 0.22);
  tree(cr, 7, 16, 0.85, hex(0x1E9E50));
  tree(cr, -5, 16, 1.05, hex(0x2EC46A));
}

void starry(cairo_t* cr) {
  glow(cr, -3, 1, 0, 16, hex(0xFFE7A0), 0.3);
  // The crescent: a disc with a second, offset disc taken away.
  cairo_save(cr);
  cairo_rectangle(cr, -20, -20, 40, 40);
  cairo_arc(cr, 3.5, -3, 9.5, 0, 2 * M_PI);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  cairo_clip(cr);
  cairo_arc(cr, -3, 2, 11, 0, 2 * M_PI);
  set_colour(cr, hex(0xFFE7A0));
  cairo_fill(cr);
  cairo_restore(cr);
  sparkle(cr, 10, -10, 4.5, kIce);
  sparkle(cr, 13, 6, 3, kIce);
  sparkle(cr, 4, 13, 2.5, hex(0x9FD8FF));
}

void firework(cairo_t* cr) {
  const double cx = 0, cy = -3;
  glow(cr, cx, cy, 0, 16, hex(0xFF5FA8), 0.3);
  for (int i = 0; i < 12; ++i) {
    const double a = i * M_PI / 6;
    const Rgb c = hsv(i * 30.0, 0.7, 1.0);
    line(cr, cx + 5 * std::cos(a), cy + 5 * std::sin(a), cx + 11.5 * std::cos(a),
         cy + 11.5 * std::sin(a), 1.7, c);
    disc(cr, cx + 14.5 * std::cos(a), cy + 14.5 * std::sin(a), 1.5, c);
  }
  disc(cr, cx, cy, 2.2, kWarmWhite);
}

void lava(cairo_t* cr) {
  glow(cr, 0, -8, 0, 14, hex(0xFF5A1F), 0.55);
  cairo_move_to(cr, -17, 15);
  cairo_line_to(cr, -5, -3);
  cairo_line_to(cr, 5, -3);
  cairo_line_to(cr, 17, 15);
  cairo_close_path(cr);
  fill_vertical(cr, -3, 15, hex(0x5A3A44), hex(0x2A1E2C));
  // Lava runs from the crater.
  cairo_move_to(cr, -5, -3);
  cairo_line_to(cr, 5, -3);
  cairo_curve_to(cr, 4, 2, 7, 5, 6, 10);
  cairo_curve_to(cr, 4, 6, 2, 3, 0, 2);
  cairo_curve_to(cr, -1, 6, -3, 7, -4, 11);
  cairo_curve_to(cr, -5, 5, -6, 1, -5, -3);
  cairo_close_path(cr);
  fill_vertical(cr, -3, 11, hex(0xFFC84A), hex(0xFF3A1A));
  disc(cr, -3, -10, 2.4, hex(0xFF8A2A));
  disc(cr, 2.5, -13, 1.8, hex(0xFFB347));
  disc(cr, 6, -8.5, 1.6, hex(0xFF6A2A));
}

void block(cairo_t* cr, double x, double y, Rgb c) {
  constexpr double kCell = 6.4;
  rounded_rect(cr, x + 0.35, y + 0.35, kCell - 0.7, kCell - 0.7, 1.2);
  set_colour(cr, c);
  cairo_fill(cr);
  cairo_rectangle(cr, x + 1.3, y + 1.2, kCell - 2.6, 1.2);
  set_colour(cr, hex(0xFFFFFF), 0.45);
  cairo_fill(cr);
}

void tetris(cairo_t* cr) {
  constexpr double c = 6.4;
  const double x0 = -16, y0 = 16 - 2 * c;
  // Bottom rows, stacked.
  const Rgb purple = hex(0xA35CFF), orange = hex(0xFF9A3D);
  const Rgb cyan = hex(0x38D6FF);
  for (int i = 0; i < 3; ++i) block(cr, x0 + i * c, y0 + c, purple);
  block(cr, x0 + c, y0, purple);
  for (int i = 0; i < 2; ++i) block(cr, x0 + (3 + i) * c, y0 + c, orange);
  block(cr, x0 + 4 * c, y0, orange);
  block(cr, x0 + 4 * c, y0 - c, orange);
  // A falling piece with motion lines.
  for (int i = 0; i < 3; ++i) block(cr, x0 + (1 + i) * c, -15, cyan);
  block(cr, x0 + 2 * c, -15 + c, cyan);
  for (double lx : {x0 + 1.5 * c, x0 + 3.5 * c}) line(cr, lx, -18, lx, -16.2, 1, cyan, 0.6);
}

void ripples(cairo_t* cr) {
  // A drop falls into the centre and rings spread out over the surface.
  const Rgb c = hex(0x38D6FF);
  cairo_save(cr);
  cairo_translate(cr, 0, 6);
  cairo_scale(cr, 1, 0.42);
  glow(cr, 0, 0, 0, 22, c, 0.3);
  for (int i = 0; i < 3; ++i) {
    cairo_arc(cr, 0, 0, 5.5 + i * 5.5, 0, 2 * M_PI);
    cairo_restore(cr);
    cairo_save(cr);
    set_colour(cr, mix(c, hex(0x8A5CFF), i / 2.0), 0.95 - i * 0.25);
    cairo_set_line_width(cr, 1.9 - i * 0.3);
    cairo_stroke(cr);
    cairo_translate(cr, 0, 6);
    cairo_scale(cr, 1, 0.42);
  }
  cairo_restore(cr);
  cairo_move_to(cr, 0, -16);
  cairo_curve_to(cr, 2.5, -11.5, 4, -9, 4, -7);
  cairo_arc(cr, 0, -7, 4, 0, M_PI);
  cairo_curve_to(cr, -4, -9, -2.5, -11.5, 0, -16);
  cairo_close_path(cr);
  fill_vertical(cr, -16, -3, hex(0xBFF1FF), c);
  disc(cr, 0, 6, 1.8, kIce);
}

}  // namespace

void draw_effect_icon(cairo_t* cr, int k, double cx, double cy) {
  static const std::function<void(cairo_t*)> kIcons[24] = {
      colour_breathe, rainbow,   breathe, off,     two_blink, blink,        steady, brand_effect,
      sakura,         emergency, laser,   marquee, twinkle,   colour_cycle, meteor, black_hole,
      aqua,           flame,     forest,  starry,  firework,  lava,         tetris, ripples};
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  kIcons[k - 1](cr);
  cairo_restore(cr);
}

}  // namespace skin
