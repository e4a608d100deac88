// Every picture the program loads is listed in the manifest, present, a 24-bit uncompressed BMP,
// and exactly the size the layout gives it.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "manifest.h"

namespace res_test {
namespace {

struct Size {
  int w, h;
  bool operator==(const Size&) const = default;
};

// The sizes the program's layout expects, by resource identifier.
const std::map<int, Size>& ExpectedSizes() {
  static const std::map<int, Size> sizes = {
      // Effects 1-7: lit, plain.
      {131, {60, 59}},
      {132, {60, 59}},
      {133, {60, 59}},
      {134, {60, 59}},
      {135, {59, 59}},
      {136, {59, 59}},
      {137, {60, 59}},
      {138, {60, 59}},
      {139, {59, 59}},
      {140, {59, 59}},
      {141, {60, 59}},
      {142, {60, 59}},
      {143, {60, 59}},
      {144, {60, 59}},
      // Effects 8-24: lit, grey, plain.
      {145, {59, 59}},
      {146, {59, 59}},
      {147, {59, 59}},
      {148, {60, 59}},
      {149, {60, 59}},
      {150, {60, 59}},
      {151, {60, 59}},
      {152, {60, 59}},
      {153, {60, 59}},
      {154, {59, 59}},
      {155, {59, 59}},
      {156, {59, 59}},
      {157, {60, 59}},
      {158, {60, 59}},
      {159, {60, 59}},
      {160, {59, 59}},
      {161, {59, 59}},
      {162, {59, 59}},
      {163, {60, 59}},
      {164, {60, 59}},
      {165, {60, 59}},
      {166, {60, 59}},
      {167, {60, 59}},
      {168, {60, 59}},
      {169, {59, 59}},
      {170, {59, 59}},
      {171, {59, 59}},
      {172, {60, 59}},
      {173, {60, 59}},
      {174, {60, 59}},
      {175, {60, 59}},
      {176, {60, 59}},
      {177, {60, 59}},
      {178, {59, 59}},
      {179, {59, 59}},
      {180, {59, 59}},
      {181, {60, 59}},
      {182, {60, 59}},
      {183, {60, 59}},
      {184, {59, 59}},
      {185, {59, 59}},
      {186, {59, 59}},
      {187, {60, 59}},
      {188, {60, 59}},
      {189, {60, 59}},
      {190, {60, 59}},
      {191, {60, 59}},
      {192, {60, 59}},
      {193, {59, 59}},
      {194, {59, 59}},
      {195, {59, 59}},
      // Close and minimise.
      {196, {24, 28}},
      {197, {24, 28}},
      {198, {24, 28}},
      {199, {24, 28}},
      // Page tabs.
      {200, {72, 32}},
      {201, {72, 32}},
      {202, {70, 32}},
      {203, {70, 32}},
      // Synchronize switch, Apply.
      {204, {34, 19}},
      {205, {34, 19}},
      {206, {194, 49}},
      {207, {194, 49}},
      // Colour swatches, plain and lit.
      {208, {29, 28}},
      {209, {29, 28}},
      {210, {29, 28}},
      {211, {29, 28}},
      {212, {29, 28}},
      {213, {29, 28}},
      {214, {29, 28}},
      {215, {29, 28}},
      {216, {29, 28}},
      {217, {29, 28}},
      {218, {29, 28}},
      {219, {29, 28}},
      {220, {29, 28}},
      {221, {29, 28}},
      {222, {29, 28}},
      {223, {29, 28}},
      // Colour wheel.
      {227, {171, 171}},
      // Main sliders: tracks, thumbs, disabled overlay (229, 230, 235 unused but complete).
      {228, {132, 12}},
      {229, {132, 12}},
      {230, {132, 12}},
      {231, {132, 12}},
      {232, {132, 12}},
      {233, {3, 12}},
      {234, {3, 12}},
      {235, {3, 12}},
      {236, {3, 12}},
      {237, {3, 12}},
      // Lights-quantity dialog: backgrounds, buttons, slider.
      {240, {340, 195}},
      {250, {340, 195}},
      {241, {114, 32}},
      {242, {114, 32}},
      {243, {114, 32}},
      {244, {114, 32}},
      {245, {243, 16}},
      {246, {243, 16}},
      {247, {9, 16}},
      // Drop-down arrow.
      {248, {17, 16}},
      {249, {17, 16}},
      // Main window skin and the program icon.
      {251, {800, 540}},
      {128, {32, 32}},
  };
  return sizes;
}

std::vector<ManifestEntry> PictureEntries() {
  std::vector<ManifestEntry> pictures;
  for (const auto& e : ReadManifest(ResDir() + "/resources.manifest")) {
    if (e.type == "BITMAP" || e.type == "ICON") pictures.push_back(e);
  }
  return pictures;
}

TEST(ResourceFiles, ManifestNamesEveryPictureTheProgramLoadsAndNoOther) {
  std::set<int> listed;
  for (const auto& e : PictureEntries()) {
    EXPECT_TRUE(listed.insert(e.id).second) << "picture " << e.id << " listed twice";
    EXPECT_EQ(e.type, e.id == 128 ? "ICON" : "BITMAP") << "picture " << e.id;
  }
  std::set<int> expected;
  for (const auto& [id, size] : ExpectedSizes()) expected.insert(id);
  EXPECT_EQ(listed, expected);
}

TEST(ResourceFiles, EveryPictureIsA24BitBmpOfItsLayoutSize) {
  const auto entries = PictureEntries();
  ASSERT_FALSE(entries.empty());
  for (const auto& e : entries) {
    SCOPED_TRACE("picture " + std::to_string(e.id) + " (" + e.file + ")");
    const auto bytes = ReadFileBytes(ResDir() + "/" + e.file);
    ASSERT_TRUE(bytes) << "file missing";
    std::string error;
    const auto bmp = DecodeBmp(*bytes, &error);
    ASSERT_TRUE(bmp) << error;
    const auto expected = ExpectedSizes().find(e.id);
    ASSERT_NE(expected, ExpectedSizes().end());
    EXPECT_EQ((Size{bmp->width, bmp->height}), expected->second);
  }
}

}  // namespace
}  // namespace res_test
