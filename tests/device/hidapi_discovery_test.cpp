// Discovery over this machine's real HID services, whatever is plugged in.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "discovery.h"
#include "hidapi_backend.h"
#include "winhid.h"

namespace {

bool IsController(const hid::InterfaceInfo& info) {
  return info.vendor_id == device::kControllerVendorId &&
         info.product_id == device::kControllerProductId;
}

// The machine's HID services without any controller, so that discovery must find nothing.
class WithoutController : public hid::Backend {
 public:
  explicit WithoutController(std::shared_ptr<hid::Backend> real) : real_(std::move(real)) {}

  std::vector<hid::InterfaceInfo> Enumerate() override {
    std::vector<hid::InterfaceInfo> list;
    for (const hid::InterfaceInfo& info : real_->Enumerate()) {
      if (IsController(info)) {
        hidden_.push_back(info.path);
      } else {
        list.push_back(info);
      }
    }
    return list;
  }
  std::unique_ptr<hid::Device> OpenInterface(const std::string& path,
                                             hid::OpenError& error) override {
    for (const std::string& gone : hidden_) {
      if (gone == path) {
        error = hid::OpenError::kNotFound;
        return nullptr;
      }
    }
    return real_->Open(path, &error);
  }

 private:
  std::shared_ptr<hid::Backend> real_;
  std::vector<std::string> hidden_;
};

// Uninstalls the backend however the test ends.
struct InstalledFor {
  explicit InstalledFor(std::shared_ptr<hid::Backend> backend) { hid::SetBackend(backend); }
  ~InstalledFor() { hid::SetBackend(nullptr); }
  InstalledFor(const InstalledFor&) = delete;
  InstalledFor& operator=(const InstalledFor&) = delete;
};

TEST(HidapiDiscovery, OtherDevicesAreNeverTakenForTheController) {
  InstalledFor installed(
      std::make_shared<WithoutController>(std::make_shared<hid::HidapiBackend>()));
  device::DeviceDiscovery d;
  EXPECT_FALSE(d.FindDevice());
  EXPECT_EQ(d.m_hDevice.get(), INVALID_HANDLE_VALUE);
}

TEST(HidapiDiscovery, AFoundDeviceIsAnOpenController) {
  auto backend = std::make_shared<hid::HidapiBackend>();
  bool listed = false;
  for (const hid::InterfaceInfo& info : backend->Enumerate()) listed = listed || IsController(info);
  InstalledFor installed(backend);
  device::DeviceDiscovery d;
  if (!d.FindDevice()) {
    // Without a controller nothing is found; with one, it may still be out of reach.
    EXPECT_EQ(d.m_hDevice.get(), INVALID_HANDLE_VALUE);
    return;
  }
  EXPECT_TRUE(listed) << "found a controller that is not attached";
  ASSERT_NE(d.m_hDevice.get(), INVALID_HANDLE_VALUE);
  HIDD_ATTRIBUTES attributes{};
  attributes.Size = sizeof attributes;
  ASSERT_TRUE(HidD_GetAttributes(d.m_hDevice.get(), &attributes));
  EXPECT_EQ(attributes.VendorID, device::kControllerVendorId);
  EXPECT_EQ(attributes.ProductID, device::kControllerProductId);
}

}  // namespace
