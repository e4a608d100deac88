#include "scaled_face.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <cmath>

namespace gdi::text {
namespace {

const TT_OS2* Os2Table(FT_Face face) {
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  if (os2 == nullptr || os2->version == 0xFFFF) return nullptr;
  return os2;
}

// Copies a rendered glyph slot bitmap into 8-bit coverage, expanding 1-bit mono bitmaps.
bool CopyBitmap(const FT_Bitmap& bitmap, GlyphBitmap& out) {
  const int width = static_cast<int>(bitmap.width);
  const int rows = static_cast<int>(bitmap.rows);
  if (width <= 0 || rows <= 0 || bitmap.buffer == nullptr) return true;  // a space
  if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY && bitmap.pixel_mode != FT_PIXEL_MODE_MONO) {
    return false;
  }
  out.width = width;
  out.rows = rows;
  out.coverage.assign(static_cast<std::size_t>(width) * rows, 0);
  const int pitch = bitmap.pitch;
  const int stride = pitch < 0 ? -pitch : pitch;
  for (int y = 0; y < rows; ++y) {
    // A negative pitch stores the rows bottom first.
    const unsigned char* src =
        bitmap.buffer + static_cast<std::ptrdiff_t>(stride) * (pitch < 0 ? rows - 1 - y : y);
    std::uint8_t* dst = out.coverage.data() + static_cast<std::size_t>(y) * width;
    if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY) {
      const unsigned grays = bitmap.num_grays > 1 ? bitmap.num_grays - 1 : 255;
      for (int x = 0; x < width; ++x) {
        dst[x] = grays == 255 ? src[x] : static_cast<std::uint8_t>(src[x] * 255u / grays);
      }
    } else {
      for (int x = 0; x < width; ++x) dst[x] = (src[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
    }
  }
  return true;
}

}  // namespace

std::unique_ptr<ScaledFace> ScaledFace::Open(std::shared_ptr<FreeTypeLibrary> library,
                                             const FaceMatch& match) {
  if (!library) return nullptr;
  FT_Face raw = library->OpenFace(match.file, match.index);
  if (raw == nullptr) return nullptr;
  FaceHandle face(std::move(library), raw);
  if (!FT_IS_SCALABLE(raw) || raw->units_per_EM == 0) return nullptr;
  // Symbol fonts map their glyphs into the private use area; Unicode is what we look up.
  if (FT_Select_Charmap(raw, FT_ENCODING_UNICODE) != 0 && raw->charmap == nullptr) return nullptr;
  return std::make_unique<ScaledFace>(std::move(face), match);
}

VerticalUnits ScaledFace::Units() const {
  FT_Face face = face_.get();
  VerticalUnits units;
  units.units_per_em = face->units_per_EM;
  const TT_OS2* os2 = Os2Table(face);
  if (os2 != nullptr && os2->usWinAscent + os2->usWinDescent > 0) {
    units.ascent = os2->usWinAscent;
    units.descent = os2->usWinDescent;
  } else {
    units.ascent = face->ascender;
    units.descent = -face->descender;
  }
  return units;
}

bool ScaledFace::Configure(double ppem, bool embolden, bool oblique, bool antialias) {
  embolden_ = embolden;
  oblique_ = oblique;
  antialias_ = antialias;
  const FT_F26Dot6 size = std::max<FT_F26Dot6>(64, std::lround(ppem * 64.0));
  // At 72 dpi one point is one pixel.
  return FT_Set_Char_Size(face_.get(), 0, size, 72, 72) == 0;
}

unsigned ScaledFace::CharIndex(char32_t c) const {
  if (c > 0x10FFFF) return 0;
  return FT_Get_Char_Index(face_.get(), static_cast<FT_ULong>(c));
}

GlyphBitmap ScaledFace::RenderGlyph(unsigned index) {
  FT_Face face = face_.get();
  GlyphBitmap glyph;
  // Light hinting keeps the shapes and only snaps vertically, which suits grey-scale; mono
  // output needs the full hinting to stay legible.
  const FT_Int32 target = antialias_ ? FT_LOAD_TARGET_LIGHT : FT_LOAD_TARGET_MONO;
  if (FT_Load_Glyph(face, index, FT_LOAD_NO_BITMAP | target) != 0 &&
      FT_Load_Glyph(face, index, FT_LOAD_NO_BITMAP | FT_LOAD_NO_HINTING) != 0) {
    return glyph;
  }
  FT_GlyphSlot slot = face->glyph;
  if (embolden_) FT_GlyphSlot_Embolden(slot);
  if (oblique_) FT_GlyphSlot_Oblique(slot);
  glyph.advance = static_cast<int>((slot->advance.x + 32) >> 6);
  if (slot->format != FT_GLYPH_FORMAT_BITMAP &&
      FT_Render_Glyph(slot, antialias_ ? FT_RENDER_MODE_NORMAL : FT_RENDER_MODE_MONO) != 0) {
    return glyph;
  }
  if (!CopyBitmap(slot->bitmap, glyph)) {
    glyph.coverage.clear();
    glyph.width = glyph.rows = 0;
    return glyph;
  }
  glyph.left = slot->bitmap_left;
  glyph.top = slot->bitmap_top;
  return glyph;
}

std::string ScaledFace::Family() const {
  const char* name = face_.get()->family_name;
  return name != nullptr ? name : std::string();
}

int ScaledFace::Weight() const {
  const TT_OS2* os2 = Os2Table(face_.get());
  if (os2 != nullptr && os2->usWeightClass >= 1 && os2->usWeightClass <= 1000) {
    return os2->usWeightClass;
  }
  return (face_.get()->style_flags & FT_STYLE_FLAG_BOLD) != 0 ? 700 : 400;
}

bool ScaledFace::Italic() const {
  return (face_.get()->style_flags & FT_STYLE_FLAG_ITALIC) != 0;
}

int ScaledFace::AverageCharWidthUnits() const {
  const TT_OS2* os2 = Os2Table(face_.get());
  return os2 != nullptr && os2->xAvgCharWidth > 0 ? os2->xAvgCharWidth : 0;
}

int ScaledFace::MaxAdvanceUnits() const {
  return face_.get()->max_advance_width;
}

}  // namespace gdi::text
