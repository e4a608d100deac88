// The lighting controller's five requests, built as 65-byte reports from the lighting settings,
// and the decoding of its two replies. Pure functions: the dialog sends what they build (see
// device/requests.h for the five operations over a device handle).
//
// Every request: byte 0 the report number 0x00, byte 1 the marker 0x80, byte 2 the group, byte 3
// the command, the payload from byte 4, every other byte 0x00.
#pragma once

#include "effects.h"
#include "hid_backend.h"

namespace device {

using Report = hid::Report;

constexpr BYTE kMarker = 0x80;
constexpr BYTE kGroupLightsQty = 0x0D;
constexpr BYTE kGroupArgb = 0x0B;
constexpr BYTE kGroupVrgb = 0x04;
constexpr BYTE kCommandRead = 0x01;
constexpr BYTE kCommandWrite = 0x02;

// The parts of the lighting settings that become bytes. The dialog fills it from its members.
struct LightingSettings {
  int effect = 0;  // effect button 1..24
  int color = 0;   // 0 the custom colour, 1..8 a preset
  int red = 0;     // custom colour: the slider positions, of which the low byte is sent
  int green = 0;
  int blue = 0;
  int lights_qty = 0;  // LED count of the addressable strip
};

// Asks for the LED count; the request carries the low byte of the count the program holds.
Report EncodeReadLightsQty(int lights_qty);

// The LED counts a person may choose for the addressable strip.
constexpr int kMinLightsQty = 4;
constexpr int kMaxLightsQty = 64;

// Sets the LED count.
Report EncodeSetLightsQty(BYTE qty);

// Asks for the ARGB channel's colour; `in_out` travels in byte 5.
Report EncodeReadDeviceColor(BYTE in_out);

// The ARGB channel's effect, option byte and colour. An effect outside 1..24 sends code 0.
Report EncodeArgbSettings(const LightingSettings& settings);

// The VRGB channel's effect, option byte and colour. Only effects 1..7 have a VRGB code; for any
// other the report still goes out with code 0 and option 0, and has_vrgb_code tells the caller to
// warn the user first.
struct VrgbRequest {
  Report report{};
  bool has_vrgb_code = false;
};
VrgbRequest EncodeVrgbSettings(const LightingSettings& settings);

// Replies land in the buffer that carried the request. A read that failed or timed out leaves the
// request there, so these then give back what was sent: the same LED count, black, the same byte.

// The LED count in reply byte 4, zero-extended.
int DecodeLightsQty(const Report& reply);

struct DeviceColor {
  BYTE in_out = 0;  // reply byte 5
  Rgb color;        // reply bytes 9, 10, 11
};
DeviceColor DecodeDeviceColor(const Report& reply);

}  // namespace device
