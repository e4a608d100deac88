// Every picture the program loads: in the manifest, embedded, a 24-bit BMP of its layout size.
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

// The layout's sizes by identifier, as runs [first, last] that share a size.
const std::map<int, Size>& ExpectedSizes() {
  struct Run {
    int first, last;
    Size size;
  };
  static const Run kRuns[] = {
      // Effects 1-7: lit, plain.
      {131, 134, {60, 59}},
      {135, 136, {59, 59}},
      {137, 138, {60, 59}},
      {139, 140, {59, 59}},
      {141, 144, {60, 59}},
      // Effects 8-24: lit, grey, plain.
      {145, 147, {59, 59}},
      {148, 153, {60, 59}},
      {154, 156, {59, 59}},
      {157, 159, {60, 59}},
      {160, 162, {59, 59}},
      {163, 168, {60, 59}},
      {169, 171, {59, 59}},
      {172, 177, {60, 59}},
      {178, 180, {59, 59}},
      {181, 183, {60, 59}},
      {184, 186, {59, 59}},
      {187, 192, {60, 59}},
      {193, 195, {59, 59}},
      // Close and minimise.
      {196, 199, {24, 28}},
      // Page tabs.
      {200, 201, {72, 32}},
      {202, 203, {70, 32}},
      // Synchronize switch, Apply.
      {204, 205, {34, 19}},
      {206, 207, {194, 49}},
      // Colour swatches, plain and lit.
      {208, 223, {29, 28}},
      // Colour wheel.
      {227, 227, {171, 171}},
      // Main sliders: tracks, thumbs, disabled overlay (229, 230, 235 unused but complete).
      {228, 232, {132, 12}},
      {233, 237, {3, 12}},
      // Lights-quantity dialog: backgrounds, buttons, slider.
      {240, 240, {340, 195}},
      {250, 250, {340, 195}},
      {241, 244, {114, 32}},
      {245, 246, {243, 16}},
      {247, 247, {9, 16}},
      // Drop-down arrow.
      {248, 249, {17, 16}},
      // Main window skin and the program icon.
      {251, 251, {800, 540}},
      {128, 128, {32, 32}},
  };
  static const std::map<int, Size> sizes = [] {
    std::map<int, Size> all;
    for (const Run& run : kRuns)
      for (int id = run.first; id <= run.last; ++id) all[id] = run.size;
    return all;
  }();
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

TEST(ResourceFiles, EveryPictureIsAnUncompressed24BitBmpOfItsLayoutSize) {
  const auto entries = PictureEntries();
  ASSERT_FALSE(entries.empty());
  for (const auto& e : entries) {
    SCOPED_TRACE("picture " + std::to_string(e.id) + " (" + e.file + ")");
    const auto bytes = EmbeddedBytes(e);
    ASSERT_GE(bytes.size(), 54u) << "not embedded, or shorter than the headers";
    const auto le = [&](std::size_t at, int n) {
      std::uint32_t v = 0;
      for (int i = n - 1; i >= 0; --i) v = v << 8 | bytes[at + i];
      return v;
    };
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(le(2, 4), bytes.size()) << "file size field";
    EXPECT_EQ(le(28, 2), 24u) << "bits per pixel";
    EXPECT_EQ(le(30, 4), 0u) << "compression";
    const auto bmp = Decode(bytes);
    ASSERT_TRUE(bmp);
    const auto expected = ExpectedSizes().find(e.id);
    ASSERT_NE(expected, ExpectedSizes().end());
    EXPECT_EQ((Size{bmp->width, bmp->height}), expected->second);
  }
}

}  // namespace
}  // namespace res_test
