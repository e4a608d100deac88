// TextOutW and DrawTextW: place the font engine's coverage mask, clip it and blend it in the text
// colour, with the background box of OPAQUE mode and DrawText's layout rules.
#include <algorithm>
#include <cwchar>

#include "dc_access.h"
#include "font_access.h"
#include "wingdi.h"

using namespace gdi::detail;

namespace {

struct Ink {
  std::uint32_t text = 0;  // pixel of the text colour
  std::uint32_t back = 0;  // pixel of the background colour
  bool opaque = false;
  bool mono = false;
};

Ink InkOf(const DC& dc, const Bitmap& bm) {
  return Ink{PixelFor(bm, dc.text_color), PixelFor(bm, dc.bk_color), dc.bk_mode == OPAQUE, bm.mono};
}

inline std::uint32_t Blend(std::uint32_t d, std::uint32_t t, unsigned c) {
  auto ch = [&](int shift) {
    const unsigned dv = (d >> shift) & 0xFF, tv = (t >> shift) & 0xFF;
    return ((tv * c + dv * (255 - c) + 127) / 255) << shift;
  };
  return ch(16) | ch(8) | ch(0);
}

// Draws a run's mask with the top-left of its cell at `at` (target coordinates). `underline` is
// the column range to underline, empty when none.
void DrawRun(Bitmap& bm, const Region& clip, POINT at, const gdi::text::TextMask& mask,
             const Ink& ink, int underline_from, int underline_to) {
  if (mask.width <= 0 || mask.height <= 0 ||
      mask.coverage.size() < static_cast<std::size_t>(mask.width) * mask.height) {
    return;
  }
  const RECT cell{at.x, at.y, at.x + mask.width, at.y + mask.height};
  const auto rects = clip.RectsWithin(cell);
  for (const RECT& r : rects) {
    for (int y = r.top; y < r.bottom; ++y) {
      std::uint32_t* row = bm.pixels.data() + static_cast<std::size_t>(y) * bm.width;
      const std::uint8_t* cov =
          mask.coverage.data() + static_cast<std::size_t>(y - at.y) * mask.width;
      for (int x = r.left; x < r.right; ++x) {
        const unsigned c = cov[x - at.x];
        std::uint32_t& p = row[x];
        if (ink.opaque) p = ink.back;
        if (c == 0) continue;
        if (ink.mono) {
          if (c >= 128) p = ink.text;
        } else {
          p = c == 255 ? ink.text : Blend(p, ink.text, c);
        }
      }
    }
  }
  if (underline_from < underline_to) {
    const int y = at.y + std::min(mask.ascent + 1, mask.height - 1);
    const RECT line{at.x + underline_from, y, at.x + underline_to, y + 1};
    for (const RECT& r : clip.RectsWithin(line)) {
      std::fill(bm.pixels.data() + static_cast<std::size_t>(r.top) * bm.width + r.left,
                bm.pixels.data() + static_cast<std::size_t>(r.top) * bm.width + r.right, ink.text);
    }
  }
}

// One line of DrawText after its prefix characters are handled.
struct Line {
  std::u32string text;
  int mnemonic = -1;  // index of the underlined character, -1 for none
};

Line StripPrefixes(const wchar_t* text, std::size_t count, bool prefixes) {
  Line line;
  for (std::size_t i = 0; i < count; ++i) {
    wchar_t c = text[i];
    if (prefixes && c == L'&') {
      if (i + 1 >= count) break;  // a trailing '&' shows nothing
      c = text[++i];
      if (c != L'&') line.mnemonic = static_cast<int>(line.text.size());
    }
    line.text.push_back(static_cast<char32_t>(c));
  }
  return line;
}

std::vector<Line> SplitLines(const wchar_t* text, std::size_t count, UINT format) {
  const bool prefixes = !(format & DT_NOPREFIX);
  std::vector<Line> lines;
  if (format & DT_SINGLELINE) {
    std::wstring flat;
    for (std::size_t i = 0; i < count; ++i) {
      if (text[i] != L'\r' && text[i] != L'\n') flat.push_back(text[i]);
    }
    lines.push_back(StripPrefixes(flat.data(), flat.size(), prefixes));
    return lines;
  }
  std::size_t start = 0;
  for (std::size_t i = 0; i <= count; ++i) {
    if (i == count || text[i] == L'\r' || text[i] == L'\n') {
      lines.push_back(StripPrefixes(text + start, i - start, prefixes));
      if (i + 1 < count && text[i] == L'\r' && text[i + 1] == L'\n') ++i;
      start = i + 1;
    }
  }
  return lines;
}

}  // namespace

BOOL TextOutW(HDC hdc, int x, int y, LPCWSTR text, int count) {
  const Drawable d = GetDrawable(hdc);
  if (!d.dc || count < 0 || (count > 0 && !text)) return FALSE;
  if (count == 0 || !d.bitmap) return TRUE;
  auto face = FaceOf(d.dc->font);
  if (!face) return TRUE;  // no fonts installed: nothing to draw
  const auto mask = face->Render(ToU32(text, count));
  DrawRun(*d.bitmap, EffectiveClip(*d.dc, *d.bitmap), ToTarget(*d.dc, x, y), mask,
          InkOf(*d.dc, *d.bitmap), 0, 0);
  return TRUE;
}

int DrawTextW(HDC hdc, LPCWSTR text, int count, LPRECT rect, UINT format) {
  const Drawable d = GetDrawable(hdc);
  if (!d.dc || !rect || (!text && count != 0)) return 0;
  const std::size_t n = count < 0 ? std::wcslen(text) : static_cast<std::size_t>(count);
  if (n == 0) {
    if (format & DT_CALCRECT) rect->right = rect->left, rect->bottom = rect->top;
    return 0;
  }
  auto face = FaceOf(d.dc->font);
  const int lh = face ? face->Metrics().height : FallbackMetrics(d.dc->font).height;
  const std::vector<Line> lines = SplitLines(text, n, format);
  std::vector<int> widths;
  int widest = 0;
  for (const Line& line : lines) {
    widths.push_back(face ? face->MeasureWidth(line.text) : 0);
    widest = std::max(widest, widths.back());
  }
  const int total = lh * static_cast<int>(lines.size());
  if (format & DT_CALCRECT) {
    rect->right = rect->left + widest;
    rect->bottom = rect->top + total;
    return total;
  }

  const bool single = format & DT_SINGLELINE;
  const std::int64_t left = rect->left, top = rect->top, right = rect->right;
  const std::int64_t bottom = rect->bottom;
  std::int64_t y = top;
  if (single && (format & DT_VCENTER)) {
    y = top + (bottom - top) / 2 - lh / 2;  // two separate truncations
  } else if (single && (format & DT_BOTTOM)) {
    y = bottom - lh;
  }
  const int result = single && (format & (DT_VCENTER | DT_BOTTOM))
                         ? static_cast<int>(ClampCoord(y + lh - top))
                         : total;
  if (!face || !d.bitmap) return result;

  Region clip = EffectiveClip(*d.dc, *d.bitmap);
  if (!(format & DT_NOCLIP)) {
    clip = Region::Combine(clip, Region::FromRect(ToTarget(*d.dc, *rect)), Region::kAnd);
  }
  const Ink ink = InkOf(*d.dc, *d.bitmap);
  for (std::size_t i = 0; i < lines.size(); ++i, y += lh) {
    const Line& line = lines[i];
    const int w = widths[i];
    std::int64_t x = left;
    if (format & DT_CENTER) {
      x = (left + right - w) / 2;
    } else if (format & DT_RIGHT) {
      x = right - w;
    }
    int u0 = 0, u1 = 0;
    if (line.mnemonic >= 0) {
      u0 = face->MeasureWidth(std::u32string_view(line.text).substr(0, line.mnemonic));
      u1 = face->MeasureWidth(std::u32string_view(line.text).substr(0, line.mnemonic + 1));
    }
    DrawRun(*d.bitmap, clip, ToTarget(*d.dc, ClampCoord(x), ClampCoord(y)), face->Render(line.text),
            ink, u0, u1);
  }
  return result;
}
