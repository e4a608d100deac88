// Fonts: creation from a LOGFONT, family enumeration, font files, metrics and extents.
#include <algorithm>
#include <cwchar>

#include "dc_access.h"
#include "font_access.h"
#include "utf8.h"
#include "wingdi.h"

namespace gdi::detail {

namespace {
constexpr BYTE kNonAntialiasedQuality = 3;
}

gdi::text::FontRequest RequestOf(const LOGFONTW& lf) {
  gdi::text::FontRequest r;
  r.height = lf.lfHeight;
  r.weight = lf.lfWeight;
  r.italic = lf.lfItalic != 0;
  r.antialias = lf.lfQuality != kNonAntialiasedQuality;
  const std::size_t n =
      std::find(lf.lfFaceName, lf.lfFaceName + LF_FACESIZE, L'\0') - lf.lfFaceName;
  r.face.assign(lf.lfFaceName, n);
  return r;
}

namespace {
const Font* FontOrSystem(HFONT font) {
  const Font* f = Lookup<Font>(font);
  return f ? f : Lookup<Font>(StockObject(SYSTEM_FONT));
}
}  // namespace

std::shared_ptr<const gdi::text::Font> FaceOf(HFONT font) {
  const Font* f = FontOrSystem(font);
  if (!f) return nullptr;
  if (!f->resolved) {
    f->face = gdi::text::ResolveFont(RequestOf(f->logfont));
    f->resolved = true;
  }
  return f->face;
}

gdi::text::FontMetrics FallbackMetrics(HFONT font) {
  const Font* f = FontOrSystem(font);
  const LONG h = f ? f->logfont.lfHeight : 16;
  gdi::text::FontMetrics m;
  m.height = h > 0 ? h : (h < 0 ? -h + (-h + 4) / 8 : 16);
  m.ascent = m.height * 4 / 5;
  m.descent = m.height - m.ascent;
  m.weight = f && f->logfont.lfWeight > 0 ? f->logfont.lfWeight : FW_NORMAL;
  return m;
}

}  // namespace gdi::detail

using namespace gdi::detail;

namespace {

TEXTMETRICW ToTextMetric(const gdi::text::FontMetrics& m) {
  TEXTMETRICW tm{};
  tm.tmHeight = m.height;
  tm.tmAscent = m.ascent;
  tm.tmDescent = m.descent;
  tm.tmInternalLeading = m.internal_leading;
  tm.tmExternalLeading = 0;
  tm.tmAveCharWidth = m.ave_char_width;
  tm.tmMaxCharWidth = m.max_char_width;
  tm.tmWeight = m.weight;
  return tm;
}

gdi::text::FontMetrics MetricsOf(HFONT font) {
  auto face = FaceOf(font);
  return face ? face->Metrics() : FallbackMetrics(font);
}

}  // namespace

HFONT CreateFontIndirectW(const LOGFONTW* lf) {
  if (!lf) return nullptr;
  Font f;
  f.logfont = *lf;
  f.logfont.lfFaceName[LF_FACESIZE - 1] = L'\0';
  return static_cast<HFONT>(AddObject(std::move(f)));
}

int EnumFontFamiliesW(HDC hdc, LPCWSTR family, FONTENUMPROCW proc, LPARAM lParam) {
  if (!Lookup<DC>(hdc) || !proc) return 0;
  ENUMLOGFONTEXW elf{};
  NEWTEXTMETRICEXW ntm{};
  std::wstring name;
  if (family) {
    // A family that resolves to a metric-compatible substitute is reported under the name asked.
    if (!gdi::text::FamilyInstalled(family)) return 1;
    name = family;
  } else {
    auto face = gdi::text::ResolveFont(gdi::text::FontRequest{});
    if (!face) return 1;
    name = base::FromUtf8(face->PrimaryFamily());
  }
  std::wcsncpy(elf.elfLogFont.lfFaceName, name.c_str(), LF_FACESIZE - 1);
  std::wcsncpy(elf.elfFullName, name.c_str(), 63);
  elf.elfLogFont.lfWeight = FW_NORMAL;
  LOGFONTW probe = elf.elfLogFont;
  auto face = gdi::text::ResolveFont(RequestOf(probe));
  if (face) {
    elf.elfLogFont.lfHeight = face->Metrics().height;
    ntm.ntmTm = ToTextMetric(face->Metrics());
  }
  return proc(&elf.elfLogFont, &ntm.ntmTm, TRUETYPE_FONTTYPE, lParam);
}

int AddFontResourceW(LPCWSTR fileName) {
  if (!fileName || !*fileName) return 0;
  return gdi::text::AddFontFile(fileName);
}

BOOL GetTextMetricsW(HDC hdc, TEXTMETRICW* tm) {
  const DC* dc = Lookup<DC>(hdc);
  if (!dc || !tm) return FALSE;
  *tm = ToTextMetric(MetricsOf(dc->font));
  return TRUE;
}

BOOL GetTextExtentPoint32W(HDC hdc, LPCWSTR text, int count, SIZE* size) {
  const DC* dc = Lookup<DC>(hdc);
  if (!dc || !size || count < 0 || (count > 0 && !text)) return FALSE;
  auto face = FaceOf(dc->font);
  size->cx = face && count > 0 ? face->MeasureWidth(ToU32(text, count)) : 0;
  size->cy = MetricsOf(dc->font).height;
  return TRUE;
}
