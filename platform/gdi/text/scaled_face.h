// One FreeType face scaled to a pixel size, with what it must synthesise (bold, slant) and how it
// renders (grey-scale or mono). Produces coverage bitmaps of single glyphs; the font caches them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "cell_size.h"
#include "font_catalog.h"
#include "freetype_library.h"

namespace gdi::text {

struct GlyphBitmap {
  int left = 0;  // first column, relative to the pen position
  int top = 0;   // first row, in pixels above the baseline
  int width = 0;
  int rows = 0;
  int advance = 0;                     // whole pixels
  std::vector<std::uint8_t> coverage;  // width * rows, 0..255
};

class ScaledFace {
 public:
  // Null when the file cannot be opened or holds no scalable outlines.
  static std::unique_ptr<ScaledFace> Open(std::shared_ptr<FreeTypeLibrary> library,
                                          const FaceMatch& match);

  ScaledFace(FaceHandle face, FaceMatch match) : face_(std::move(face)), match_(std::move(match)) {}

  VerticalUnits Units() const;
  // Sets the size and the synthesis; false when FreeType refuses the size.
  bool Configure(double ppem, bool embolden, bool oblique, bool antialias);

  // 0 when the face has no glyph for `c`.
  unsigned CharIndex(char32_t c) const;
  // An unloadable glyph gives an empty bitmap with no advance.
  GlyphBitmap RenderGlyph(unsigned index);

  std::string Family() const;
  const FaceMatch& Match() const { return match_; }
  // What the face itself was designed as, not what fontconfig reports for the match (which
  // claims the requested weight and slant when it expects the renderer to synthesise them).
  int Weight() const;
  bool Italic() const;
  bool Emboldened() const { return embolden_; }
  // Design units; 0 when the face does not say.
  int AverageCharWidthUnits() const;
  int MaxAdvanceUnits() const;

 private:
  FaceHandle face_;
  FaceMatch match_;
  bool embolden_ = false;
  bool oblique_ = false;
  bool antialias_ = true;
};

}  // namespace gdi::text
