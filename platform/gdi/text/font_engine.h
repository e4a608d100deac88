// The font engine under the graphics services: resolves logical fonts to installed faces through
// fontconfig, measures and renders text through FreeType. It knows nothing of device contexts: the
// text calls of the graphics layer place, clip and blend what it renders.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace gdi::text {

// What a logical font asks for.
struct FontRequest {
  int height = 0;  // > 0: cell height (ascent + descent) in pixels; < 0: em height; 0: default
  int weight = 0;  // 0 = default (normal), 400 normal, 700 bold
  bool italic = false;
  bool antialias = true;  // grey-scale anti-aliasing
  std::wstring face;      // "Arial", "System", ...; empty = the default sans-serif face
};

struct FontMetrics {
  int height = 0;  // cell height = ascent + descent
  int ascent = 0;
  int descent = 0;
  int internal_leading = 0;  // height - em size
  int ave_char_width = 0;
  int max_char_width = 0;
  int weight = 400;
};

// An 8-bit coverage mask (0 = nothing, 255 = full ink) of a run of text. Row 0 is the top of the
// character cell; the baseline is at row `ascent`. `width` is the advance width of the run.
struct TextMask {
  int width = 0;
  int height = 0;
  int ascent = 0;
  std::vector<std::uint8_t> coverage;  // width * height, row by row
};

// A font resolved for one request: a primary face and the faces that supply characters it lacks.
// Immutable and cheap to share; the graphics layer keeps one per HFONT.
class Font {
 public:
  virtual ~Font() = default;
  virtual const FontMetrics& Metrics() const = 0;
  // Advance width and cell height of `text`.
  virtual int MeasureWidth(std::u32string_view text) const = 0;
  virtual TextMask Render(std::u32string_view text) const = 0;
  // The family name the primary face reports ("Liberation Sans" for a request of "Arial").
  virtual std::string PrimaryFamily() const = 0;
};

// Never null while any font is installed: a face that cannot be found falls back to the default
// face, and characters the face lacks fall back to an installed face that has them (Chinese text).
// Returns null only when no font at all can be loaded.
std::shared_ptr<const Font> ResolveFont(const FontRequest& request);

// Whether `face` names an installed family; a family that resolves to a metric-compatible
// substitute (Liberation Sans for Arial) counts as present under the requested name.
bool FamilyInstalled(std::wstring_view face);

// Makes a font file available to this process (fontconfig application font). Relative names are
// looked up next to the executable and in the system's font directories. Returns the number of
// faces added, 0 when the file cannot be found or read.
int AddFontFile(std::wstring_view file_name);

}  // namespace gdi::text
