// The real HID system through hidapi's hidraw flavour (never the libusb one, which detaches the
// kernel's drivers). Device paths are hidraw nodes such as "/dev/hidraw3".
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "hid_backend.h"

namespace hid {

class HidapiBackend final : public Backend {
 public:
  // `char_root` is where the kernel lists character devices by number (tests give a fake one).
  explicit HidapiBackend(std::filesystem::path char_root = "/sys/dev/char");
  ~HidapiBackend() override;
  HidapiBackend(const HidapiBackend&) = delete;
  HidapiBackend& operator=(const HidapiBackend&) = delete;

  std::vector<InterfaceInfo> Enumerate() override;

 protected:
  // A path that is no hidraw node counts as not found. A node that will not open counts as denied
  // when this process's user lacks read or write permission on it.
  std::unique_ptr<Device> OpenInterface(const std::string& path, OpenError& error) override;

 private:
  bool initialised_ = false;
  std::filesystem::path char_root_;
};

// Whether `path` names a hidraw character device: its sysfs entry under <char_root>/MAJOR:MINOR
// belongs to the hidraw subsystem. hidapi must only ever be handed such a path; given any other
// file it can open, its open call crashes.
bool IsHidrawDevice(const std::string& path,
                    const std::filesystem::path& char_root = "/sys/dev/char");

// The report descriptor the kernel publishes for a hidraw node: for "/dev/hidrawN" the file
// <class_root>/hidrawN/device/report_descriptor. Nothing when the path is not a hidraw node or
// the file is missing, empty or unreadable.
std::optional<std::vector<BYTE>> ReadSysfsReportDescriptor(
    const std::string& device_path, const std::filesystem::path& class_root = "/sys/class/hidraw");

}  // namespace hid
