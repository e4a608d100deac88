#include "device_access.h"

#include <memory>

#include "discovery.h"

namespace app {
namespace {

std::string Hex4(unsigned value) {
  char text[8];
  std::snprintf(text, sizeof text, "%04x", value & 0xFFFF);
  return text;
}

}  // namespace

std::string ControllerUdevRule() {
  return "SUBSYSTEM==\"hidraw\", ATTRS{idVendor}==\"" + Hex4(device::kControllerVendorId) +
         "\", ATTRS{idProduct}==\"" + Hex4(device::kControllerProductId) + "\", TAG+=\"uaccess\"";
}

void ExplainControllerAccess(const std::string& node, const std::string& program,
                             std::FILE* errors) {
  const std::string& p = program;
  std::fprintf(errors,
               "%s: the lighting controller is at %s, but this user may not open it.\n"
               "%s: to give the signed-in user access, install the halcyra package, or, as root,\n"
               "%s: put this line into /etc/udev/rules.d/70-halcyra.rules:\n"
               "%s:   %s\n"
               "%s: then run: udevadm control --reload && udevadm trigger %s\n",
               p.c_str(), node.c_str(), p.c_str(), p.c_str(), p.c_str(),
               ControllerUdevRule().c_str(), p.c_str(), node.c_str());
  std::fflush(errors);
}

bool ReportControllerAccess(hid::Backend& backend, const std::string& program, std::FILE* errors) {
  std::string denied;
  for (const hid::InterfaceInfo& info : backend.Enumerate()) {
    if (info.vendor_id != device::kControllerVendorId ||
        info.product_id != device::kControllerProductId) {
      continue;
    }
    hid::OpenError error = hid::OpenError::kNone;
    if (backend.Open(info.path, &error)) return false;  // discovery will reach it
    if (error == hid::OpenError::kAccessDenied && denied.empty()) denied = info.path;
  }
  if (denied.empty()) return false;
  ExplainControllerAccess(denied, program, errors);
  return true;
}

}  // namespace app
