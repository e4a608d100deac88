// The main window's smaller pictures: colour swatches, the colour wheel, slider tracks and thumbs,
// drop-down arrows, window buttons, page tabs, the Synchronize switch, and Apply.
#include <array>
#include <cmath>

#include "layout.h"
#include "paint.h"
#include "pictures.h"

namespace skin {

namespace {

using namespace palette;

Surface rounded_shape(int w, int h, double r) {
  Surface s(w, h);
  rounded_rect(s.cr(), 0, 0, w, h, r);
  set_colour(s.cr(), hex(0));
  cairo_fill(s.cr());
  return s;
}

Picture under(const Picture& skin, const layout::Box& b) {
  return skin.crop(b.x, b.y, b.w, b.h);
}

// --- Colour swatches -------------------------------------------------------------------------

void swatches(const Picture& skin, PictureSet& out) {
  constexpr int w = layout::kSwatchWidth, h = layout::kSwatchHeight;
  const Surface shape = rounded_shape(w, h, 6);
  for (const auto& sw : layout::kSwatches) {
    const Picture bg = skin.crop(sw.x, sw.y, w, h);
    const bool white = sw.colour == Rgb{255, 255, 255};
    for (bool lit : {false, true}) {
      Surface s(w, h);
      cairo_t* cr = s.cr();
      rounded_rect(cr, 0, 0, w, h, 6);
      set_colour(cr, hex(0x0B101D));
      cairo_fill(cr);
      // The square itself is flat, in exactly the colour the sample shows for it.
      rounded_rect(cr, 4, 4, w - 8, h - 8, 2.5);
      set_colour(cr, sw.colour);
      cairo_fill(cr);
      if (lit) {
        rounded_rect(cr, 1.25, 1.25, w - 2.5, h - 2.5, 4.75);
        set_colour(cr, white ? kAccent : hex(0xFAFAFA));
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
      } else {
        rounded_rect(cr, 0.5, 0.5, w - 1, h - 1, 5.5);
        set_colour(cr, kPanelEdge);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
      }
      out[sw.plain + (lit ? 1 : 0)] = flatten(s, {.background = &bg, .shape = &shape});
    }
  }
}

// --- Colour wheel ----------------------------------------------------------------------------

constexpr Rgb kWheelRing{13, 29, 37};  // a press here changes nothing: the program checks for it

Picture colour_wheel() {
  const auto& b = layout::kWheel;
  const double c = b.w / 2.0;
  constexpr double kDisc = 81.6, kOuter = 85.3;
  Picture out(b.w, b.h);
  constexpr int kSub = 4;
  for (int y = 0; y < b.h; ++y) {
    for (int x = 0; x < b.w; ++x) {
      if (std::hypot(x + 0.5 - c, y + 0.5 - c) > kOuter) continue;  // stays white: outside
      double r = 0, g = 0, bl = 0;
      for (int sy = 0; sy < kSub; ++sy) {
        for (int sx = 0; sx < kSub; ++sx) {
          const double px = x + (sx + 0.5) / kSub - c, py = y + (sy + 0.5) / kSub - c;
          const double d = std::hypot(px, py);
          Rgb col = kWheelRing;
          if (d < kDisc) {
            const double hue = std::atan2(px, -py) * 180 / M_PI;
            col = hsv(hue, std::pow(d / kDisc, 0.85), 1.0);
          }
          r += col.r, g += col.g, bl += col.b;
        }
      }
      constexpr double n = kSub * kSub;
      Rgb px{static_cast<std::uint8_t>(std::lround(r / n)),
             static_cast<std::uint8_t>(std::lround(g / n)),
             static_cast<std::uint8_t>(std::lround(bl / n))};
      if (px.r >= 253 && px.g >= 253 && px.b >= 253) px = {252, 252, 252};
      out.at(x, y) = px;
    }
  }
  return out;
}

// --- Sliders ---------------------------------------------------------------------------------

Picture main_track(const Picture& bg, Rgb channel) {
  const int w = layout::kSliderWidth, h = layout::kSliderHeight;
  Surface s(w, h);
  cairo_t* cr = s.cr();
  rounded_rect(cr, 0.5, 3, w - 1, 6, 3);
  cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, w, 0);
  const Rgb dark = mix(hex(0x0A0E18), channel, 0.12);
  cairo_pattern_add_color_stop_rgb(p, 0, dark.r / 255.0, dark.g / 255.0, dark.b / 255.0);
  cairo_pattern_add_color_stop_rgb(p, 1, channel.r / 255.0, channel.g / 255.0, channel.b / 255.0);
  cairo_set_source(cr, p);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(p);
  set_colour(cr, hex(0x2A3859));
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  cairo_rectangle(cr, 3, 3.5, w - 6, 1);
  set_colour(cr, hex(0xFFFFFF), 0.14);
  cairo_fill(cr);
  return flatten_opaque(s, &bg);
}

// Thumbs: the top-left pixel is the transparent colour, so the corners let the track show.
Picture thumb(int w, int h, Rgb edge, Rgb core) {
  Picture t(w, h, edge);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const bool corner = (x == 0 || x == w - 1) && (y == 0 || y == h - 1);
      if (corner) {
        t.at(x, y) = kKey;
      } else if (x > 0 && x < w - 1 && y > 0 && y < h - 1) {
        t.at(x, y) = core;
      }
    }
  }
  return t;
}

void sliders(const Picture& skin, PictureSet& out) {
  const std::array<Rgb, 3> channels{hex(0xF0303A), hex(0x28D05E), hex(0x3070FF)};
  const std::array<int, 3> tracks{228, 232, 231}, thumbs{233, 237, 236};
  for (int i = 0; i < 3; ++i) {
    const Picture bg = skin.crop(layout::kSliderLeft, layout::kSliderTops[i], layout::kSliderWidth,
                                 layout::kSliderHeight);
    out[tracks[i]] = main_track(bg, channels[i]);
    out[thumbs[i]] =
        thumb(layout::kSliderThumbWidth, layout::kSliderHeight, hex(0xC9D3EA), hex(0xF4F7FC));
  }
  const Picture bg = skin.crop(layout::kSliderLeft, layout::kSliderTops[0], layout::kSliderWidth,
                               layout::kSliderHeight);
  out[229] = main_track(bg, hex(0x8A94AA));
  out[230] = main_track(bg, hex(0x8A94AA));
  out[235] = thumb(layout::kSliderThumbWidth, layout::kSliderHeight, hex(0x9AA4BA), hex(0xC4CCDC));
  out[234] = Picture(layout::kSliderThumbWidth, layout::kSliderHeight, hex(0x5C667E));
}

// --- Buttons ---------------------------------------------------------------------------------

void chevron(cairo_t* cr, double cx, double cy, double half, Rgb c) {
  cairo_move_to(cr, cx - half, cy - half / 2);
  cairo_line_to(cr, cx, cy + half / 2);
  cairo_line_to(cr, cx + half, cy - half / 2);
  cairo_set_line_width(cr, 1.7);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  set_colour(cr, c);
  cairo_stroke(cr);
}

void arrows(PictureSet& out) {
  const auto& b = layout::kLanguageArrow;
  const Surface shape = rounded_shape(b.w, b.h, 4);
  for (bool hover : {false, true}) {
    Surface s(b.w, b.h);
    cairo_t* cr = s.cr();
    rounded_rect(cr, 0, 0, b.w, b.h, 4);
    if (hover) {
      fill_vertical(cr, 0, b.h, hex(0x4A8DFF), hex(0x2F5FD8), true);
    } else {
      fill_vertical(cr, 0, b.h, hex(0x23304F), hex(0x151D35), true);
    }
    cairo_new_path(cr);
    rounded_rect(cr, 0.5, 0.5, b.w - 1, b.h - 1, 3.5);
    set_colour(cr, hover ? hex(0x8CB8FF) : hex(0x3A4C78));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    chevron(cr, b.w / 2.0, b.h / 2.0 + 0.5, 4, hover ? hex(0xF4F7FC) : hex(0xB8C6E6));
    // Both arrows (language and lights quantity) share these pictures, on different grounds,
    // so the edge keeps its own colour instead of blending into one of them.
    out[hover ? 249 : 248] = flatten(s, {.shape = &shape});
  }
}

void window_buttons(const Picture& skin, PictureSet& out) {
  for (bool close : {false, true}) {
    const auto& b = close ? layout::kClose : layout::kMinimise;
    const Picture bg = under(skin, b);
    const Surface shape = rounded_shape(b.w, b.h, 7);
    for (bool hover : {false, true}) {
      Surface s(b.w, b.h);
      cairo_t* cr = s.cr();
      rounded_rect(cr, 0.5, 0.5, b.w - 1, b.h - 1, 6.5);
      if (hover) {
        set_colour(cr, close ? hex(0xE0434F) : hex(0x2E3F68));
        cairo_fill(cr);
      } else {
        set_colour(cr, hex(0xFFFFFF), 0.05);
        cairo_fill_preserve(cr);
        set_colour(cr, hex(0xFFFFFF), 0.06);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
      }
      const Rgb glyph = hover ? hex(0xF6F8FC) : hex(0xA3B0CE);
      const double cx = b.w / 2.0, cy = b.h / 2.0;
      cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
      cairo_set_line_width(cr, 1.7);
      set_colour(cr, glyph);
      if (close) {
        cairo_move_to(cr, cx - 4.5, cy - 4.5);
        cairo_line_to(cr, cx + 4.5, cy + 4.5);
        cairo_move_to(cr, cx + 4.5, cy - 4.5);
        cairo_line_to(cr, cx - 4.5, cy + 4.5);
      } else {
        cairo_move_to(cr, cx - 5, cy + 0.5);
        cairo_line_to(cr, cx + 5, cy + 0.5);
      }
      cairo_stroke(cr);
      const int id = close ? (hover ? 197 : 196) : (hover ? 199 : 198);
      out[id] = flatten(s, {.background = &bg, .shape = &shape});
    }
  }
}

void page_tabs(const Picture& skin, PictureSet& out) {
  struct Tab {
    layout::Box box{};
    const char* text = nullptr;
    int inactive = 0, active = 0;
  };
  for (const Tab& t :
       {Tab{layout::kArgbTab, "5V", 200, 201}, Tab{layout::kVrgbTab, "12V", 202, 203}}) {
    const Picture bg = under(skin, t.box);
    const Surface shape = rounded_shape(t.box.w, t.box.h, 8);
    for (bool active : {false, true}) {
      Surface s(t.box.w, t.box.h);
      cairo_t* cr = s.cr();
      rounded_rect(cr, 0.5, 0.5, t.box.w - 1, t.box.h - 1, 7.5);
      if (active) {
        fill_vertical(cr, 0, t.box.h, hex(0x4A8DFF), hex(0x2A58C8), true);
        set_colour(cr, hex(0x8CB8FF));
      } else {
        fill_vertical(cr, 0, t.box.h, hex(0x1B2542), hex(0x111830), true);
        set_colour(cr, hex(0x2A3859));
      }
      cairo_set_line_width(cr, 1);
      cairo_stroke(cr);
      TextStyle style{.size_px = 15, .bold = true, .colour = active ? hex(0xF6F8FC) : kTextDim};
      draw_text(cr, t.text, t.box.w / 2.0, 6.5, Align::kCentre, style);
      out[active ? t.active : t.inactive] = flatten(s, {.background = &bg, .shape = &shape});
    }
  }
}

void sync_switch(const Picture& skin, PictureSet& out) {
  const auto& b = layout::kSync;
  const Picture bg = under(skin, b);
  const Surface shape = rounded_shape(b.w, b.h, b.h / 2.0);
  for (bool on : {false, true}) {
    Surface s(b.w, b.h);
    cairo_t* cr = s.cr();
    rounded_rect(cr, 0.5, 0.5, b.w - 1, b.h - 1, (b.h - 1) / 2.0);
    if (on) {
      fill_vertical(cr, 0, b.h, hex(0x4A8DFF), hex(0x6A4CE8), true);
      set_colour(cr, hex(0x8CB8FF));
    } else {
      set_colour(cr, hex(0x222C48));
      cairo_fill_preserve(cr);
      set_colour(cr, hex(0x3A4C78));
    }
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    const double kx = on ? b.w - b.h / 2.0 : b.h / 2.0;
    glow(cr, kx, b.h / 2.0 + 1, 5, 9, hex(0x000000), 0.35);
    cairo_arc(cr, kx, b.h / 2.0, b.h / 2.0 - 2.5, 0, 2 * M_PI);
    set_colour(cr, on ? hex(0xF4F7FC) : hex(0x9AA6C2));
    cairo_fill(cr);
    out[on ? 205 : 204] = flatten(s, {.background = &bg, .shape = &shape});
  }
}

void apply_button(const Picture& skin, PictureSet& out) {
  const auto& b = layout::kApply;
  const Picture bg = under(skin, b);
  const Surface shape = rounded_shape(b.w, b.h, 12);
  for (bool hover : {false, true}) {
    Surface s(b.w, b.h);
    cairo_t* cr = s.cr();
    // A darker base gives the button depth; the label sits on the face above it.
    rounded_rect(cr, 0, 0, b.w, b.h, 12);
    set_colour(cr, hex(0x17153F));
    cairo_fill(cr);
    rounded_rect(cr, 0, 0, b.w, b.h - 4, 12);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, b.w, b.h);
    const Rgb a = hover ? hex(0x3F72FF) : hex(0x2C55D8);
    const Rgb z = hover ? hex(0x7446F0) : hex(0x5632B8);
    cairo_pattern_add_color_stop_rgb(p, 0, a.r / 255.0, a.g / 255.0, a.b / 255.0);
    cairo_pattern_add_color_stop_rgb(p, 1, z.r / 255.0, z.g / 255.0, z.b / 255.0);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    cairo_save(cr);
    rounded_rect(cr, 0, 0, b.w, b.h - 4, 12);
    cairo_clip(cr);
    // Glass highlight on the upper half.
    cairo_pattern_t* gloss = cairo_pattern_create_linear(0, 0, 0, (b.h - 4) / 2.0);
    cairo_pattern_add_color_stop_rgba(gloss, 0, 1, 1, 1, hover ? 0.22 : 0.14);
    cairo_pattern_add_color_stop_rgba(gloss, 1, 1, 1, 1, 0.0);
    cairo_set_source(cr, gloss);
    cairo_paint(cr);
    cairo_pattern_destroy(gloss);
    if (hover) glow(cr, b.w / 2.0, b.h, 10, 110, kAccentCyan, 0.35);
    cairo_restore(cr);
    rounded_rect(cr, 0.5, 0.5, b.w - 1, b.h - 5, 11.5);
    set_colour(cr, hover ? hex(0xA9C4FF) : hex(0x6E8BEA), 0.8);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    out[hover ? 207 : 206] = flatten(s, {.background = &bg, .shape = &shape});
  }
}

}  // namespace

void draw_widgets(const Picture& skin, PictureSet& out) {
  swatches(skin, out);
  out[227] = colour_wheel();
  sliders(skin, out);
  arrows(out);
  window_buttons(skin, out);
  page_tabs(skin, out);
  sync_switch(skin, out);
  apply_button(skin, out);
  out[128] = program_icon();
}

}  // namespace skin
