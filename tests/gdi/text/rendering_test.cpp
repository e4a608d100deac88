#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "font_engine.h"
#include "ft_font.h"
#include "mask_helpers.h"

namespace gdi::text {
namespace {

using testing::InkPixels;
using testing::InkRows;
using testing::TotalCoverage;

std::shared_ptr<const Font> Arial(int height, int weight = 0, bool antialias = true) {
  FontRequest request;
  request.face = L"Arial";
  request.height = height;
  request.weight = weight;
  request.antialias = antialias;
  auto font = ResolveFont(request);
  EXPECT_TRUE(font);
  return font;
}

// Left edge of every character's advance cell, plus the end of the run.
std::vector<int> CellEdges(const Font& font, std::u32string_view text) {
  std::vector<int> edges;
  for (std::size_t i = 0; i <= text.size(); ++i)
    edges.push_back(font.MeasureWidth(text.substr(0, i)));
  return edges;
}

TEST(TextRendering, MeasurementIsTheRenderedWidth) {
  const auto bold = Arial(18, 700);
  const auto mono = Arial(14, 0, false);
  for (const auto& font : {bold, mono}) {
    for (std::u32string_view text :
         {U"Apply", U"灯效应用", U"Halcyra 中文", U"应用之前，请选择灯效！", U"", U" ", U"\t"}) {
      const TextMask mask = font->Render(text);
      EXPECT_EQ(mask.width, font->MeasureWidth(text));
      EXPECT_EQ(mask.height, font->Metrics().height);
      EXPECT_EQ(mask.coverage.size(), static_cast<std::size_t>(mask.width) * mask.height);
    }
    EXPECT_EQ(font->Render(U"").width, 0);
  }
  // Without kerning a run is as wide as its characters one by one.
  EXPECT_EQ(bold->MeasureWidth(U"AV"), bold->MeasureWidth(U"A") + bold->MeasureWidth(U"V"));
}

TEST(TextRendering, InkOutsideTheRunIsCut) {
  // A lone combining accent has no advance: a run of width 0 with ink before its start.
  const auto font = Arial(18);
  const TextMask accent = font->Render(U"\u0301");
  EXPECT_EQ(accent.width, 0);
  EXPECT_TRUE(accent.coverage.empty());
  // Within a run, the accent lands on the letter before it instead of adding width.
  EXPECT_EQ(font->MeasureWidth(U"e\u0301"), font->MeasureWidth(U"e"));
  const TextMask accented = font->Render(U"e\u0301");
  EXPECT_GT(TotalCoverage(accented), TotalCoverage(font->Render(U"e")));
}

TEST(TextRendering, BoldCarriesMoreInk) {
  const TextMask normal = Arial(18)->Render(U"Apply");
  const TextMask bold = Arial(18, 700)->Render(U"Apply");
  EXPECT_GT(TotalCoverage(bold), TotalCoverage(normal) * 5 / 4);
  EXPECT_GT(bold.width, normal.width);
  // The CJK fallback face has no bold design; it is thickened instead.
  const TextMask cjk_normal = Arial(18)->Render(U"灯效应用");
  const TextMask cjk_bold = Arial(18, 700)->Render(U"灯效应用");
  EXPECT_GT(TotalCoverage(cjk_bold), TotalCoverage(cjk_normal) * 6 / 5);
}

TEST(TextRendering, GlyphsSitOnTheBaseline) {
  const auto font = Arial(18, 700);
  const int ascent = font->Metrics().ascent;
  const TextMask capital = font->Render(U"H");
  const auto [h_top, h_bottom] = InkRows(capital);
  // Capitals stand on the baseline (last ink row just above it) and reach well into the ascent.
  EXPECT_EQ(h_bottom, ascent);
  EXPECT_LT(h_top, ascent / 2);
  EXPECT_GT(h_top, 0);
  // Descenders go below it; an underscore-free "y" has ink under the baseline, "x" does not.
  EXPECT_GT(InkPixels(font->Render(U"y"), 0, 100, ascent + 1), 0);
  EXPECT_EQ(InkPixels(font->Render(U"x"), 0, 100, ascent), 0);
}

TEST(TextRendering, ChineseTextDrawsEveryCharacterFromAFallbackFace) {
  const auto font = Arial(18, 700);
  const std::u32string_view text = U"灯效应用";
  const TextMask mask = font->Render(text);
  testing::DumpIfAsked("cjk_fallback", mask);
  const std::vector<int> edges = CellEdges(*font, text);
  for (std::size_t i = 0; i < text.size(); ++i) {
    // A CJK ideograph is roughly square: as wide as about one em, with lots of ink.
    EXPECT_GE(edges[i + 1] - edges[i], font->Metrics().height * 2 / 3) << i;
    EXPECT_GT(InkPixels(mask, edges[i], edges[i + 1]), 25) << "character " << i;
  }
  const auto fallbacks = dynamic_cast<const FtFont&>(*font).FallbackFiles();
  ASSERT_FALSE(fallbacks.empty());
  EXPECT_NE(fallbacks.front(), dynamic_cast<const FtFont&>(*font).PrimaryFile());
  // The ideographs fit the Latin cell: nothing is cut at the top.
  EXPECT_GT(InkRows(mask).first, 0);
}

TEST(TextRendering, MixedTextUsesBothFaces) {
  const auto font = Arial(14);
  const std::u32string_view text = U"Halcyra 中文";
  const TextMask mask = font->Render(text);
  const std::vector<int> edges = CellEdges(*font, text);
  const std::size_t space = text.find(U' ');
  for (std::size_t i = 0; i < text.size(); ++i) {
    const int ink = InkPixels(mask, edges[i], edges[i + 1]);
    if (i == space) {
      EXPECT_EQ(ink, 0);
    } else {
      EXPECT_GT(ink, 3) << "character " << i;
    }
  }
  // The Latin part is the same as drawn alone: the fallback does not disturb the primary face.
  const TextMask latin = font->Render(U"Halcyra");
  for (int y = 0; y < mask.height; ++y) {
    for (int x = 0; x < latin.width; ++x) {
      ASSERT_EQ(mask.coverage[y * mask.width + x], latin.coverage[y * latin.width + x]);
    }
  }
}

TEST(TextRendering, GreyScaleOrMonoAsRequested) {
  const TextMask grey = Arial(18, 700, true)->Render(U"Apply");
  const TextMask mono = Arial(18, 700, false)->Render(U"Apply");
  const auto partial = [](const TextMask& m) {
    return std::count_if(m.coverage.begin(), m.coverage.end(),
                         [](std::uint8_t c) { return c != 0 && c != 255; });
  };
  EXPECT_GT(partial(grey), 20);
  EXPECT_EQ(partial(mono), 0);
  EXPECT_GT(InkPixels(mono, 0, mono.width), 40);
}

TEST(TextRendering, CharactersNoFaceHasStillAdvance) {
  const auto font = Arial(14);
  // Unassigned, private, out-of-range code points draw the missing-glyph box; controls seek none.
  for (std::u32string_view text : {std::u32string_view(U"\U0010FFFD"),
                                   std::u32string_view(U"\uE000"), std::u32string_view(U"\x01")}) {
    const TextMask mask = font->Render(text);
    EXPECT_EQ(mask.width, font->MeasureWidth(text));
    EXPECT_GT(mask.width, 0);
  }
  const char32_t beyond[] = {0x110000, 0xFFFFFFFF, 0xD800};
  const TextMask mask = font->Render(std::u32string_view(beyond, 3));
  EXPECT_EQ(mask.width, font->MeasureWidth(std::u32string_view(beyond, 3)));
}

TEST(TextRendering, OneFontServesSeveralThreadsAlike) {
  // A fresh size, so that the threads fill the glyph cache and load the fallback face together.
  const auto font = Arial(23, 700);
  const std::u32string texts[] = {U"Apply", U"灯效应用", U"Halcyra 中文", U"最小化窗体"};
  std::vector<std::vector<TextMask>> seen(4);
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&, t] {
      for (int round = 0; round < 10; ++round) {
        for (int i = 0; i < 4; ++i) seen[t].push_back(font->Render(texts[(i + t) % 4]));
      }
    });
  }
  for (auto& thread : threads) thread.join();
  for (int t = 0; t < 4; ++t) {
    for (std::size_t k = 0; k < seen[t].size(); ++k) {
      const TextMask expected = font->Render(texts[(k % 4 + t) % 4]);
      ASSERT_EQ(seen[t][k].width, expected.width);
      ASSERT_EQ(seen[t][k].coverage, expected.coverage);
    }
  }
}

}  // namespace
}  // namespace gdi::text
