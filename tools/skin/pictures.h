// Every picture of the set, drawn from code, and the previews that show them in place.
#pragma once

#include <cairo.h>

#include <map>
#include <string>

#include "picture.h"

namespace skin {

// Pictures by resource identifier (128 is the program icon).
using PictureSet = std::map<int, Picture>;

Picture draw_main_skin();
// Draws effect k's pictogram centred at (cx, cy), about 36 pixels across.
void draw_effect_icon(cairo_t* cr, int k, double cx, double cy);
void draw_effect_tiles(const Picture& skin, PictureSet& out);
void draw_widgets(const Picture& skin, PictureSet& out);
void draw_quantity_dialog(PictureSet& out);

// The program's own icon (resource 128), 32 x 32 and opaque.
Picture program_icon();
// The edges of the icon theme's sizes, in pixels.
constexpr int kThemeIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};
// Draws the program icon at each of those sizes into
// <res>/icons/hicolor/<N>x<N>/apps/halcyra.png, laid out as the theme is installed, and a preview
// of them all, magnified too, into <preview>/program-icon.png.
void write_theme_icons(const std::string& res_directory, const std::string& preview_directory);
void write_previews(const PictureSet& set, const std::string& directory);

}  // namespace skin
