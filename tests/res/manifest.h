// The resource manifest, and the pictures it names decoded by the program's own reader.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace res_test {

struct ManifestEntry {
  std::string type;  // BITMAP, ICON, STRING, DIALOG
  int id = 0;
  std::string file;  // relative to res/
};

// Reads res/resources.manifest: "TYPE ID FILE  # role" lines; blank lines and comments skipped.
std::vector<ManifestEntry> ReadManifest(const std::string& path);

std::string ResDir();

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

struct Bitmap {
  int width = 0;
  int height = 0;
  std::vector<Rgb> pixels;  // top row first
  const Rgb& at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// The bytes embedded for a BITMAP or ICON entry; empty when the program has no such resource.
std::span<const unsigned char> EmbeddedBytes(const ManifestEntry& entry);
// The bytes as the program's decoder reads them; nothing when they are no picture it can show.
std::optional<Bitmap> Decode(std::span<const unsigned char> bytes);

// The picture of a BITMAP or ICON entry, loaded once; fails the calling test when unreadable.
const Bitmap& Picture(int id);

// What a shaped window treats as outside: within 2 of white in every channel.
inline bool IsKeyWhite(Rgb c) {
  return c.r >= 253 && c.g >= 253 && c.b >= 253;
}

// Columns of the first and last non-white pixel of row y; first > last when there is none.
std::pair<int, int> ShapeExtent(const Bitmap& bmp, int y);

}  // namespace res_test
