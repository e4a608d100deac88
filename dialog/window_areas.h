// Fixed areas of the main window's client area that it paints over its skin.
#pragma once

#include <array>

#include "windef.h"

// The sample of the current colour, left of the swatches.
inline constexpr RECT kColorSampleRect = {585, 273, 645, 330};
// The three slider values, and each one's own area.
inline constexpr RECT kRgbValuesRect = {743, 358, 780, 456};
inline constexpr RECT kRedValueRect = {743, 358, 780, 378};
inline constexpr RECT kGreenValueRect = {743, 398, 780, 418};
inline constexpr RECT kBlueValueRect = {743, 438, 780, 458};

// Where each slider value is drawn, and in which colour, in the order red, green, blue.
struct ColorValueText {
  POINT origin;
  COLORREF color;
};
inline constexpr std::array<ColorValueText, 3> kColorValueTexts = {{
    {{753, 360}, 0x0000FF},
    {{753, 398}, 0x00FF00},
    {{753, 438}, 0xFF0000},
}};
