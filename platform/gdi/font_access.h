// How the text calls reach the font engine: the resolved face of an HFONT, and text as UTF-32.
#pragma once

#include <memory>
#include <string>

#include "font_engine.h"
#include "objects.h"

namespace gdi::detail {

gdi::text::FontRequest RequestOf(const LOGFONTW& lf);

// The face of `font` (resolved on first use), or of the system font when the handle is not a font.
// Null when no font at all is installed.
std::shared_ptr<const gdi::text::Font> FaceOf(HFONT font);

// Metrics when there is no face to ask: what the logical font asks for.
gdi::text::FontMetrics FallbackMetrics(HFONT font);

// wchar_t is UTF-32 here, so this is a plain widening copy.
inline std::u32string ToU32(const wchar_t* text, std::size_t count) {
  std::u32string out(count, U'\0');
  for (std::size_t i = 0; i < count; ++i) out[i] = static_cast<char32_t>(text[i]);
  return out;
}

}  // namespace gdi::detail
