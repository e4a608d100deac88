#include "ft_font.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

namespace gdi::text {
namespace {

// Glyphs rendered at large sizes are dropped once the cache holds this much coverage.
constexpr std::size_t kGlyphCacheBytes = 8u << 20;
// Upper bound of one rendered run, whatever the text and size.
constexpr std::int64_t kMaxMaskBytes = 64 << 20;
// Faces that may join one font to supply missing characters.
constexpr std::size_t kMaxFallbackFaces = 8;
// Weight from which a face counts as bold (semi-bold and heavier).
constexpr int kBoldWeight = 600;

bool IsControl(char32_t c) {
  return c < 0x20 || (c >= 0x7F && c < 0xA0);
}

// Ideographs, CJK punctuation and full-width forms. Several installed CJK faces share these
// code points with different glyph shapes; the program's Chinese text is Simplified Chinese.
bool IsHan(char32_t c) {
  return (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) ||
         (c >= 0xFF00 && c <= 0xFFEF) || (c >= 0x20000 && c <= 0x3FFFF);
}

bool NeedsEmbolden(int requested_weight, const ScaledFace& face) {
  return requested_weight >= kBoldWeight && face.Weight() < kBoldWeight;
}

std::unique_ptr<ScaledFace> OpenPrimary(const NormalisedRequest& request, FontCatalog& catalog,
                                        const std::shared_ptr<FreeTypeLibrary>& library) {
  FaceQuery query{request.family, request.weight, request.italic,
                  static_cast<double>(std::abs(request.height)), ""};
  if (auto match = catalog.Match(query)) {
    if (auto face = ScaledFace::Open(library, *match)) return face;
  }
  // The configured face may be broken or gone; the default family is the last resort.
  if (!query.family.empty()) {
    query.family.clear();
    if (auto match = catalog.Match(query)) return ScaledFace::Open(library, *match);
  }
  return nullptr;
}

}  // namespace

std::shared_ptr<const FtFont> FtFont::Create(const NormalisedRequest& request,
                                             std::shared_ptr<FontCatalog> catalog,
                                             std::shared_ptr<FreeTypeLibrary> library) {
  if (!catalog || !library) return nullptr;
  std::unique_ptr<ScaledFace> primary = OpenPrimary(request, *catalog, library);
  if (!primary) return nullptr;
  const CellSize cell = ComputeCellSize(request.height, primary->Units());
  const bool embolden = NeedsEmbolden(request.weight, *primary);
  const bool oblique = request.italic && !primary->Italic();
  if (!primary->Configure(cell.ppem, embolden, oblique, request.antialias)) return nullptr;
  return std::make_shared<FtFont>(Token{}, request, std::move(catalog), std::move(library),
                                  std::move(primary), cell);
}

FtFont::FtFont(Token, const NormalisedRequest& request, std::shared_ptr<FontCatalog> catalog,
               std::shared_ptr<FreeTypeLibrary> library, std::unique_ptr<ScaledFace> primary,
               const CellSize& cell)
    : request_(request),
      catalog_(std::move(catalog)),
      library_(std::move(library)),
      cell_(cell),
      primary_(std::move(primary)) {
  const double scale = cell_.ppem / primary_->Units().units_per_em;
  metrics_.height = cell_.height;
  metrics_.ascent = cell_.ascent;
  metrics_.descent = cell_.descent;
  metrics_.internal_leading = std::max(0, cell_.height - cell_.em);
  metrics_.weight = primary_->Emboldened() ? request_.weight : primary_->Weight();
  std::lock_guard lock(mutex_);
  if (const int avg = primary_->AverageCharWidthUnits(); avg > 0) {
    metrics_.ave_char_width = static_cast<int>(std::lround(avg * scale));
  } else {
    metrics_.ave_char_width = GlyphFor(U'x').advance;
  }
  metrics_.max_char_width = static_cast<int>(std::lround(primary_->MaxAdvanceUnits() * scale));
  metrics_.max_char_width = std::max(metrics_.max_char_width, metrics_.ave_char_width);
}

std::string FtFont::PrimaryFamily() const {
  return primary_->Family();
}

std::string FtFont::PrimaryFile() const {
  return primary_->Match().file;
}

bool FtFont::SynthesisesBold() const {
  return primary_->Emboldened();
}

std::vector<std::string> FtFont::FallbackFiles() const {
  std::lock_guard lock(mutex_);
  std::vector<std::string> files;
  for (const auto& face : fallbacks_) files.push_back(face->Match().file);
  return files;
}

ScaledFace* FtFont::FindFallback(char32_t c, unsigned& index) const {
  for (const auto& face : fallbacks_) {
    if ((index = face->CharIndex(c)) != 0) return face.get();
  }
  if (IsControl(c) || unavailable_.contains(c) || fallbacks_.size() >= kMaxFallbackFaces) {
    return nullptr;
  }
  const FaceQuery query{request_.family, request_.weight, request_.italic, cell_.ppem,
                        IsHan(c) ? "zh-cn" : ""};
  const auto match = catalog_->MatchCharacter(query, c);
  const auto same_face = [&](const ScaledFace& face) {
    return face.Match().file == match->file && face.Match().index == match->index;
  };
  // A face already in use that lacks the character means no installed face has it.
  if (!match || same_face(*primary_) ||
      std::any_of(fallbacks_.begin(), fallbacks_.end(),
                  [&](const auto& f) { return same_face(*f); })) {
    unavailable_.insert(c);
    return nullptr;
  }
  auto face = ScaledFace::Open(library_, *match);
  if (!face || (index = face->CharIndex(c)) == 0 ||
      !face->Configure(FallbackPpem(cell_, face->Units()), NeedsEmbolden(request_.weight, *face),
                       request_.italic && !face->Italic(), request_.antialias)) {
    unavailable_.insert(c);
    return nullptr;
  }
  fallbacks_.push_back(std::move(face));
  return fallbacks_.back().get();
}

ScaledFace& FtFont::FaceFor(char32_t c, unsigned& index) const {
  if ((index = primary_->CharIndex(c)) != 0) return *primary_;
  if (ScaledFace* face = FindFallback(c, index)) return *face;
  index = 0;  // the primary face's "missing character" glyph
  return *primary_;
}

const GlyphBitmap& FtFont::GlyphFor(char32_t c) const {
  if (c < ascii_.size() && ascii_[c] != nullptr) return *ascii_[c];
  if (auto it = glyphs_.find(c); it != glyphs_.end()) return it->second;
  unsigned index = 0;
  ScaledFace& face = FaceFor(c, index);
  auto [it, inserted] = glyphs_.emplace(c, face.RenderGlyph(index));
  cached_bytes_ += it->second.coverage.size() + sizeof(GlyphBitmap) + 32;
  if (c < ascii_.size()) ascii_[c] = &it->second;
  return it->second;
}

void FtFont::TrimCache() const {
  if (cached_bytes_ <= kGlyphCacheBytes) return;
  glyphs_.clear();
  ascii_.fill(nullptr);
  unavailable_.clear();
  cached_bytes_ = 0;
}

int FtFont::Layout(std::u32string_view text, std::vector<const GlyphBitmap*>& run) const {
  TrimCache();
  run.reserve(text.size());
  std::int64_t width = 0;
  for (char32_t c : text) {
    const GlyphBitmap& glyph = GlyphFor(c);
    run.push_back(&glyph);
    width += glyph.advance;
  }
  const std::int64_t max_width = kMaxMaskBytes / std::max(cell_.height, 1);
  return static_cast<int>(std::clamp<std::int64_t>(width, 0, max_width));
}

int FtFont::MeasureWidth(std::u32string_view text) const {
  std::lock_guard lock(mutex_);
  std::vector<const GlyphBitmap*> run;
  return Layout(text, run);
}

TextMask FtFont::Render(std::u32string_view text) const {
  std::lock_guard lock(mutex_);
  std::vector<const GlyphBitmap*> run;
  TextMask mask;
  mask.width = Layout(text, run);
  mask.height = cell_.height;
  mask.ascent = cell_.ascent;
  mask.coverage.assign(static_cast<std::size_t>(mask.width) * mask.height, 0);
  std::int64_t pen = 0;
  for (const GlyphBitmap* glyph : run) {
    const std::int64_t x0 = pen + glyph->left;
    const int y0 = mask.ascent - glyph->top;
    pen += glyph->advance;
    // Clip the glyph box to the cell: overhangs before the start and after the last advance
    // and ink above or below the cell are cut, as the run is exactly one cell high.
    const int gx_begin = static_cast<int>(std::clamp<std::int64_t>(-x0, 0, glyph->width));
    const int gx_end = static_cast<int>(std::clamp<std::int64_t>(mask.width - x0, 0, glyph->width));
    const int gy_begin = std::clamp(-y0, 0, glyph->rows);
    const int gy_end = std::clamp(mask.height - y0, 0, glyph->rows);
    if (gx_begin >= gx_end || gy_begin >= gy_end) continue;  // wholly outside the run
    for (int gy = gy_begin; gy < gy_end; ++gy) {
      const std::uint8_t* src =
          glyph->coverage.data() + static_cast<std::size_t>(gy) * glyph->width;
      std::uint8_t* dst =
          mask.coverage.data() + static_cast<std::size_t>(y0 + gy) * mask.width + (x0 + gx_begin);
      for (int gx = gx_begin; gx < gx_end; ++gx, ++dst) *dst = std::max(*dst, src[gx]);
    }
  }
  return mask;
}

}  // namespace gdi::text
