#include "effects.h"

#include <array>

namespace device {
namespace {

// Indexed by effect button 1..24 (entry 0 unused).
constexpr std::array<const wchar_t*, kEffectCount + 1> kEffectNames = {
    nullptr,      L"ColorBreathe", L"Rainbow", L"Breathe",  L"Off",
    L"TwoBlink",  L"Blink",        L"Static",  L"Halcyra",  L"Sakura",
    L"Emergency", L"Laser",        L"Marquee", L"Twinking", L"ColorCycle",
    L"Meteor",    L"BlackHole",    L"Aqua",    L"Flare",    L"Forest",
    L"Stary",     L"FireWork",     L"Lava",    L"Tetris",   L"CenterMeteor",
};

// Indexed by effect button 1..24 (entry 0 unused).
constexpr std::array<BYTE, kEffectCount + 1> kArgbCodes = {
    0x00,                                            //
    0x07, 0x01, 0x08, 0x0A, 0x18, 0x0C, 0x09, 0x02,  // ColorBreathe .. the house effect
    0x15, 0x16, 0x17, 0x04, 0x05, 0x06, 0x03, 0x14,  // Sakura .. BlackHole
    0x0D, 0x0E, 0x0F, 0x10, 0x11, 0x12, 0x13, 0x0B,  // Aqua .. CenterMeteor
};

// Indexed by effect button 1..7 (entry 0 unused).
constexpr std::array<BYTE, kVrgbEffectCount + 1> kVrgbCodes = {
    0x00, 0x02, 0x01, 0x03, 0x07, 0x06, 0x05, 0x04,
};

// Indexed by ARGB code 0..24.
constexpr std::array<BYTE, 25> kArgbOptions = {
    0,                       // code 0
    0, 3, 0, 1, 1, 7, 1, 1,  // codes 1..8
    0, 0, 1, 2, 1, 1, 1, 4,  // codes 9..16
    6, 4, 5, 1, 0, 4, 4, 5,  // codes 17..24
};

// Indexed by VRGB code 0..7.
constexpr std::array<BYTE, 8> kVrgbOptions = {0, 0, 1, 1, 0, 2, 5, 0};

constexpr std::array<Rgb, kPresetColorCount + 1> kPresets = {{
    {0, 0, 0},        // 0: custom, taken from the sliders instead
    {255, 255, 255},  // white
    {255, 0, 0},      // red
    {255, 49, 0},     // orange
    {255, 200, 0},    // yellow
    {0, 255, 0},      // green
    {0, 0, 255},      // blue
    {254, 27, 46},    // pink
    {128, 0, 128},    // purple
}};

// The swatches' colours, beside the presets they pick.
constexpr std::array<const char*, kPresetColorCount + 1> kPresetNames = {
    nullptr, "white", "red", "orange", "yellow", "green", "blue", "pink", "purple",
};

}  // namespace

const wchar_t* EffectName(int effect) {
  return effect >= 1 && effect <= kEffectCount ? kEffectNames[effect] : nullptr;
}

BYTE ArgbEffectCode(int effect) {
  return effect >= 1 && effect <= kEffectCount ? kArgbCodes[effect] : 0;
}

std::optional<BYTE> VrgbEffectCode(int effect) {
  if (effect < 1 || effect > kVrgbEffectCount) return std::nullopt;
  return kVrgbCodes[effect];
}

BYTE ArgbOptionByte(BYTE argb_code) {
  return argb_code < kArgbOptions.size() ? kArgbOptions[argb_code] : 0;
}

BYTE VrgbOptionByte(BYTE vrgb_code) {
  return vrgb_code < kVrgbOptions.size() ? kVrgbOptions[vrgb_code] : 0;
}

Rgb ColorOf(int color, Rgb custom) {
  if (color == 0) return custom;
  if (color >= 1 && color <= kPresetColorCount) return kPresets[color];
  return Rgb{};
}

const char* PresetName(int color) {
  return color >= 1 && color <= kPresetColorCount ? kPresetNames[color] : nullptr;
}

}  // namespace device
