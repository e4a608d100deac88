// Moving one report to or from the controller's handle. The program never looks at whether a
// transfer worked: with no controller, or one that was unplugged or does not answer, a write goes
// nowhere and a read leaves the buffer exactly as it was.
#pragma once

#include "report.h"

namespace device {

// Writes the 65 bytes, synchronously.
void WriteReport(HANDLE device, const Report& report);

// Reads one 65-byte report into the same buffer, synchronously (bounded: see hid::kReadTimeoutMs).
void ReadReport(HANDLE device, Report& report);

}  // namespace device
