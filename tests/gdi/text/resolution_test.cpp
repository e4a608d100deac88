#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>

#include "font_engine.h"
#include "ft_font.h"

namespace gdi::text {
namespace {

std::shared_ptr<const Font> Resolve(const std::wstring& face, int height, int weight = 0) {
  FontRequest request;
  request.face = face;
  request.height = height;
  request.weight = weight;
  return ResolveFont(request);
}

const FtFont& Engine(const std::shared_ptr<const Font>& font) {
  return dynamic_cast<const FtFont&>(*font);
}

bool EndsWith(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

TEST(FontResolution, ArialIsServedByItsMetricCompatibleSubstitute) {
  const auto regular = Resolve(L"Arial", 14);
  const auto bold = Resolve(L"Arial", 18, 700);
  ASSERT_TRUE(regular && bold);
  EXPECT_EQ(regular->PrimaryFamily(), "Liberation Sans");
  EXPECT_EQ(bold->PrimaryFamily(), "Liberation Sans");
  EXPECT_TRUE(EndsWith(Engine(regular).PrimaryFile(), "LiberationSans-Regular.ttf"));
  // Weight 700 picks the designed bold face instead of thickening the regular one.
  EXPECT_TRUE(EndsWith(Engine(bold).PrimaryFile(), "LiberationSans-Bold.ttf"));
  EXPECT_FALSE(Engine(bold).SynthesisesBold());
  FontRequest italic;
  italic.face = L"Arial";
  italic.height = 14;
  italic.italic = true;
  EXPECT_TRUE(EndsWith(Engine(ResolveFont(italic)).PrimaryFile(), "LiberationSans-Italic.ttf"));
  EXPECT_EQ(regular->Metrics().weight, 400);
  EXPECT_EQ(bold->Metrics().weight, 700);
}

TEST(FontResolution, InstalledFamiliesCountTheirSubstitutes) {
  EXPECT_TRUE(FamilyInstalled(L"Arial"));
  EXPECT_TRUE(FamilyInstalled(L"arial"));
  EXPECT_TRUE(FamilyInstalled(L"Liberation Sans"));
  EXPECT_TRUE(FamilyInstalled(L"WenQuanYi Micro Hei"));
  EXPECT_FALSE(FamilyInstalled(L"Qzxv Nonexistent Grotesk"));
  EXPECT_FALSE(FamilyInstalled(L""));
  // A generic fallback is not the family asked for.
  EXPECT_FALSE(FamilyInstalled(L"Arial Qzxv"));
}

TEST(FontResolution, PositiveHeightIsTheCellHeight) {
  for (int height : {14, 18, 9, 40}) {
    for (int weight : {0, 700}) {
      const auto font = Resolve(L"Arial", height, weight);
      ASSERT_TRUE(font);
      const FontMetrics& m = font->Metrics();
      EXPECT_EQ(m.height, height);
      EXPECT_EQ(m.ascent + m.descent, height);
      EXPECT_GT(m.ascent, m.descent);
      EXPECT_GE(m.internal_leading, 0);
      const TextMask mask = font->Render(U"Apply");
      EXPECT_EQ(mask.height, height);
      EXPECT_EQ(mask.ascent, m.ascent);
    }
  }
}

TEST(FontResolution, NegativeHeightIsTheEmHeight) {
  const auto font = Resolve(L"Arial", -12);
  ASSERT_TRUE(font);
  const FontMetrics& m = font->Metrics();
  EXPECT_EQ(m.height - m.internal_leading, 12);
  EXPECT_GT(m.internal_leading, 0);
  EXPECT_EQ(m.ascent + m.descent, m.height);
  // The same face asked for by its cell gets the same split.
  const auto by_cell = Resolve(L"Arial", m.height);
  EXPECT_EQ(by_cell->Metrics().ascent, m.ascent);
}

TEST(FontResolution, MetricsDescribeTheFace) {
  const auto font = Resolve(L"Arial", 18, 700);
  const FontMetrics& m = font->Metrics();
  EXPECT_GT(m.ave_char_width, 0);
  EXPECT_LT(m.ave_char_width, m.height);
  EXPECT_GE(m.max_char_width, m.ave_char_width);
  // The average is that of typical lower-case text, not of a single wide or narrow letter.
  const int lower = font->MeasureWidth(U"abcdefghijklmnopqrstuvwxyz");
  EXPECT_NEAR(m.ave_char_width, lower / 26.0, 2.0);
}

TEST(FontResolution, DefaultFontOfADeviceContextIsBoldSystem) {
  const auto system = Resolve(L"System", 0);
  ASSERT_TRUE(system);
  EXPECT_EQ(system->Metrics().height, 16);
  EXPECT_GE(system->Metrics().weight, 700);
  EXPECT_TRUE(FamilyInstalled(L"System"));
  // An empty request gets a usable sans-serif face too.
  const auto plain = ResolveFont(FontRequest{});
  ASSERT_TRUE(plain);
  EXPECT_EQ(plain->Metrics().height, 16);
  EXPECT_GT(plain->MeasureWidth(U"Apply"), 0);
}

TEST(FontResolution, UnknownFamilyFallsBackToAnInstalledFace) {
  const auto font = Resolve(L"Qzxv Nonexistent Grotesk", 14);
  ASSERT_TRUE(font);
  EXPECT_FALSE(font->PrimaryFamily().empty());
  EXPECT_EQ(font->Metrics().height, 14);
  EXPECT_GT(font->MeasureWidth(U"Apply"), 0);
}

TEST(FontResolution, AbsurdRequestsStillGiveABoundedFont) {
  for (int height : {0, -1, 1, 10000, -10000, INT_MAX, INT_MIN}) {
    for (int weight : {-5, 1, 100000}) {
      FontRequest request;
      request.face = L"Arial";
      request.height = height;
      request.weight = weight;
      const auto font = ResolveFont(request);
      ASSERT_TRUE(font) << height << " " << weight;
      const FontMetrics& m = font->Metrics();
      EXPECT_GE(m.height, 1);
      EXPECT_LE(m.height, 2 * kMaxPixelHeight);
      const TextMask mask = font->Render(U"Ap");
      EXPECT_EQ(mask.coverage.size(), static_cast<std::size_t>(mask.width) * mask.height);
      EXPECT_EQ(mask.width, font->MeasureWidth(U"Ap"));
    }
  }
}

TEST(FontResolution, EqualRequestsShareOneFont) {
  // Device contexts ask for their default font again and again; that must not reopen faces.
  EXPECT_EQ(Resolve(L"Arial", 18, 700), Resolve(L"ARIAL", 18, 700));
  EXPECT_EQ(Resolve(L"System", 0), Resolve(L"System", 0));
  EXPECT_NE(Resolve(L"Arial", 18, 700), Resolve(L"Arial", 18, 400));
  FontRequest mono;
  mono.face = L"Arial";
  mono.height = 18;
  mono.antialias = false;
  EXPECT_NE(ResolveFont(mono), Resolve(L"Arial", 18));
}

}  // namespace
}  // namespace gdi::text
