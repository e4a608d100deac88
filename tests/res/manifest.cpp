#include "manifest.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace res_test {

std::string ResDir() {
  return HALCYRA_RES_DIR;
}

std::vector<ManifestEntry> ReadManifest(const std::string& path) {
  std::ifstream in(path);
  std::vector<ManifestEntry> entries;
  std::string line;
  while (std::getline(in, line)) {
    const auto hash = line.find('#');
    std::istringstream fields(line.substr(0, hash));
    ManifestEntry e;
    if (!(fields >> e.type)) continue;
    if (!(fields >> e.id >> e.file)) {
      throw std::runtime_error("malformed manifest line: " + line);
    }
    entries.push_back(e);
  }
  return entries;
}

const Bitmap& Picture(int id) {
  static const std::map<int, Bitmap> pictures = [] {
    std::map<int, Bitmap> loaded;
    for (const auto& e : ReadManifest(ResDir() + "/resources.manifest")) {
      if (e.type != "BITMAP" && e.type != "ICON") continue;
      const auto bytes = ReadFileBytes(ResDir() + "/" + e.file);
      if (!bytes) continue;
      if (auto bmp = DecodeBmp(*bytes, nullptr)) loaded[e.id] = std::move(*bmp);
    }
    return loaded;
  }();
  static const Bitmap kEmpty;
  const auto it = pictures.find(id);
  if (it == pictures.end()) {
    ADD_FAILURE() << "picture " << id << " is missing or unreadable";
    return kEmpty;
  }
  return it->second;
}

}  // namespace res_test
