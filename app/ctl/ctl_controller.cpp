#include "ctl_controller.h"

#include <filesystem>
#include <memory>
#include <utility>

#include "ctl_output.h"
#include "device_access.h"
#include "discovery.h"
#include "hid_backend.h"
#include "hid_owners.h"
#include "winhid.h"

namespace ctl {
namespace {

// Device paths travel through the HID services as bytes, one wide character per byte.
std::wstring WidePath(const std::string& path) {
  std::wstring wide;
  for (char c : path) wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
  return wide;
}

std::string NarrowPath(const wchar_t* wide) {
  std::string path;
  for (; *wide != L'\0'; ++wide) path.push_back(static_cast<char>(*wide));
  return path;
}

bool IsController(const hid::InterfaceInfo& info) {
  return info.vendor_id == device::kControllerVendorId &&
         info.product_id == device::kControllerProductId;
}

// The two name the same node: the same words, or the same file once links are followed (a
// person may give a link that a udev rule made).
bool SameNode(const std::string& given, const std::string& listed) {
  if (given == listed) return true;
  std::error_code error;
  const auto a = std::filesystem::weakly_canonical(given, error);
  if (error) return false;
  const auto b = std::filesystem::weakly_canonical(listed, error);
  return !error && a == b;
}

std::string Hex4(unsigned value) {
  char text[8];
  std::snprintf(text, sizeof text, "%04x", value & 0xFFFF);
  return text;
}

// Why discovery found nothing although a controller may be there.
void ExplainNotFound(std::FILE* errors) {
  if (auto backend = hid::InstalledBackend();
      backend && app::ReportControllerAccess(*backend, kProgram, errors)) {
    return;
  }
  for (const ListedController& listed : ListControllers()) {
    if (listed.access == Access::kReady) {
      // An earlier interface that could not describe itself ends the search, as in the window,
      // and only the first 128 interfaces are tried.
      return Complain(errors, "a lighting controller is at " + listed.path +
                                  ", but the search did not reach it; name it with --device " +
                                  listed.path);
    }
    if (listed.access == Access::kBusy) {
      return Complain(errors, "the lighting controller at " + listed.path +
                                  " would not open; another program may be holding it");
    }
  }
  Complain(errors, "no lighting controller found (USB " + Hex4(device::kControllerVendorId) + ":" +
                       Hex4(device::kControllerProductId) + "); is it plugged in?");
}

std::optional<Controller> Discover(std::FILE* errors) {
  device::DeviceDiscovery discovery;
  if (!discovery.FindDevice()) {
    ExplainNotFound(errors);
    return std::nullopt;
  }
  return Controller{std::move(discovery.m_hDevice),
                    NarrowPath(discovery.m_detail.get()->DevicePath)};
}

std::optional<Controller> OpenNamed(const std::string& given, std::FILE* errors) {
  auto backend = hid::InstalledBackend();
  std::optional<hid::InterfaceInfo> found;
  if (backend) {
    for (const hid::InterfaceInfo& info : backend->Enumerate()) {
      if (SameNode(given, info.path)) {
        found = info;
        break;
      }
    }
  }
  if (!found) {
    Complain(errors, "there is no HID device at " + given +
                         "; 'halcyractl list' shows the controllers that are there");
    return std::nullopt;
  }
  const std::string& path = found->path;
  if (!IsController(*found)) {
    Complain(errors, path + " is not the lighting controller: it is USB " + Hex4(found->vendor_id) +
                         ":" + Hex4(found->product_id) +
                         "; 'halcyractl list' shows the controllers");
    return std::nullopt;
  }

  base::UniqueKernelHandle handle(CreateFileW(WidePath(path).c_str(), GENERIC_READ | GENERIC_WRITE,
                                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                              OPEN_EXISTING, 0, nullptr));
  if (!handle) {
    const DWORD error = GetLastError();
    if (error == ERROR_ACCESS_DENIED) {
      app::ExplainControllerAccess(path, kProgram, errors);
    } else if (error == ERROR_FILE_NOT_FOUND) {
      Complain(errors, "the lighting controller at " + path + " went away");
    } else {
      Complain(errors, "the lighting controller at " + path +
                           " would not open; another program may be holding it");
    }
    return std::nullopt;
  }
  // As discovery does: an interface that cannot describe its reports is no working controller.
  hid::UniquePreparsedData preparsed;
  HIDP_CAPS caps{};
  if (!HidD_GetPreparsedData(handle.get(), preparsed.put()) ||
      HidP_GetCaps(preparsed.get(), &caps) != HIDP_STATUS_SUCCESS) {
    Complain(errors, "the lighting controller at " + path + " does not describe its reports");
    return std::nullopt;
  }
  return Controller{std::move(handle), path};
}

}  // namespace

std::optional<Controller> OpenController(const std::string& path, std::FILE* errors) {
  return path.empty() ? Discover(errors) : OpenNamed(path, errors);
}

std::vector<ListedController> ListControllers() {
  std::vector<ListedController> listed;
  auto backend = hid::InstalledBackend();
  if (!backend) return listed;
  for (const hid::InterfaceInfo& info : backend->Enumerate()) {
    if (!IsController(info)) continue;
    hid::OpenError error = hid::OpenError::kNone;
    const bool opens = backend->Open(info.path, &error) != nullptr;
    const Access access = opens                                    ? Access::kReady
                          : error == hid::OpenError::kAccessDenied ? Access::kDenied
                          : error == hid::OpenError::kNotFound     ? Access::kGone
                                                                   : Access::kBusy;
    listed.push_back(ListedController{info.path, access});
  }
  return listed;
}

const char* AccessWord(Access access) {
  switch (access) {
    case Access::kReady:
      return "ready";
    case Access::kDenied:
      return "denied";
    case Access::kBusy:
      return "busy";
    case Access::kGone:
      return "gone";
  }
  return "busy";
}

}  // namespace ctl
