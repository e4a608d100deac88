#include "requests.h"

#include "transport.h"

namespace device {

void ReadLightsQty(HANDLE device, int& lights_qty) {
  Report report = EncodeReadLightsQty(lights_qty);
  WriteReport(device, report);
  ReadReport(device, report);
  lights_qty = DecodeLightsQty(report);
}

void SetLightsQty(HANDLE device, BYTE qty) {
  WriteReport(device, EncodeSetLightsQty(qty));
}

Rgb ReadDeviceColor(HANDLE device, BYTE& in_out) {
  Report report = EncodeReadDeviceColor(in_out);
  WriteReport(device, report);
  ReadReport(device, report);
  const DeviceColor reply = DecodeDeviceColor(report);
  in_out = reply.in_out;
  return reply.color;
}

void ApplyArgbSettings(HANDLE device, const LightingSettings& settings) {
  WriteReport(device, EncodeArgbSettings(settings));
}

void ApplyVrgbSettings(HANDLE device, const LightingSettings& settings,
                       const std::function<void()>& warn) {
  const VrgbRequest request = EncodeVrgbSettings(settings);
  if (!request.has_vrgb_code && warn) warn();
  WriteReport(device, request.report);
}

}  // namespace device
