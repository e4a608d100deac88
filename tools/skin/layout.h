// Where every picture sits and how large it is: the program's layout, as the pictures must fit it.
#pragma once

#include <array>

#include "picture.h"

namespace skin::layout {

constexpr int kSkinWidth = 800, kSkinHeight = 540;
constexpr int kDialogWidth = 340, kDialogHeight = 195;

// Effects 1..24: a grid of 8 columns and 3 rows; columns 2, 4 and 7 are one pixel narrower.
constexpr int kEffectCount = 24;
constexpr int effect_column(int k) {
  return (k - 1) % 8;
}
constexpr int effect_x(int k) {
  return 37 + 63 * effect_column(k);
}
constexpr int effect_y(int k) {
  return std::array{330, 392, 455}[(k - 1) / 8];
}
constexpr int effect_width(int k) {
  const int c = effect_column(k);
  return (c == 2 || c == 4 || c == 7) ? 59 : 60;
}
constexpr int kEffectHeight = 59;
constexpr int effect_lit(int k) {
  return k <= 7 ? 129 + 2 * k : 145 + 3 * (k - 8);
}
constexpr int effect_plain(int k) {
  return k <= 7 ? effect_lit(k) + 1 : effect_lit(k) + 2;
}
constexpr int effect_grey(int k) {
  return k <= 7 ? 0 : effect_lit(k) + 1;
}

struct Swatch {
  int plain = 0;  // the lit picture is plain + 1
  int x = 0, y = 0;
  Rgb colour{};
};
constexpr std::array<Swatch, 8> kSwatches{{
    {208, 653, 273, {255, 255, 60}},   // yellow
    {214, 686, 273, {239, 189, 44}},   // orange
    {218, 719, 273, {219, 23, 48}},    // red
    {216, 752, 273, {231, 149, 201}},  // pink
    {220, 653, 302, {255, 255, 255}},  // white
    {212, 686, 302, {104, 183, 74}},   // green
    {210, 719, 302, {67, 119, 197}},   // blue
    {222, 752, 302, {97, 54, 160}},    // purple
}};
constexpr int kSwatchWidth = 29, kSwatchHeight = 28;

struct Box {
  int x = 0, y = 0, w = 0, h = 0;
};
constexpr Box kWheel{584, 45, 171, 171};
constexpr Box kApply{586, 474, 194, 49};
constexpr Box kMinimise{737, 3, 24, 28};
constexpr Box kClose{765, 3, 24, 28};
constexpr Box kLanguageArrow{710, 7, 17, 16};
constexpr Box kQuantityArrow{529, 40, 17, 16};
constexpr Box kLanguageLabel{650, 5, 50, 18};
constexpr Box kQuantityValue{493, 39, 30, 18};
constexpr Box kQuantityCaption{408, 34, 76, 30};
constexpr Box kColourSample{585, 273, 60, 57};
constexpr Box kSync{125, 294, 34, 19};
constexpr Box kArgbTab{408, 29, 72, 32};
constexpr Box kVrgbTab{483, 29, 70, 32};
constexpr std::array<int, 3> kSliderTops{363, 403, 443};  // red, green, blue
constexpr int kSliderLeft = 586, kSliderWidth = 132, kSliderHeight = 12, kSliderThumbWidth = 3;
constexpr int kValueLeft = 743, kValueRight = 780;

// Lights-quantity dialog.
constexpr Box kQtySlider{49, 106, 243, 16};
constexpr int kQtyThumbWidth = 9;
constexpr Box kReset{49, 146, 114, 32};
constexpr Box kConfirm{178, 146, 114, 32};
struct ValueSpot {
  int x = 0, y = 0;  // where the program draws the number
  Box repaint{};     // the area it repaints when the slider moves
};
constexpr ValueSpot kQtyValueEnglish{245, 67, {237, 64, 25, 20}};
constexpr ValueSpot kQtyValueChinese{210, 65, {210, 66, 27, 18}};

}  // namespace skin::layout
