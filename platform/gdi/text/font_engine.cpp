#include "font_engine.h"

#include <algorithm>
#include <filesystem>
#include <mutex>
#include <system_error>
#include <utility>

#include "font_catalog.h"
#include "freetype_library.h"
#include "ft_font.h"
#include "utf8.h"

namespace gdi::text {
namespace {

// Resolved fonts kept for reuse; the program creates a handful, device contexts ask for the
// default font again and again.
constexpr std::size_t kResolvedFontCache = 32;
constexpr int kNormalWeight = 400;
constexpr int kBoldWeight = 700;

struct Engine {
  Engine() : catalog(FontCatalog::Create()), library(FreeTypeLibrary::Create()) {}

  std::mutex mutex;
  std::shared_ptr<FontCatalog> catalog;
  std::shared_ptr<FreeTypeLibrary> library;
  std::vector<std::pair<NormalisedRequest, std::shared_ptr<const FtFont>>> fonts;
};

Engine& TheEngine() {
  static Engine engine;
  return engine;
}

std::string AsciiLower(std::string s) {
  for (char& c : s) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return s;
}

// The stock font of a fresh device context: a bold sans-serif face.
bool IsSystemFace(const std::string& lower_family) {
  return lower_family == "system";
}

NormalisedRequest Normalise(const FontRequest& request) {
  NormalisedRequest n;
  n.family = AsciiLower(base::ToUtf8(std::wstring_view(request.face)));
  n.height = NormaliseHeight(request.height);
  n.weight = request.weight <= 0 ? kNormalWeight : std::min(request.weight, 1000);
  n.italic = request.italic;
  n.antialias = request.antialias;
  if (IsSystemFace(n.family)) {
    n.family.clear();
    n.weight = kBoldWeight;
  }
  return n;
}

std::vector<std::filesystem::path> Candidates(const std::string& name, FontCatalog& catalog) {
  namespace fs = std::filesystem;
  std::vector<fs::path> paths;
  const fs::path given(name);
  paths.push_back(given);
  if (given.has_parent_path()) return paths;
  std::error_code ec;
  const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (!ec) paths.push_back(exe.parent_path() / given);
  // File names of fonts are matched without regard to case, as font file names are on the
  // system the program was written for ("arial.ttf" names "Arial.ttf").
  const std::string wanted = AsciiLower(name);
  for (const std::string& dir : catalog.FontDirectories()) {
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
      if (AsciiLower(it->path().filename().string()) == wanted) paths.push_back(it->path());
    }
    ec.clear();
  }
  return paths;
}

}  // namespace

std::shared_ptr<const Font> ResolveFont(const FontRequest& request) {
  const NormalisedRequest wanted = Normalise(request);
  Engine& engine = TheEngine();
  std::lock_guard lock(engine.mutex);
  for (const auto& [key, font] : engine.fonts) {
    if (key == wanted) return font;
  }
  auto font = FtFont::Create(wanted, engine.catalog, engine.library);
  if (!font) return nullptr;
  if (engine.fonts.size() >= kResolvedFontCache) engine.fonts.erase(engine.fonts.begin());
  engine.fonts.emplace_back(wanted, font);
  return font;
}

bool FamilyInstalled(std::wstring_view face) {
  const std::string family = AsciiLower(base::ToUtf8(face));
  Engine& engine = TheEngine();
  std::lock_guard lock(engine.mutex);
  if (!engine.catalog || family.empty()) return false;
  if (IsSystemFace(family)) return engine.catalog->Match(FaceQuery{}).has_value();
  return engine.catalog->HasFamily(family);
}

int AddFontFile(std::wstring_view file_name) {
  const std::string name = base::ToUtf8(file_name);
  Engine& engine = TheEngine();
  std::lock_guard lock(engine.mutex);
  if (name.empty() || !engine.catalog || !engine.library) return 0;
  for (const std::filesystem::path& path : Candidates(name, *engine.catalog)) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) continue;
    const long faces = engine.library->CountFaces(path.string());
    if (faces <= 0 || !engine.catalog->AddApplicationFont(path.string())) continue;
    // The new faces may serve requests that resolved to substitutes before.
    engine.fonts.clear();
    return static_cast<int>(std::min<long>(faces, 0x7FFFFFFF));
  }
  return 0;
}

}  // namespace gdi::text
