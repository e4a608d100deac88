// Drawing helpers shared by every picture: colours, the palette, paths, glows and text.
#pragma once

#include <cairo.h>

#include <string>

#include "picture.h"

namespace skin {

constexpr Rgb hex(unsigned v) {
  return {static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 8),
          static_cast<std::uint8_t>(v)};
}

Rgb mix(Rgb a, Rgb b, double t);
Rgb hsv(double hue_degrees, double saturation, double value);
Rgb greyed(Rgb c, double amount);

// The house palette: deep navy surfaces, a cool blue-violet accent.
namespace palette {
constexpr Rgb kBaseTop = hex(0x0F1628);
constexpr Rgb kBaseBottom = hex(0x080C17);
constexpr Rgb kPanelTop = hex(0x151E35);
constexpr Rgb kPanelBottom = hex(0x0F1628);
constexpr Rgb kPanelEdge = hex(0x263456);
constexpr Rgb kWell = hex(0x070A12);
constexpr Rgb kWellEdge = hex(0x22304E);
constexpr Rgb kAccent = hex(0x3E8BFF);
constexpr Rgb kAccentViolet = hex(0x8A5CFF);
constexpr Rgb kAccentCyan = hex(0x38D6FF);
constexpr Rgb kText = hex(0xDDE5F7);
constexpr Rgb kTextDim = hex(0x8190B2);
// Label backgrounds the program paints itself; the skin around them matches.
constexpr Rgb kLabelDark = hex(0x050505);
constexpr Rgb kLabelNavy = hex(0x001440);
constexpr Rgb kKey = hex(0xFF00FF);  // transparent colour of slider thumbs
}  // namespace palette

void set_colour(cairo_t* cr, Rgb c, double alpha = 1.0);
void rounded_rect(cairo_t* cr, double x, double y, double w, double h, double r);
// Fills the current path with a vertical gradient from `top` (at y0) to `bottom` (at y1).
void fill_vertical(cairo_t* cr, double y0, double y1, Rgb top, Rgb bottom, bool preserve = false);
// A soft round glow: full `alpha` at r_inner fading to nothing at r_outer.
void glow(cairo_t* cr, double cx, double cy, double r_inner, double r_outer, Rgb c, double alpha);
// Strokes the current path several times, wide and faint to narrow and strong, then clears it.
void glow_stroke(cairo_t* cr, Rgb c, double core_width, double spread, double alpha);

enum class Align { kLeft, kCentre, kRight };

struct TextStyle {
  double size_px = 12;
  bool bold = false;
  Rgb colour = palette::kText;
  double alpha = 1.0;
  double letter_spacing_px = 0;
};

// Draws one line of text with its top edge at y; x is the left, centre or right end by `align`.
// Chinese falls back to the installed CJK face. Returns the text's width in pixels.
double draw_text(cairo_t* cr, const std::string& text, double x, double y, Align align,
                 const TextStyle& style);
double text_width(const std::string& text, const TextStyle& style);

}  // namespace skin

namespace skin {

// The brand mark: a hexagon ring in the accent gradient around a small light.
void draw_brand_mark(cairo_t* cr, double cx, double cy, double radius);

// A ring of light that runs through every hue: peak at `radius`, fading over `spread` pixels on
// both sides. Drawn per pixel onto `cr` with the OVER operator.
void hue_ring(cairo_t* cr, double cx, double cy, double radius, double spread, double alpha,
              double hue_offset = 0);

}  // namespace skin
