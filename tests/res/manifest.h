// The resource manifest as the tests see it, and the pictures it names.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "bmp_reader.h"

namespace res_test {

struct ManifestEntry {
  std::string type;  // BITMAP, ICON, STRING, DIALOG
  int id = 0;
  std::string file;  // relative to res/
};

// Reads res/resources.manifest: "TYPE ID FILE  # role" lines; blank lines and comments skipped.
std::vector<ManifestEntry> ReadManifest(const std::string& path);

std::string ResDir();

// The picture of a BITMAP or ICON entry, loaded once; fails the calling test when unreadable.
const Bitmap& Picture(int id);

}  // namespace res_test
