// The lighting controller's tables: effect codes per effect button, the option byte that belongs
// to each code, and the colour presets.
#pragma once

#include <optional>

#include "windef.h"

namespace device {

constexpr int kEffectCount = 24;      // effect buttons 1..24, all on the ARGB page
constexpr int kVrgbEffectCount = 7;   // buttons 1..7 also exist on the VRGB page
constexpr int kPresetColorCount = 8;  // colour choice 1..8; 0 is the custom colour

// The English name of effect button `effect` (1..24), as the window's tooltips show it and as a
// command line names it; null for any other index.
const wchar_t* EffectName(int effect);

// The ARGB effect code of effect button `effect` (1..24); 0 for any other index.
BYTE ArgbEffectCode(int effect);

// The VRGB effect code of effect button `effect`; nothing for indices outside 1..7.
std::optional<BYTE> VrgbEffectCode(int effect);

// The option byte goes with the effect code, not with the button: these map a code (0 included)
// to its option byte, and give 0 for codes the controller does not have.
BYTE ArgbOptionByte(BYTE argb_code);
BYTE VrgbOptionByte(BYTE vrgb_code);

struct Rgb {
  BYTE red = 0;
  BYTE green = 0;
  BYTE blue = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The colour sent for colour choice `color`: `custom` for 0, the preset for 1..8, black otherwise.
Rgb ColorOf(int color, Rgb custom);

// The colour of the swatch that picks preset `color` (1..8), lower case ("white", "orange"), as a
// command line names it; null for any other choice.
const char* PresetName(int color);

}  // namespace device
