// The installed fonts as fontconfig knows them: which file and face serve a family, weight and
// slant, which face has a given character, whether a family is installed, and fonts added by the
// process itself. Thread-safe; every query goes through one private fontconfig configuration.
#pragma once

#include <fontconfig/fontconfig.h>

#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace gdi::text {

struct FaceQuery {
  std::string family;  // UTF-8; empty = the configured default sans-serif family
  int weight = 400;    // 1..1000 as in a logical font
  bool italic = false;
  double pixel_size = 0;  // em size, a hint for faces that exist in several optical sizes
  std::string language;   // RFC 3066 tag preferred among faces that qualify; empty = the locale's
};

// Where a face is. What it looks like is read from the face itself: the weight and slant of
// fontconfig's answer are those asked for when it expects the renderer to synthesise them.
struct FaceMatch {
  std::string file;
  int index = 0;  // face index within the file (collections and named instances)
};

class FontCatalog {
 public:
  // Null when fontconfig cannot load its configuration.
  static std::shared_ptr<FontCatalog> Create();

 private:
  struct Token {};

 public:
  FontCatalog(Token, FcConfig* config) : config_(config) {}
  ~FontCatalog();
  FontCatalog(const FontCatalog&) = delete;
  FontCatalog& operator=(const FontCatalog&) = delete;

  // The best installed face for the query; nothing when no font is installed at all.
  std::optional<FaceMatch> Match(const FaceQuery& query) const;
  // The best face for the query among those that contain `c`, or whatever fontconfig prefers
  // when none does (the caller checks the character).
  std::optional<FaceMatch> MatchCharacter(const FaceQuery& query, char32_t c) const;
  // True when the family resolves to a face of that name or to a substitute that the
  // configuration binds to it as metric-compatible (Liberation Sans for Arial).
  bool HasFamily(const std::string& family) const;
  // Adds a font file to this process's fonts; false when fontconfig cannot use it.
  bool AddApplicationFont(const std::string& path);
  // Every directory fontconfig scans for fonts.
  std::vector<std::string> FontDirectories() const;

 private:
  std::optional<FaceMatch> MatchLocked(FcPattern* pattern) const;

  mutable std::mutex mutex_;
  FcConfig* config_ = nullptr;
};

}  // namespace gdi::text
