#include "report.h"

namespace device {
namespace {

constexpr BYTE kPayloadConstant = 0x03;  // the fixed 0x03 bytes the controller expects

Report Header(BYTE group, BYTE command) {
  Report report{};
  report[0] = 0x00;
  report[1] = kMarker;
  report[2] = group;
  report[3] = command;
  return report;
}

Rgb ColorFrom(const LightingSettings& s) {
  return ColorOf(s.color,
                 Rgb{LOBYTE(static_cast<DWORD_PTR>(s.red)), LOBYTE(static_cast<DWORD_PTR>(s.green)),
                     LOBYTE(static_cast<DWORD_PTR>(s.blue))});
}

}  // namespace

Report EncodeReadLightsQty(int lights_qty) {
  Report report = Header(kGroupLightsQty, kCommandRead);
  report[4] = LOBYTE(static_cast<DWORD_PTR>(lights_qty));
  report[5] = kPayloadConstant;
  return report;
}

Report EncodeSetLightsQty(BYTE qty) {
  Report report = Header(kGroupLightsQty, kCommandWrite);
  report[4] = qty;
  report[5] = kPayloadConstant;
  return report;
}

Report EncodeReadDeviceColor(BYTE in_out) {
  Report report = Header(kGroupArgb, kCommandRead);
  report[4] = kPayloadConstant;
  report[5] = in_out;
  report[8] = kPayloadConstant;
  return report;
}

Report EncodeArgbSettings(const LightingSettings& settings) {
  Report report = Header(kGroupArgb, kCommandWrite);
  const BYTE code = ArgbEffectCode(settings.effect);
  const Rgb color = ColorFrom(settings);
  report[4] = kPayloadConstant;
  report[5] = code;
  report[7] = ArgbOptionByte(code);
  report[8] = kPayloadConstant;
  report[9] = color.red;
  report[10] = color.green;
  report[11] = color.blue;
  return report;
}

VrgbRequest EncodeVrgbSettings(const LightingSettings& settings) {
  VrgbRequest request;
  request.report = Header(kGroupVrgb, kCommandWrite);
  const std::optional<BYTE> code = VrgbEffectCode(settings.effect);
  request.has_vrgb_code = code.has_value();
  const BYTE sent = code.value_or(0);
  const Rgb color = ColorFrom(settings);
  Report& report = request.report;
  report[4] = sent;
  report[6] = VrgbOptionByte(sent);
  report[7] = kPayloadConstant;
  report[8] = color.red;
  report[9] = color.green;
  report[10] = color.blue;
  return request;
}

int DecodeLightsQty(const Report& reply) {
  return reply[4];
}

DeviceColor DecodeDeviceColor(const Report& reply) {
  return DeviceColor{reply[5], Rgb{reply[9], reply[10], reply[11]}};
}

}  // namespace device
