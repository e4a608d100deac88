// Draws every picture of the program into <res>/bitmaps and <res>/icons, and the previews.
//   halcyra-skingen <res folder> <preview folder>
#include <cstdio>
#include <exception>
#include <string>

#include "bmp_writer.h"
#include "pictures.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <res folder> <preview folder>\n", argv[0]);
    return 2;
  }
  const std::string res = argv[1], previews = argv[2];
  try {
    skin::PictureSet set;
    set[251] = skin::draw_main_skin();
    skin::draw_effect_tiles(set.at(251), set);
    skin::draw_widgets(set.at(251), set);
    skin::draw_quantity_dialog(set);
    for (const auto& [id, picture] : set) {
      const std::string path =
          id == 128 ? res + "/icons/128.bmp" : res + "/bitmaps/" + std::to_string(id) + ".bmp";
      skin::write_file(path, skin::encode_bmp(picture));
    }
    skin::write_theme_icons(res, previews);
    skin::write_previews(set, previews);
    std::printf("%zu pictures written\n", set.size());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "halcyra-skingen: %s\n", e.what());
    return 1;
  }
  return 0;
}
