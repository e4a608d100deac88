// Discovery over the real HID services of a machine without the controller.
#include <gtest/gtest.h>

#include <memory>

#include "discovery.h"
#include "hidapi_backend.h"

namespace {

TEST(HidapiDiscovery, MachineWithoutTheControllerFindsNothing) {
  auto backend = std::make_shared<hid::HidapiBackend>();
  for (const auto& info : backend->Enumerate()) {
    if (info.vendor_id == device::kControllerVendorId &&
        info.product_id == device::kControllerProductId) {
      GTEST_SKIP() << "a controller is attached to this machine";
    }
  }
  hid::SetBackend(backend);
  {
    device::DeviceDiscovery d;
    EXPECT_FALSE(d.FindDevice());
    EXPECT_EQ(d.m_hDevice.get(), INVALID_HANDLE_VALUE);
  }
  hid::SetBackend(nullptr);
}

}  // namespace
