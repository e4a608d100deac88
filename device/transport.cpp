#include "transport.h"

#include "winhid.h"

namespace device {

void WriteReport(HANDLE device, const Report& report) {
  DWORD written = 0;
  WriteFile(device, report.data(), static_cast<DWORD>(report.size()), &written, nullptr);
}

void ReadReport(HANDLE device, Report& report) {
  DWORD read = 0;
  ReadFile(device, report.data(), static_cast<DWORD>(report.size()), &read, nullptr);
}

}  // namespace device
