// The lights-quantity dialog: its two backgrounds (English and Chinese), the reset and confirm
// buttons, and the quantity slider's track, filled part and thumb.
#include <cmath>

#include "layout.h"
#include "paint.h"
#include "pictures.h"

namespace skin {

namespace {

using namespace palette;

struct Wording {
  const char* title;
  const char* caption;
  const char* unit;  // after the number, or empty
  layout::ValueSpot value;
};
constexpr Wording kEnglish{"Lights Quantity", "LEDs on the strip", "", layout::kQtyValueEnglish};
constexpr Wording kChinese{"灯数设置", "当前灯数", "颗", layout::kQtyValueChinese};

constexpr double kRowTop = 55, kRowHeight = 40;

// The light readout box where the program writes the number in black.
layout::Box readout_box(const layout::ValueSpot& v) {
  return {v.x - 9, 59, 40, 30};
}

Picture background(const Wording& w) {
  const int W = layout::kDialogWidth, H = layout::kDialogHeight;
  Surface s(W, H);
  cairo_t* cr = s.cr();
  rounded_rect(cr, 0, 0, W, H, 14);
  fill_vertical(cr, 0, H, kBaseTop, kBaseBottom, true);
  cairo_save(cr);
  cairo_clip(cr);
  glow(cr, 30, 0, 0, 220, kAccentViolet, 0.14);
  glow(cr, W, H, 0, 200, kAccent, 0.10);
  // Title line.
  draw_brand_mark(cr, 29, 24, 8);
  draw_text(cr, w.title, 45, 14, Align::kLeft,
            TextStyle{.size_px = 16, .bold = true, .colour = kText, .letter_spacing_px = 0.3});
  cairo_pattern_t* p = cairo_pattern_create_linear(18, 0, W - 18, 0);
  cairo_pattern_add_color_stop_rgba(p, 0, 0.22, 0.84, 1.0, 0.0);
  cairo_pattern_add_color_stop_rgba(p, 0.3, 0.24, 0.55, 1.0, 0.8);
  cairo_pattern_add_color_stop_rgba(p, 0.7, 0.54, 0.36, 1.0, 0.8);
  cairo_pattern_add_color_stop_rgba(p, 1, 0.54, 0.36, 1.0, 0.0);
  cairo_set_source(cr, p);
  cairo_rectangle(cr, 18, 43, W - 36, 1);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  // The readout row: caption on the left, the number in a light box on the right.
  rounded_rect(cr, 40.5, kRowTop + 0.5, 260, kRowHeight, 9);
  set_colour(cr, hex(0x0B1120));
  cairo_fill_preserve(cr);
  set_colour(cr, kPanelEdge);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  const layout::Box box = readout_box(w.value);
  const double caption_size = 14;
  draw_text(cr, w.caption, 53, kRowTop + (kRowHeight - caption_size * 1.2) / 2 + 0.5, Align::kLeft,
            TextStyle{.size_px = caption_size, .colour = kText});
  rounded_rect(cr, box.x + 0.5, box.y + 0.5, box.w - 1, box.h - 1, 6);
  glow_stroke(cr, kAccent, 1, 6, 0.3);
  rounded_rect(cr, box.x + 0.5, box.y + 0.5, box.w - 1, box.h - 1, 6);
  fill_vertical(cr, box.y, box.y + box.h, hex(0xEEF3FC), hex(0xD5DEEF), true);
  set_colour(cr, hex(0x6E8BEA));
  cairo_stroke(cr);
  draw_text(cr, w.unit, box.x + box.w + 8, kRowTop + (kRowHeight - caption_size * 1.2) / 2 + 0.5,
            Align::kLeft, TextStyle{.size_px = caption_size, .colour = kTextDim});
  // Range marks under the slider's ends.
  const auto& sl = layout::kQtySlider;
  const double left = sl.x + layout::kQtyThumbWidth / 2 + 0.5;
  const double right = sl.x + sl.w - layout::kQtyThumbWidth / 2 - 0.5;
  TextStyle mark{.size_px = 11, .bold = true, .colour = kTextDim};
  for (double x : {left, right}) {
    cairo_rectangle(cr, x - 0.5, sl.y + sl.h + 1, 1, 3);
    set_colour(cr, kTextDim, 0.8);
    cairo_fill(cr);
  }
  draw_text(cr, "4", left, sl.y + sl.h + 5, Align::kCentre, mark);
  draw_text(cr, "64", right, sl.y + sl.h + 5, Align::kCentre, mark);
  cairo_restore(cr);
  rounded_rect(cr, 0.5, 0.5, W - 1, H - 1, 13.5);
  set_colour(cr, hex(0x34467A));
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  return flatten(s);
}

void reset_glyph(cairo_t* cr, double cx, double cy, Rgb c) {
  cairo_arc(cr, cx, cy, 7.5, -M_PI * 0.35, M_PI * 1.35);
  cairo_set_line_width(cr, 2.2);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  set_colour(cr, c);
  cairo_stroke(cr);
  const double a = -M_PI * 0.35;
  const double ex = cx + 7.5 * std::cos(a), ey = cy + 7.5 * std::sin(a);
  cairo_move_to(cr, ex + 4, ey - 1.5);
  cairo_line_to(cr, ex - 1.8, ey - 4.2);
  cairo_line_to(cr, ex - 0.4, ey + 3.2);
  cairo_close_path(cr);
  cairo_fill(cr);
}

void tick_glyph(cairo_t* cr, double cx, double cy, Rgb c) {
  cairo_move_to(cr, cx - 8, cy + 0.5);
  cairo_line_to(cr, cx - 2.5, cy + 6);
  cairo_line_to(cr, cx + 8.5, cy - 6);
  cairo_set_line_width(cr, 2.6);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  set_colour(cr, c);
  cairo_stroke(cr);
}

Picture dialog_button(const Picture& bg, bool confirm, bool hover) {
  const int w = layout::kReset.w, h = layout::kReset.h;
  Surface shape(w, h);
  rounded_rect(shape.cr(), 0, 0, w, h, 9);
  set_colour(shape.cr(), hex(0));
  cairo_fill(shape.cr());
  Surface s(w, h);
  cairo_t* cr = s.cr();
  rounded_rect(cr, 0.5, 0.5, w - 1, h - 1, 8.5);
  if (confirm) {
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, w, h);
    const Rgb a = hover ? hex(0x3F72FF) : hex(0x2C55D8);
    const Rgb z = hover ? hex(0x7446F0) : hex(0x5632B8);
    cairo_pattern_add_color_stop_rgb(p, 0, a.r / 255.0, a.g / 255.0, a.b / 255.0);
    cairo_pattern_add_color_stop_rgb(p, 1, z.r / 255.0, z.g / 255.0, z.b / 255.0);
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    set_colour(cr, hover ? hex(0xA9C4FF) : hex(0x6E8BEA), 0.85);
  } else {
    fill_vertical(cr, 0, h, hover ? hex(0x2A3A66) : hex(0x1B2542),
                  hover ? hex(0x1C2850) : hex(0x111830), true);
    set_colour(cr, hover ? hex(0x5A7AC8) : hex(0x34456F));
  }
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  cairo_save(cr);
  rounded_rect(cr, 1, 1, w - 2, h - 2, 8);
  cairo_clip(cr);
  cairo_pattern_t* gloss = cairo_pattern_create_linear(0, 0, 0, h / 2.0);
  cairo_pattern_add_color_stop_rgba(gloss, 0, 1, 1, 1, hover ? 0.16 : 0.09);
  cairo_pattern_add_color_stop_rgba(gloss, 1, 1, 1, 1, 0);
  cairo_set_source(cr, gloss);
  cairo_paint(cr);
  cairo_pattern_destroy(gloss);
  cairo_restore(cr);
  if (confirm) {
    tick_glyph(cr, w / 2.0, h / 2.0, hex(0xF6F8FC));
  } else {
    reset_glyph(cr, w / 2.0, h / 2.0 + 0.5, hover ? hex(0x8FE6FF) : palette::kAccentCyan);
  }
  return flatten(s, {.background = &bg, .shape = &shape});
}

Picture quantity_track(const Picture& bg, bool filled) {
  const auto& sl = layout::kQtySlider;
  Surface s(sl.w, sl.h);
  cairo_t* cr = s.cr();
  rounded_rect(cr, 1.5, 5, sl.w - 3, 6, 3);
  if (filled) {
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, sl.w, 0);
    cairo_pattern_add_color_stop_rgb(p, 0, 0.22, 0.84, 1.0);
    cairo_pattern_add_color_stop_rgb(p, 0.5, 0.24, 0.55, 1.0);
    cairo_pattern_add_color_stop_rgb(p, 1, 0.54, 0.36, 1.0);
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    glow_stroke(cr, kAccent, 1, 5, 0.35);
    cairo_rectangle(cr, 4, 5.5, sl.w - 8, 1);
    set_colour(cr, hex(0xFFFFFF), 0.3);
    cairo_fill(cr);
  } else {
    set_colour(cr, kWell);
    cairo_fill_preserve(cr);
    set_colour(cr, kWellEdge);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
  }
  return flatten_opaque(s, &bg);
}

Picture quantity_thumb() {
  const int w = layout::kQtyThumbWidth, h = layout::kQtySlider.h;
  Surface s(w, h);
  cairo_t* cr = s.cr();
  rounded_rect(cr, 0, 0, w, h, 3.5);
  fill_vertical(cr, 0, h, hex(0xF4F7FC), hex(0xBCC8E2), true);
  cairo_new_path(cr);
  rounded_rect(cr, 0.5, 0.5, w - 1, h - 1, 3);
  set_colour(cr, hex(0x7E92C0));
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  cairo_rectangle(cr, w / 2 - 0.5 + 0.5, 4, 1, h - 8);
  set_colour(cr, palette::kAccent);
  cairo_fill(cr);
  Picture out(w, h, kKey);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const std::uint32_t p = s.pixel(x, y);
      const int a = p >> 24;
      if (a < 128) continue;
      auto un = [a](int v) { return static_cast<std::uint8_t>(std::min(255, v * 255 / a)); };
      out.at(x, y) = {un((p >> 16) & 0xFF), un((p >> 8) & 0xFF), un(p & 0xFF)};
    }
  }
  return out;
}

}  // namespace

void draw_quantity_dialog(PictureSet& out) {
  out[250] = background(kEnglish);
  out[240] = background(kChinese);
  // Both backgrounds are identical under the buttons and the slider, so one set of pictures fits.
  const Picture& bg = out[250];
  const auto& r = layout::kReset;
  const auto& c = layout::kConfirm;
  const Picture reset_bg = bg.crop(r.x, r.y, r.w, r.h);
  const Picture confirm_bg = bg.crop(c.x, c.y, c.w, c.h);
  out[241] = dialog_button(reset_bg, false, false);
  out[242] = dialog_button(reset_bg, false, true);
  out[243] = dialog_button(confirm_bg, true, false);
  out[244] = dialog_button(confirm_bg, true, true);
  const auto& sl = layout::kQtySlider;
  const Picture track_bg = bg.crop(sl.x, sl.y, sl.w, sl.h);
  out[245] = quantity_track(track_bg, false);
  out[246] = quantity_track(track_bg, true);
  out[247] = quantity_thumb();
}

}  // namespace skin
