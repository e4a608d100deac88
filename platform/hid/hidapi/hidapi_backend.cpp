#include "hidapi_backend.h"

#include <fcntl.h>
#include <hidapi.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <set>

namespace hid {
namespace {

struct EnumerationDeleter {
  void operator()(hid_device_info* list) const { hid_free_enumeration(list); }
};

class HidapiDevice final : public Device {
 public:
  HidapiDevice(hid_device* device, InterfaceInfo info) : device_(device), info_(std::move(info)) {}
  ~HidapiDevice() override { hid_close(device_); }
  HidapiDevice(const HidapiDevice&) = delete;
  HidapiDevice& operator=(const HidapiDevice&) = delete;

  InterfaceInfo Attributes() const override { return info_; }

  bool ReportDescriptor(std::vector<BYTE>& out) override {
#if HID_API_VERSION >= HID_API_MAKE_VERSION(0, 14, 0)
    std::vector<BYTE> buffer(HID_API_MAX_REPORT_DESCRIPTOR_SIZE);
    const int size = hid_get_report_descriptor(device_, buffer.data(), buffer.size());
    if (size > 0) {
      buffer.resize(static_cast<std::size_t>(size));
      out = std::move(buffer);
      return true;
    }
#endif
    // Older hidapi has no call for it; the kernel publishes it next to the hidraw node.
    auto bytes = ReadSysfsReportDescriptor(info_.path);
    if (!bytes) return false;
    out = std::move(*bytes);
    return true;
  }

  bool Write(const Report& report) override {
    // hidapi takes the report number in byte 0, exactly as the program holds the report.
    return hid_write(device_, report.data(), report.size()) == static_cast<int>(report.size());
  }

  ReadResult Read(Report& report) override {
    // The controller's reports are unnumbered (report number 0). An unnumbered input report arrives
    // without the report number: its data goes to bytes 1..64.
    std::array<BYTE, kReportSize - 1> data{};
    const int got = hid_read_timeout(device_, data.data(), data.size(), kReadTimeoutMs);
    if (got < 0) return ReadResult::kFailed;
    if (got == 0) return ReadResult::kTimeout;
    const auto count = std::min(static_cast<std::size_t>(got), data.size());
    std::copy_n(data.begin(), count, report.begin() + 1);
    return ReadResult::kOk;
  }

 private:
  hid_device* device_ = nullptr;
  InterfaceInfo info_;
};

}  // namespace

HidapiBackend::HidapiBackend(std::filesystem::path char_root)
    : initialised_(hid_init() == 0), char_root_(std::move(char_root)) {}

HidapiBackend::~HidapiBackend() {
  if (initialised_) hid_exit();
}

std::vector<InterfaceInfo> HidapiBackend::Enumerate() {
  std::vector<InterfaceInfo> present;
  if (!initialised_) return present;
  std::unique_ptr<hid_device_info, EnumerationDeleter> list(hid_enumerate(0, 0));
  // hidapi lists a node once per top-level usage; the program wants each interface once.
  std::set<std::string> seen;
  for (const hid_device_info* d = list.get(); d != nullptr; d = d->next) {
    if (d->path == nullptr || !seen.insert(d->path).second) continue;
    present.push_back(InterfaceInfo{d->path, d->vendor_id, d->product_id, d->release_number});
  }
  return present;
}

std::unique_ptr<Device> HidapiBackend::OpenInterface(const std::string& path, OpenError& error) {
  if (!initialised_) {
    error = OpenError::kFailed;
    return nullptr;
  }
  if (!IsHidrawDevice(path, char_root_)) {
    error = OpenError::kNotFound;
    return nullptr;
  }
  hid_device* device = hid_open_path(path.c_str());
  if (device == nullptr) {
    // hidapi keeps the reason only as text; the node's permissions tell it for certain.
    if (::faccessat(AT_FDCWD, path.c_str(), R_OK | W_OK, AT_EACCESS) != 0) {
      error = errno == EACCES || errno == EPERM ? OpenError::kAccessDenied
              : errno == ENOENT                 ? OpenError::kNotFound
                                                : OpenError::kFailed;
    } else {
      error = OpenError::kFailed;
    }
    return nullptr;
  }
  InterfaceInfo info{path, 0, 0, 0};
  if (const hid_device_info* details = hid_get_device_info(device)) {
    info.vendor_id = details->vendor_id;
    info.product_id = details->product_id;
    info.version = details->release_number;
  }
  return std::make_unique<HidapiDevice>(device, std::move(info));
}

}  // namespace hid
