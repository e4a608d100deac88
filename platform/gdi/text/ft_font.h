// The engine's font: a primary face scaled to the requested cell plus faces found on demand for
// characters the primary lacks, with a cache of rendered glyphs so that repainting the same
// label costs a few table look-ups and copies.
#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "cell_size.h"
#include "font_catalog.h"
#include "font_engine.h"
#include "freetype_library.h"
#include "scaled_face.h"

namespace gdi::text {

// A request after defaults are applied: height never 0 and within limits, weight 1..1000, the
// family in UTF-8 (empty = the default sans-serif family).
struct NormalisedRequest {
  int height = kDefaultCellHeight;
  int weight = 400;
  bool italic = false;
  bool antialias = true;
  std::string family;

  bool operator==(const NormalisedRequest&) const = default;
};

class FtFont final : public Font {
 public:
  // Null when neither the requested nor the default face can be loaded.
  static std::shared_ptr<const FtFont> Create(const NormalisedRequest& request,
                                              std::shared_ptr<FontCatalog> catalog,
                                              std::shared_ptr<FreeTypeLibrary> library);

 private:
  struct Token {};

 public:
  FtFont(Token, const NormalisedRequest& request, std::shared_ptr<FontCatalog> catalog,
         std::shared_ptr<FreeTypeLibrary> library, std::unique_ptr<ScaledFace> primary,
         const CellSize& cell);

  const FontMetrics& Metrics() const override { return metrics_; }
  int MeasureWidth(std::u32string_view text) const override;
  TextMask Render(std::u32string_view text) const override;
  std::string PrimaryFamily() const override;

  // For diagnostics and tests.
  std::string PrimaryFile() const;
  bool SynthesisesBold() const;
  // Files of the faces that supplied missing characters so far.
  std::vector<std::string> FallbackFiles() const;

 private:
  // All of these run with mutex_ held.
  const GlyphBitmap& GlyphFor(char32_t c) const;
  ScaledFace& FaceFor(char32_t c, unsigned& index) const;
  ScaledFace* FindFallback(char32_t c, unsigned& index) const;
  void TrimCache() const;
  // Glyphs of `text` and their total advance, capped so the mask stays within bounds.
  int Layout(std::u32string_view text, std::vector<const GlyphBitmap*>& run) const;

  const NormalisedRequest request_;
  const std::shared_ptr<FontCatalog> catalog_;
  const std::shared_ptr<FreeTypeLibrary> library_;
  CellSize cell_;
  FontMetrics metrics_;

  mutable std::mutex mutex_;
  std::unique_ptr<ScaledFace> primary_;
  mutable std::vector<std::unique_ptr<ScaledFace>> fallbacks_;
  mutable std::unordered_set<char32_t> unavailable_;
  mutable std::unordered_map<char32_t, GlyphBitmap> glyphs_;
  mutable std::array<const GlyphBitmap*, 128> ascii_{};
  mutable std::size_t cached_bytes_ = 0;
};

}  // namespace gdi::text
