#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <fstream>

#include "hidapi_backend.h"

namespace hid {
namespace {

// The largest descriptor the kernel hands out (HID_MAX_DESCRIPTOR_SIZE).
constexpr std::size_t kMaxDescriptorSize = 4096;

bool IsHidrawNode(const std::string& name) {
  constexpr std::string_view kPrefix = "hidraw";
  if (name.size() <= kPrefix.size() || name.compare(0, kPrefix.size(), kPrefix) != 0) return false;
  for (std::size_t i = kPrefix.size(); i < name.size(); ++i) {
    if (name[i] < '0' || name[i] > '9') return false;
  }
  return true;
}

}  // namespace

bool IsHidrawDevice(const std::string& path, const std::filesystem::path& char_root) {
  struct stat info {};
  if (path.empty() || ::stat(path.c_str(), &info) != 0 || !S_ISCHR(info.st_mode)) return false;
  const std::string id =
      std::to_string(major(info.st_rdev)) + ":" + std::to_string(minor(info.st_rdev));
  std::error_code ec;
  const auto subsystem = std::filesystem::read_symlink(char_root / id / "subsystem", ec);
  return !ec && subsystem.filename() == "hidraw";
}

std::optional<std::vector<BYTE>> ReadSysfsReportDescriptor(
    const std::string& device_path, const std::filesystem::path& class_root) {
  const std::string node = std::filesystem::path(device_path).filename().string();
  if (!IsHidrawNode(node)) return std::nullopt;
  std::ifstream file(class_root / node / "device" / "report_descriptor", std::ios::binary);
  if (!file) return std::nullopt;
  std::vector<BYTE> bytes;
  char c;
  while (bytes.size() <= kMaxDescriptorSize && file.get(c)) bytes.push_back(static_cast<BYTE>(c));
  if (file.bad() || bytes.empty() || bytes.size() > kMaxDescriptorSize) return std::nullopt;
  return bytes;
}

}  // namespace hid
