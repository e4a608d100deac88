#include "transport.h"

#include "winhid.h"

namespace device {

bool WriteReport(HANDLE device, const Report& report) {
  DWORD written = 0;
  return WriteFile(device, report.data(), static_cast<DWORD>(report.size()), &written, nullptr) &&
         written == report.size();
}

bool ReadReport(HANDLE device, Report& report) {
  DWORD read = 0;
  return ReadFile(device, report.data(), static_cast<DWORD>(report.size()), &read, nullptr) &&
         read == report.size();
}

}  // namespace device
