// What the pictures must respect for the program to show them right.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "manifest.h"

namespace res_test {
namespace {

struct Rect {
  int x, y, w, h;
};

double Luma(Rgb c) {
  return 0.299 * c.r + 0.587 * c.g + 0.114 * c.b;
}
int Chroma(Rgb c) {
  return std::max({c.r, c.g, c.b}) - std::min({c.r, c.g, c.b});
}
bool Near(Rgb a, Rgb b, int tolerance) {
  return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
         std::abs(a.b - b.b) <= tolerance;
}

// Calls f(x, y) for every pixel of `r`.
template <typename F>
void ForEachPixel(const Rect& r, F&& f) {
  for (int y = r.y; y < r.y + r.h; ++y)
    for (int x = r.x; x < r.x + r.w; ++x) f(x, y);
}

int EffectLit(int k) {
  return k <= 7 ? 129 + 2 * k : 145 + 3 * (k - 8);
}
int EffectPlain(int k) {
  return k <= 7 ? EffectLit(k) + 1 : EffectLit(k) + 2;
}

// A shaped window or button: the picture its shape is cut from, and those it shows later in it.
struct Shaped {
  int source;
  std::vector<int> shown;
};

std::vector<Shaped> ShapedPictures() {
  std::vector<Shaped> all = {
      {251, {}},    {250, {}},    {240, {}},    {227, {}},    {248, {249}},
      {196, {197}}, {198, {199}}, {201, {200}}, {202, {203}}, {204, {205}},
      {206, {207}}, {241, {242}}, {243, {244}},
  };
  for (int plain = 208; plain <= 222; plain += 2) all.push_back({plain, {plain + 1}});
  for (int k = 1; k <= 24; ++k) {
    // Effect 8 starts selected, so its shape comes from its lit picture.
    if (k == 8) {
      all.push_back({EffectLit(k), {EffectPlain(k)}});
    } else {
      all.push_back({EffectPlain(k), {EffectLit(k)}});
    }
  }
  return all;
}

TEST(PictureRules, EveryShapedPictureHasSomethingInEveryRowAndWhiteOnlyAtRowEnds) {
  for (const auto& s : ShapedPictures()) {
    std::vector<int> ids = s.shown;
    ids.push_back(s.source);
    for (int id : ids) {
      const Bitmap& bmp = Picture(id);
      for (int y = 0; y < bmp.height; ++y) {
        const auto [first, last] = ShapeExtent(bmp, y);
        ASSERT_LE(first, last) << "picture " << id << ": row " << y << " is all outside";
        for (int x = first; x <= last; ++x) {
          ASSERT_FALSE(IsKeyWhite(bmp.at(x, y)))
              << "picture " << id << ": white inside the shape at " << x << ", " << y;
        }
      }
    }
  }
}

TEST(PictureRules, LaterPicturesStayInsideTheShapeCutAtCreation) {
  for (const auto& s : ShapedPictures()) {
    const Bitmap& source = Picture(s.source);
    for (int id : s.shown) {
      const Bitmap& other = Picture(id);
      ASSERT_EQ(other.height, source.height);
      for (int y = 0; y < source.height; ++y) {
        const auto [sf, sl] = ShapeExtent(source, y);
        const auto [of, ol] = ShapeExtent(other, y);
        EXPECT_GE(of, sf) << "picture " << id << " leaves the shape of " << s.source << " in row "
                          << y;
        EXPECT_LE(ol, sl) << "picture " << id << " leaves the shape of " << s.source << " in row "
                          << y;
      }
    }
  }
}

TEST(PictureRules, WheelIsEdgedByTheNeutralRingAndOffersEveryPrimary) {
  const Bitmap& wheel = Picture(227);
  const Rgb ring{13, 29, 37};
  for (int y = 0; y < wheel.height; ++y) {
    const auto [first, last] = ShapeExtent(wheel, y);
    ASSERT_LE(first, last);
    EXPECT_EQ(wheel.at(first, y), ring) << "row " << y;
    EXPECT_EQ(wheel.at(last, y), ring) << "row " << y;
  }
  bool red = false, green = false, blue = false;
  for (const Rgb& c : wheel.pixels) {
    red |= c.r >= 240 && c.g <= 40 && c.b <= 40;
    green |= c.g >= 240 && c.r <= 40 && c.b <= 40;
    blue |= c.b >= 240 && c.r <= 40 && c.g <= 40;
  }
  EXPECT_TRUE(red && green && blue);
}

// The skin stays calm where the program paints labels and the sample over it.
TEST(PictureRules, SkinIsCalmWhereTheProgramPaintsLabelsAndTheSample) {
  const Bitmap& skin = Picture(251);
  struct Area {
    const char* name;
    Rect r;
    Rgb colour;  // the label's own background; the sample has none
    bool has_colour;
  };
  const Area areas[] = {
      {"language label", {650, 5, 50, 18}, {5, 5, 5}, true},
      {"lights quantity value", {493, 39, 30, 18}, {0, 0x14, 0x40}, true},
      {"lights quantity caption", {408, 34, 76, 30}, {0, 0x14, 0x40}, true},
      {"colour sample", {585, 273, 60, 57}, {}, false},
  };
  for (const Area& a : areas) {
    int lo[3] = {255, 255, 255}, hi[3] = {0, 0, 0};
    ForEachPixel(a.r, [&](int x, int y) {
      const Rgb c = skin.at(x, y);
      const int ch[3] = {c.r, c.g, c.b};
      for (int i = 0; i < 3; ++i) lo[i] = std::min(lo[i], ch[i]), hi[i] = std::max(hi[i], ch[i]);
      EXPECT_TRUE(!a.has_colour || Near(c, a.colour, 8)) << a.name << " at " << x << ", " << y;
    });
    for (int i = 0; i < 3; ++i) EXPECT_LE(hi[i] - lo[i], 12) << a.name;
  }
}

TEST(PictureRules, SliderValuesAreaIsDarkEnoughForPureRedGreenAndBlue) {
  const Bitmap& skin = Picture(251);
  for (int y = 358; y <= 458; ++y) {
    for (int x = 743; x <= 780; ++x) {
      const Rgb c = skin.at(x, y);
      ASSERT_LE(std::max({c.r, c.g, c.b}), 80) << x << ", " << y;
    }
  }
}

TEST(PictureRules, QuantityDialogHasALightPlainSpotForTheBlackNumber) {
  struct Spot {
    int background;
    Rect repaint;
    Rect text;  // the number itself, up to two digits of the default font
  };
  const Spot spots[] = {
      {250, {237, 64, 25, 20}, {245, 67, 22, 16}},
      {240, {210, 66, 27, 18}, {210, 65, 22, 16}},
  };
  for (const Spot& s : spots) {
    const Bitmap& bmp = Picture(s.background);
    for (const Rect& r : {s.repaint, s.text}) {
      double lo = 255, hi = 0;
      ForEachPixel(r, [&](int x, int y) {
        lo = std::min(lo, Luma(bmp.at(x, y)));
        hi = std::max(hi, Luma(bmp.at(x, y)));
      });
      // Light enough for black text, and nothing drawn there (the caption ends before it).
      EXPECT_GE(lo, 170) << "background " << s.background;
      EXPECT_LE(hi - lo, 40) << "background " << s.background;
    }
  }
}

TEST(PictureRules, BothQuantityBackgroundsMatchUnderTheSharedButtonsAndSlider) {
  const Bitmap& english = Picture(250);
  const Bitmap& chinese = Picture(240);
  for (const Rect& r : {Rect{49, 106, 243, 16}, Rect{49, 146, 114, 32}, Rect{178, 146, 114, 32}}) {
    ForEachPixel(
        r, [&](int x, int y) { EXPECT_EQ(english.at(x, y), chinese.at(x, y)) << x << ", " << y; });
  }
  // The titles differ: the two pictures are not one picture twice.
  int differing = 0;
  for (std::size_t i = 0; i < english.pixels.size(); ++i) {
    differing += english.pixels[i] == chinese.pixels[i] ? 0 : 1;
  }
  EXPECT_GT(differing, 200);
}

TEST(PictureRules, SwatchesShowTheSampleColourAndTheirFrames) {
  struct Swatch {
    int plain;
    Rgb colour;
  };
  const Swatch swatches[] = {
      {208, {255, 255, 60}},  {214, {239, 189, 44}}, {218, {219, 23, 48}},  {216, {231, 149, 201}},
      {220, {255, 255, 255}}, {212, {104, 183, 74}}, {210, {67, 119, 197}}, {222, {97, 54, 160}},
  };
  for (const Swatch& s : swatches) {
    const bool white = s.colour == Rgb{255, 255, 255};
    for (int id : {s.plain, s.plain + 1}) {
      const Rgb centre = Picture(id).at(14, 14);
      if (white) {
        EXPECT_TRUE(centre.r >= 250 && centre.g >= 250 && centre.b >= 250) << id;
      } else {
        EXPECT_EQ(centre, s.colour) << id;
      }
    }
    // The lit frame, on the left edge halfway down: blue around white, light around the others.
    const Rgb frame = Picture(s.plain + 1).at(1, 14);
    if (white) {
      EXPECT_GT(frame.b, frame.r + 60) << s.plain + 1;
    } else {
      EXPECT_GE(Luma(frame), 230) << s.plain + 1;
      EXPECT_LT(Luma(Picture(s.plain).at(1, 14)), 100) << s.plain;
    }
  }
}

TEST(PictureRules, ThumbsShowAroundTheirTransparentCorner) {
  for (int id : {233, 235, 236, 237, 247}) {
    const Bitmap& thumb = Picture(id);
    const Rgb key = thumb.at(0, 0);
    int opaque = 0;
    for (const Rgb& c : thumb.pixels) opaque += c == key ? 0 : 1;
    // Most of the thumb is drawn; the middle column is solid from top to bottom but for its ends.
    EXPECT_GE(opaque * 10, static_cast<int>(thumb.pixels.size()) * 6) << id;
    for (int y = 1; y + 1 < thumb.height; ++y) {
      EXPECT_NE(thumb.at(thumb.width / 2, y), key) << id << " row " << y;
    }
  }
}

TEST(PictureRules, EffectTilesAreDistinctLitIsLighterAndGreyIsGrey) {
  auto mean_luma = [](const Bitmap& b) {
    double sum = 0;
    for (const Rgb& c : b.pixels) sum += IsKeyWhite(c) ? 0 : Luma(c);
    return sum / static_cast<double>(b.pixels.size());
  };
  auto mean_chroma = [](const Bitmap& b) {
    double sum = 0;
    for (const Rgb& c : b.pixels) sum += Chroma(c);
    return sum / static_cast<double>(b.pixels.size());
  };
  for (int k = 1; k <= 24; ++k) {
    const Bitmap& lit = Picture(EffectLit(k));
    const Bitmap& plain = Picture(EffectPlain(k));
    EXPECT_GT(mean_luma(lit), mean_luma(plain) + 10) << "effect " << k;
    if (k >= 8) {
      const Bitmap& grey = Picture(EffectLit(k) + 1);
      EXPECT_LT(mean_chroma(grey), mean_chroma(plain) / 2) << "effect " << k;
    }
  }
  // Compare the pictograms (the middle of each plain tile) pairwise.
  for (int a = 1; a <= 24; ++a) {
    for (int b = a + 1; b <= 24; ++b) {
      const Bitmap& pa = Picture(EffectPlain(a));
      const Bitmap& pb = Picture(EffectPlain(b));
      double diff = 0;
      ForEachPixel({10, 10, 39, 39}, [&](int x, int y) {
        const Rgb ca = pa.at(x, y), cb = pb.at(x, y);
        diff += std::abs(ca.r - cb.r) + std::abs(ca.g - cb.g) + std::abs(ca.b - cb.b);
      });
      EXPECT_GT(diff / (39.0 * 39.0), 8.0) << "effects " << a << " and " << b << " look alike";
    }
  }
}

}  // namespace
}  // namespace res_test
