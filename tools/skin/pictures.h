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
void write_previews(const PictureSet& set, const std::string& directory);

}  // namespace skin
