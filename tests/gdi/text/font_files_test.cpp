#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "font_engine.h"
#include "utf8.h"

namespace gdi::text {
namespace {

namespace fs = std::filesystem;

// Installed with the Liberation fonts, which the program needs anyway.
constexpr char kLiberationRegular[] =
    "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf";

TEST(FontFiles, MissingOrBrokenFilesAddNothing) {
  EXPECT_EQ(AddFontFile(L""), 0);
  EXPECT_EQ(AddFontFile(L"/nonexistent/arial.ttf"), 0);
  EXPECT_EQ(AddFontFile(L"qzxv-no-such-font.ttf"), 0);
  EXPECT_EQ(AddFontFile(L"/usr/share/fonts"), 0);  // a directory
  const fs::path junk = fs::temp_directory_path() / "halcyra_text_junk.ttf";
  {
    std::ofstream out(junk, std::ios::binary);
    out << "\0\1\0\0 definitely not a font";
  }
  EXPECT_EQ(AddFontFile(base::FromUtf8(junk.string())), 0);
  fs::remove(junk);
}

TEST(FontFiles, RealFontFilesAreCountedByFace) {
  if (!fs::exists(kLiberationRegular)) GTEST_SKIP() << "Liberation fonts not installed";
  EXPECT_EQ(AddFontFile(base::FromUtf8(kLiberationRegular)), 1);
  // A bare file name is looked up in the font directories, whatever its case.
  EXPECT_EQ(AddFontFile(L"liberationsans-regular.ttf"), 1);
  // Arial is still there afterwards.
  EXPECT_TRUE(FamilyInstalled(L"Arial"));
}

// The child's steps: the failing one, or 0; fonts are released so the leak checker sees them go.
int ResolveWithoutFontsThenAddOne() {
  const fs::path conf = fs::temp_directory_path() / "halcyra_text_no_fonts.conf";
  std::ofstream(conf) << "<?xml version=\"1.0\"?>\n<fontconfig></fontconfig>\n";
  setenv("FONTCONFIG_FILE", conf.c_str(), 1);
  FontRequest request;
  request.face = L"Arial";
  request.height = 14;
  if (ResolveFont(request) != nullptr) return 2;
  if (ResolveFont(FontRequest{}) != nullptr) return 3;
  if (FamilyInstalled(L"Arial") || FamilyInstalled(L"System")) return 4;
  if (AddFontFile(base::FromUtf8(kLiberationRegular)) != 1) return 5;
  if (!FamilyInstalled(L"Liberation Sans")) return 9;
  const auto font = ResolveFont(request);
  if (font == nullptr || font->PrimaryFamily() != "Liberation Sans") return 6;
  if (font->Metrics().height != 14 || font->Render(U"Apply").width <= 0) return 7;
  // No face has Chinese characters: the missing-glyph box, not a crash.
  if (font->Render(U"中文").width != font->MeasureWidth(U"中文")) return 8;
  return 0;
}

// No fonts at all: no crash, and an added font file works (in a child: fontconfig reads once).
TEST(FontFilesDeathTest, WithoutAnyFontsNothingResolvesUntilOneIsAdded) {
  if (!fs::exists(kLiberationRegular)) GTEST_SKIP() << "Liberation fonts not installed";
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(std::exit(ResolveWithoutFontsThenAddOne()), ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace gdi::text
