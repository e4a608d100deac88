// Preview images: the main window and the lights-quantity dialog as a user sees them at start,
// composed from the pictures at their layout positions, plus a sheet of every effect tile.
#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "layout.h"
#include "paint.h"
#include "pictures.h"

namespace skin {

namespace {

constexpr int kMargin = 24;
constexpr Rgb kDesktop = hex(0x4A505C);

// Approximations of the program's fonts: its normal and bold faces, and the device default.
const TextStyle kNormalFont{.size_px = 12.5, .colour = hex(0xF5F5F5)};
const TextStyle kBoldFont{.size_px = 15.5, .bold = true, .colour = hex(0xF5F5F5)};
const TextStyle kDefaultFont{.size_px = 13.5, .bold = true, .colour = hex(0x000000)};

int slider_pixel(int value, int min, int max, int width, int thumb) {
  const int half = thumb / 2;
  return static_cast<int>((width - thumb) * (static_cast<double>(value - min) / (max - min))) +
         half;
}

void place_slider(Picture& canvas, const PictureSet& set, int x, int y, int track, int filled,
                  int thumb, int value, int min, int max) {
  const Picture& t = set.at(track);
  const Picture& th = set.at(thumb);
  const int px = slider_pixel(value, min, max, t.width(), th.width()) - th.width() / 2;
  canvas.blit_keyed(t, x, y, Rgb{1, 2, 3});
  const Picture fill = set.at(filled).crop(0, 0, std::max(1, px), t.height());
  if (px > 0) canvas.blit_keyed(fill, x, y, Rgb{1, 2, 3});
  canvas.blit_keyed(th, x + px, y, th.at(0, 0));
}

void label(cairo_t* cr, const layout::Box& b, Rgb back, const std::string& text,
           const TextStyle& font, int ox, int oy) {
  rounded_rect(cr, ox + b.x, oy + b.y, b.w, b.h, 1);
  set_colour(cr, back);
  cairo_fill(cr);
  cairo_save(cr);
  cairo_rectangle(cr, ox + b.x, oy + b.y, b.w, b.h);
  cairo_clip(cr);
  draw_text(cr, text, ox + b.x + b.w / 2.0, oy + b.y + (b.h - font.size_px * 1.15) / 2.0,
            Align::kCentre, font);
  cairo_restore(cr);
}

void save_png(const Surface& s, const std::string& path) {
  if (cairo_surface_write_to_png(s.surface(), path.c_str()) != CAIRO_STATUS_SUCCESS) {
    throw std::runtime_error("cannot write " + path);
  }
}

void main_window(const PictureSet& set, bool chinese, const std::string& path) {
  Picture canvas(layout::kSkinWidth + 2 * kMargin, layout::kSkinHeight + 2 * kMargin, kDesktop);
  const int ox = kMargin, oy = kMargin;
  canvas.blit_shaped(set.at(251), ox, oy);
  auto put = [&](int id, int x, int y) { canvas.blit_shaped(set.at(id), ox + x, oy + y); };
  put(227, layout::kWheel.x, layout::kWheel.y);
  for (const auto& sw : layout::kSwatches) put(sw.plain, sw.x, sw.y);
  put(206, layout::kApply.x, layout::kApply.y);
  put(198, layout::kMinimise.x, layout::kMinimise.y);
  put(196, layout::kClose.x, layout::kClose.y);
  for (int k = 1; k <= layout::kEffectCount; ++k) {
    put(k == 8 ? layout::effect_lit(k) : layout::effect_plain(k), layout::effect_x(k),
        layout::effect_y(k));
  }
  put(248, layout::kQuantityArrow.x, layout::kQuantityArrow.y);
  put(248, layout::kLanguageArrow.x, layout::kLanguageArrow.y);
  const int tracks[3] = {228, 232, 231}, thumbs[3] = {233, 237, 236}, values[3] = {61, 69, 255};
  for (int i = 0; i < 3; ++i) {
    place_slider(canvas, set, ox + layout::kSliderLeft, oy + layout::kSliderTops[i], tracks[i],
                 tracks[i], thumbs[i], values[i], 0, 255);
  }
  Surface s = canvas.to_surface();
  cairo_t* cr = s.cr();
  const auto& cs = layout::kColourSample;
  cairo_rectangle(cr, ox + cs.x, oy + cs.y, cs.w, cs.h);
  set_colour(cr, Rgb{61, 69, 255});
  cairo_fill(cr);
  label(cr, layout::kLanguageLabel, palette::kLabelDark, chinese ? "中文" : "ENGLISH", kNormalFont,
        ox, oy);
  label(cr, layout::kQuantityCaption, palette::kLabelNavy, chinese ? "灯数选择" : "Lights Qty",
        kBoldFont, ox, oy);
  label(cr, layout::kQuantityValue, palette::kLabelNavy, "30", kBoldFont, ox, oy);
  const Rgb value_colours[3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
  const int value_tops[3] = {360, 398, 438};
  const char* value_texts[3] = {" 61", " 69", "255"};
  for (int i = 0; i < 3; ++i) {
    TextStyle f = kDefaultFont;
    f.colour = value_colours[i];
    // "%3d" in a proportional face: right-align on the width of three digits.
    draw_text(cr, value_texts[i], ox + 753 + text_width("255", f), oy + value_tops[i],
              Align::kRight, f);
  }
  const auto& a = layout::kApply;
  draw_text(cr, chinese ? "灯效应用" : "Apply", ox + a.x + a.w / 2.0,
            oy + a.y + (a.h - 6 - kBoldFont.size_px * 1.15) / 2.0, Align::kCentre, kBoldFont);
  save_png(s, path);
}

void quantity_dialog(const PictureSet& set, bool chinese, const std::string& path) {
  Picture canvas(layout::kDialogWidth + 2 * kMargin, layout::kDialogHeight + 2 * kMargin, kDesktop);
  const int ox = kMargin, oy = kMargin;
  canvas.blit_shaped(set.at(chinese ? 240 : 250), ox, oy);
  canvas.blit_shaped(set.at(241), ox + layout::kReset.x, oy + layout::kReset.y);
  canvas.blit_shaped(set.at(243), ox + layout::kConfirm.x, oy + layout::kConfirm.y);
  constexpr int kValue = 30;
  place_slider(canvas, set, ox + layout::kQtySlider.x, oy + layout::kQtySlider.y, 245, 246, 247,
               kValue, 4, 64);
  Surface s = canvas.to_surface();
  const auto& spot = chinese ? layout::kQtyValueChinese : layout::kQtyValueEnglish;
  draw_text(s.cr(), std::to_string(kValue), ox + spot.x, oy + spot.y, Align::kLeft, kDefaultFont);
  save_png(s, path);
}

// Every effect tile in its three looks (lit, plain, grey), doubled for close inspection.
void effect_sheet(const PictureSet& set, const std::string& path) {
  constexpr int kCell = 64, kScale = 2;
  const int rows = 9, cols = 8;
  Picture sheet(cols * kCell + 8, rows * kCell + 8, hex(0x0C1120));
  for (int k = 1; k <= layout::kEffectCount; ++k) {
    const int col = (k - 1) % 8, band = (k - 1) / 8;
    const int ids[3] = {layout::effect_lit(k), layout::effect_plain(k), layout::effect_grey(k)};
    for (int look = 0; look < 3; ++look) {
      if (ids[look] == 0) continue;
      sheet.blit_shaped(set.at(ids[look]), 4 + col * kCell, 4 + (band * 3 + look) * kCell);
    }
  }
  Surface small = sheet.to_surface();
  Surface big(sheet.width() * kScale, sheet.height() * kScale);
  cairo_scale(big.cr(), kScale, kScale);
  cairo_set_source_surface(big.cr(), small.surface(), 0, 0);
  cairo_pattern_set_filter(cairo_get_source(big.cr()), CAIRO_FILTER_NEAREST);
  cairo_paint(big.cr());
  save_png(big, path);
}

// Every other button in each of its looks, tripled: normal beside hover or lit.
void control_sheet(const PictureSet& set, const std::string& path) {
  constexpr int kScale = 3;
  const std::vector<std::vector<int>> rows = {
      {196, 197, 198, 199, 248, 249, 204, 205},
      {200, 201, 202, 203},
      {208, 209, 214, 215, 218, 219, 216, 217, 220, 221, 212, 213, 210, 211, 222, 223},
      {206, 207},
      {241, 242, 243, 244},
      {233, 234, 235, 236, 237, 247},
      {228, 232, 231, 229},
      {245, 246},
  };
  int width = 0, height = 6;
  for (const auto& row : rows) {
    int w = 6, h = 0;
    for (int id : row) w += set.at(id).width() + 6, h = std::max(h, set.at(id).height());
    width = std::max(width, w);
    height += h + 6;
  }
  Picture sheet(width, height, hex(0x2A2F3A));
  int y = 6;
  for (const auto& row : rows) {
    int x = 6, h = 0;
    for (int id : row) {
      sheet.blit_shaped(set.at(id), x, y);
      x += set.at(id).width() + 6;
      h = std::max(h, set.at(id).height());
    }
    y += h + 6;
  }
  Surface small = sheet.to_surface();
  Surface big(sheet.width() * kScale, sheet.height() * kScale);
  cairo_scale(big.cr(), kScale, kScale);
  cairo_set_source_surface(big.cr(), small.surface(), 0, 0);
  cairo_pattern_set_filter(cairo_get_source(big.cr()), CAIRO_FILTER_NEAREST);
  cairo_paint(big.cr());
  save_png(big, path);
}

}  // namespace

void write_previews(const PictureSet& set, const std::string& directory) {
  main_window(set, false, directory + "/main-english.png");
  main_window(set, true, directory + "/main-chinese.png");
  quantity_dialog(set, false, directory + "/lights-quantity-english.png");
  quantity_dialog(set, true, directory + "/lights-quantity-chinese.png");
  effect_sheet(set, directory + "/effects.png");
  control_sheet(set, directory + "/controls.png");
}

}  // namespace skin
