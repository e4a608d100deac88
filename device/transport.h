// Moving one report to or from the controller's handle. The window never looks at whether a
// transfer worked: with no controller, or one that was unplugged or does not answer, a write goes
// nowhere and a read leaves the buffer exactly as it was. The results are there for a caller that
// must tell a person when the controller did not take a request or did not answer.
#pragma once

#include "report.h"

namespace device {

// Writes the 65 bytes, synchronously. False when they did not go out.
bool WriteReport(HANDLE device, const Report& report);

// Reads one 65-byte report into the same buffer, synchronously (bounded: see hid::kReadTimeoutMs).
// False when no report arrived; the buffer is then unchanged.
bool ReadReport(HANDLE device, Report& report);

}  // namespace device
