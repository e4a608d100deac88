// The program icon: one design, drawn as the program's own 32 x 32 icon (resource 128) and at every
// size of the desktop's icon theme (PNG with transparent corners, for launchers and menus).
#include <algorithm>
#include <filesystem>
#include <stdexcept>

#include "paint.h"
#include "pictures.h"

namespace skin {
namespace {

using namespace palette;

// The design on a 32-unit grid, scaled to `size` pixels; outside the rounded tile nothing is drawn.
void paint_program_icon(cairo_t* cr, double size) {
  cairo_save(cr);
  cairo_scale(cr, size / 32.0, size / 32.0);
  rounded_rect(cr, 1, 1, 30, 30, 7);
  fill_vertical(cr, 1, 31, hex(0x1E2A4C), hex(0x0E1426), true);
  set_colour(cr, hex(0x3A4C78));
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  draw_brand_mark(cr, 16, 16, 10.5);
  cairo_restore(cr);
}

}  // namespace

Picture program_icon() {
  Surface s(32, 32);
  cairo_t* cr = s.cr();
  // The program's icon has no transparency: its corners take the window's darkest colour.
  cairo_rectangle(cr, 0, 0, 32, 32);
  set_colour(cr, kBaseBottom);
  cairo_fill(cr);
  paint_program_icon(cr, 32);
  return flatten_opaque(s);
}

void write_theme_icons(const std::string& res_directory, const std::string& preview_directory) {
  // The preview: each size as it is, and under it magnified to 128 pixels, on a light panel and on
  // a dark one.
  constexpr int kGap = 16, kZoom = 128, kLargest = 256;
  int width = kGap;
  for (int size : kThemeIconSizes) width += std::max(size, kZoom) + kGap;
  const int panel_height = kGap + kLargest + kGap + kZoom + kGap;
  Surface sheet(width, 2 * panel_height);
  cairo_t* sheet_cr = sheet.cr();
  for (int panel = 0; panel < 2; ++panel) {
    cairo_rectangle(sheet_cr, 0, panel * panel_height, width, panel_height);
    set_colour(sheet_cr, panel == 0 ? hex(0xF2F2F2) : hex(0x2B2B2B));
    cairo_fill(sheet_cr);
  }

  int x = kGap;
  for (int size : kThemeIconSizes) {
    const std::string edge = std::to_string(size);
    const std::filesystem::path folder =
        std::filesystem::path(res_directory) / "icons" / "hicolor" / (edge + "x" + edge) / "apps";
    std::filesystem::create_directories(folder);
    Surface s(size, size);
    paint_program_icon(s.cr(), size);
    cairo_surface_flush(s.surface());
    const std::string path = (folder / "halcyra.png").string();
    if (cairo_surface_write_to_png(s.surface(), path.c_str()) != CAIRO_STATUS_SUCCESS) {
      throw std::runtime_error("cannot write " + path);
    }
    for (int panel = 0; panel < 2; ++panel) {
      const int top = panel * panel_height + kGap;
      cairo_save(sheet_cr);
      cairo_set_source_surface(sheet_cr, s.surface(), x, top + kLargest - size);
      cairo_paint(sheet_cr);
      cairo_translate(sheet_cr, x, top + kLargest + kGap);
      cairo_scale(sheet_cr, static_cast<double>(kZoom) / size, static_cast<double>(kZoom) / size);
      cairo_set_source_surface(sheet_cr, s.surface(), 0, 0);
      cairo_pattern_set_filter(cairo_get_source(sheet_cr), CAIRO_FILTER_NEAREST);
      cairo_paint(sheet_cr);
      cairo_restore(sheet_cr);
    }
    x += std::max(size, kZoom) + kGap;
  }
  const std::string preview = preview_directory + "/program-icon.png";
  cairo_surface_flush(sheet.surface());
  if (cairo_surface_write_to_png(sheet.surface(), preview.c_str()) != CAIRO_STATUS_SUCCESS) {
    throw std::runtime_error("cannot write " + preview);
  }
}

}  // namespace skin
