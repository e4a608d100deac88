#include "manifest.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>

#include "embedded_resources.h"
#include "resource.h"
#include "wingdi.h"

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

std::span<const unsigned char> EmbeddedBytes(const ManifestEntry& entry) {
  res::InstallEmbeddedResources();
  HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(entry.id),
                              entry.type == "ICON" ? RT_GROUP_ICON : RT_BITMAP);
  if (found == nullptr) return {};
  return {static_cast<const unsigned char*>(LockResource(LoadResource(nullptr, found))),
          SizeofResource(nullptr, found)};
}

std::optional<Bitmap> Decode(std::span<const unsigned char> bytes) {
  HBITMAP decoded = gdi::DecodeBitmap(bytes.data(), bytes.size());
  if (decoded == nullptr) return std::nullopt;
  BITMAP info{};
  GetObjectW(decoded, sizeof info, &info);
  // Rows top first, each pixel blue, green, red and a zero byte.
  std::vector<std::uint8_t> bits(static_cast<std::size_t>(info.bmWidthBytes) * info.bmHeight);
  GetBitmapBits(decoded, static_cast<LONG>(bits.size()), bits.data());
  DeleteObject(decoded);
  Bitmap bmp;
  bmp.width = info.bmWidth;
  bmp.height = info.bmHeight;
  for (int y = 0; y < bmp.height; ++y) {
    const std::uint8_t* row = bits.data() + static_cast<std::size_t>(y) * info.bmWidthBytes;
    for (int x = 0; x < bmp.width; ++x)
      bmp.pixels.push_back({row[4 * x + 2], row[4 * x + 1], row[4 * x]});
  }
  return bmp;
}

const Bitmap& Picture(int id) {
  static const std::map<int, Bitmap> pictures = [] {
    std::map<int, Bitmap> loaded;
    for (const auto& e : ReadManifest(ResDir() + "/resources.manifest")) {
      if (e.type != "BITMAP" && e.type != "ICON") continue;
      if (auto bmp = Decode(EmbeddedBytes(e))) loaded[e.id] = std::move(*bmp);
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

std::pair<int, int> ShapeExtent(const Bitmap& bmp, int y) {
  int first = 0;
  while (first < bmp.width && IsKeyWhite(bmp.at(first, y))) ++first;
  int last = bmp.width - 1;
  while (last >= first && IsKeyWhite(bmp.at(last, y))) --last;
  return {first, last};
}

}  // namespace res_test
