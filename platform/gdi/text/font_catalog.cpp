#include "font_catalog.h"

#include <algorithm>

namespace gdi::text {
namespace {

struct PatternDeleter {
  void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
struct CharSetDeleter {
  void operator()(FcCharSet* c) const { FcCharSetDestroy(c); }
};
struct StrListDeleter {
  void operator()(FcStrList* l) const { FcStrListDone(l); }
};
using PatternPtr = std::unique_ptr<FcPattern, PatternDeleter>;
using CharSetPtr = std::unique_ptr<FcCharSet, CharSetDeleter>;
using StrListPtr = std::unique_ptr<FcStrList, StrListDeleter>;

const FcChar8* Str(const std::string& s) {
  return reinterpret_cast<const FcChar8*>(s.c_str());
}

PatternPtr QueryPattern(const FaceQuery& query) {
  PatternPtr pattern(FcPatternCreate());
  if (!pattern) return nullptr;
  if (!query.family.empty()) FcPatternAddString(pattern.get(), FC_FAMILY, Str(query.family));
  const double weight = std::clamp(query.weight, 1, 1000);
  FcPatternAddDouble(pattern.get(), FC_WEIGHT, FcWeightFromOpenTypeDouble(weight));
  FcPatternAddInteger(pattern.get(), FC_SLANT, query.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  if (query.pixel_size > 0) FcPatternAddDouble(pattern.get(), FC_PIXEL_SIZE, query.pixel_size);
  if (!query.language.empty()) FcPatternAddString(pattern.get(), FC_LANG, Str(query.language));
  // Coverage masks are rendered from outlines at any size; bitmap-only faces cannot do that.
  FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
  return pattern;
}

}  // namespace

std::shared_ptr<FontCatalog> FontCatalog::Create() {
  FcConfig* config = FcInitLoadConfigAndFonts();
  if (config == nullptr) return nullptr;
  return std::make_shared<FontCatalog>(Token{}, config);
}

FontCatalog::~FontCatalog() {
  FcConfigDestroy(config_);
}

std::optional<FaceMatch> FontCatalog::MatchLocked(FcPattern* pattern) const {
  if (!FcConfigSubstitute(config_, pattern, FcMatchPattern)) return std::nullopt;
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  PatternPtr found(FcFontMatch(config_, pattern, &result));
  if (!found) return std::nullopt;
  FcChar8* file = nullptr;
  if (FcPatternGetString(found.get(), FC_FILE, 0, &file) != FcResultMatch || file == nullptr) {
    return std::nullopt;
  }
  FaceMatch match;
  match.file = reinterpret_cast<const char*>(file);
  int index = 0;
  if (FcPatternGetInteger(found.get(), FC_INDEX, 0, &index) == FcResultMatch && index >= 0) {
    match.index = index;
  }
  return match;
}

std::optional<FaceMatch> FontCatalog::Match(const FaceQuery& query) const {
  PatternPtr pattern = QueryPattern(query);
  if (!pattern) return std::nullopt;
  std::lock_guard lock(mutex_);
  return MatchLocked(pattern.get());
}

std::optional<FaceMatch> FontCatalog::MatchCharacter(const FaceQuery& query, char32_t c) const {
  PatternPtr pattern = QueryPattern(query);
  CharSetPtr charset(FcCharSetCreate());
  if (!pattern || !charset) return std::nullopt;
  // The character set outranks the family when fontconfig compares faces, so a face that has
  // the character wins even over the requested family.
  FcCharSetAddChar(charset.get(), static_cast<FcChar32>(c));
  FcPatternAddCharSet(pattern.get(), FC_CHARSET, charset.get());
  std::lock_guard lock(mutex_);
  return MatchLocked(pattern.get());
}

bool FontCatalog::HasFamily(const std::string& family) const {
  if (family.empty()) return false;
  PatternPtr pattern(FcPatternCreate());
  if (!pattern) return false;
  FcPatternAddString(pattern.get(), FC_FAMILY, Str(family));
  std::lock_guard lock(mutex_);
  if (!FcConfigSubstitute(config_, pattern.get(), FcMatchPattern)) return false;
  FcDefaultSubstitute(pattern.get());
  FcResult result = FcResultNoMatch;
  PatternPtr found(FcFontMatch(config_, pattern.get(), &result));
  if (!found) return false;
  // The configuration adds metric-compatible substitutes with a strong binding, like the name
  // itself; generic fallbacks (DejaVu Sans for any unknown name) come with a weak one.
  for (int i = 0;; ++i) {
    FcValue wanted;
    FcValueBinding binding = FcValueBindingWeak;
    if (FcPatternGetWithBinding(pattern.get(), FC_FAMILY, i, &wanted, &binding) != FcResultMatch) {
      break;
    }
    if (binding == FcValueBindingWeak || wanted.type != FcTypeString) continue;
    FcChar8* name = nullptr;
    for (int j = 0; FcPatternGetString(found.get(), FC_FAMILY, j, &name) == FcResultMatch; ++j) {
      if (FcStrCmpIgnoreCase(name, wanted.u.s) == 0) return true;
    }
  }
  return false;
}

bool FontCatalog::AddApplicationFont(const std::string& path) {
  if (path.empty()) return false;
  std::lock_guard lock(mutex_);
  return FcConfigAppFontAddFile(config_, Str(path)) == FcTrue;
}

std::vector<std::string> FontCatalog::FontDirectories() const {
  std::vector<std::string> dirs;
  std::lock_guard lock(mutex_);
  StrListPtr list(FcConfigGetFontDirs(config_));
  if (!list) return dirs;
  while (FcChar8* dir = FcStrListNext(list.get())) dirs.emplace_back(reinterpret_cast<char*>(dir));
  return dirs;
}

}  // namespace gdi::text
