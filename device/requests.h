// The controller's five operations over the device handle, as the main dialog calls them: build
// the request, write it, and for the two read requests read the reply into the same buffer and
// decode it. Nothing is reported on failure; the echo rule of device/report.h applies.
#pragma once

#include <functional>

#include "report.h"

namespace device {

// Replaces `lights_qty` with the controller's LED count (or, without an answer, its own low byte).
void ReadLightsQty(HANDLE device, int& lights_qty);

void SetLightsQty(HANDLE device, BYTE qty);

// Hands reply byte 5 back through `in_out` and returns the controller's colour (black without an
// answer). The caller moves the sliders.
Rgb ReadDeviceColor(HANDLE device, BYTE& in_out);

void ApplyArgbSettings(HANDLE device, const LightingSettings& settings);

// For an effect without a VRGB code, `warn` runs first (the dialog shows its message box there);
// the report is written all the same.
void ApplyVrgbSettings(HANDLE device, const LightingSettings& settings,
                       const std::function<void()>& warn);

}  // namespace device
