// Finding the controller among simulated HID interfaces.
#include "discovery.h"

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <vector>

#include "hid_owners.h"
#include "kernel_handle.h"
#include "simulated_backend.h"

namespace {

using Interfaces = std::vector<hid::SimulatedInterface>;

const hid::SimulatedInterface kController{0x1A2C, 0x1519};
const hid::SimulatedInterface kKeyboard{0x046D, 0xC31C};
const hid::SimulatedInterface kSameVendorOtherProduct{0x1A2C, 0x1520};

// What discovery leaves behind: open devices, device information sets, preparsed data.
struct Held {
  std::size_t devices = 0;
  std::size_t sets = 0;
  std::size_t preparsed = 0;
  bool operator==(const Held&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Held& held) {
  return os << "{devices " << held.devices << ", sets " << held.sets << ", preparsed "
            << held.preparsed << "}";
}
Held HeldNow() {
  return {base::OpenKernelHandleCount(), hid::OpenDeviceInfoListCount(),
          hid::OpenPreparsedDataCount()};
}

class Discovery : public ::testing::Test {
 protected:
  hid::SimulatedBackend& Install(Interfaces interfaces) {
    sim_ = std::make_shared<hid::SimulatedBackend>(std::move(interfaces));
    hid::SetBackend(sim_);
    return *sim_;
  }
  void TearDown() override {
    found_.reset();
    hid::SetBackend(nullptr);
  }

  // Runs discovery in a fresh record; the record stays alive for the test.
  BOOL Find() {
    found_ = std::make_unique<device::DeviceDiscovery>();
    return found_->FindDevice();
  }

  std::shared_ptr<hid::SimulatedBackend> sim_;
  std::unique_ptr<device::DeviceDiscovery> found_;
};

TEST_F(Discovery, HandleIsZeroBeforeAndInvalidAfterAFailedSearch) {
  Install({kKeyboard});
  const Held none = HeldNow();
  for (const char* services : {"a keyboard only", "no HID services at all"}) {
    SCOPED_TRACE(services);
    device::DeviceDiscovery d;
    EXPECT_EQ(d.m_hDevice.get(), nullptr);
    EXPECT_FALSE(d.FindDevice());
    EXPECT_EQ(d.m_hDevice.get(), INVALID_HANDLE_VALUE);
    EXPECT_EQ(none, HeldNow());
    hid::SetBackend(nullptr);
  }
}

TEST_F(Discovery, FindsTheControllerBehindOtherDevicesAndKeepsItOpen) {
  auto& sim = Install({kKeyboard, kKeyboard, kController, kKeyboard});
  ASSERT_TRUE(Find());
  ASSERT_NE(found_->m_hDevice.get(), nullptr);
  ASSERT_NE(found_->m_hDevice.get(), INVALID_HANDLE_VALUE);
  EXPECT_EQ(found_->m_attributes.VendorID, 0x1A2C);
  EXPECT_EQ(found_->m_attributes.ProductID, 0x1519);
  EXPECT_EQ(found_->m_caps.OutputReportByteLength, 65);
  EXPECT_EQ(std::wstring(found_->m_detail.get()->DevicePath), L"/sim/hidraw2");
  EXPECT_EQ(sim.OpenNow(2), 1);
  // Others were opened, inspected and closed; the one after the controller was never tried.
  EXPECT_EQ(sim.TimesOpened(0), 1);
  EXPECT_EQ(sim.OpenNow(0), 0);
  EXPECT_EQ(sim.TimesOpened(3), 0);
}

TEST_F(Discovery, OnlyTheFirstHundredAndTwentyEightInterfacesAreTried) {
  Interfaces interfaces(128, kKeyboard);
  interfaces.push_back(kController);  // index 128
  auto& sim = Install(interfaces);
  EXPECT_FALSE(Find());
  EXPECT_EQ(found_->m_hDevice.get(), INVALID_HANDLE_VALUE);
  EXPECT_EQ(sim.TimesOpened(127), 1);
  EXPECT_EQ(sim.TimesOpened(128), 0);

  interfaces[127] = kController;  // the last index tried
  auto& again = Install(interfaces);
  EXPECT_TRUE(Find());
  EXPECT_EQ(again.OpenNow(127), 1);
}

TEST_F(Discovery, InterfacesThatDoNotOpenAreSkipped) {
  hid::SimulatedInterface locked_keyboard = kKeyboard;
  locked_keyboard.open_fails = true;
  hid::SimulatedInterface locked_controller = kController;
  locked_controller.open_fails = true;
  auto& sim = Install({locked_keyboard, locked_controller, kKeyboard, kController});
  ASSERT_TRUE(Find());
  EXPECT_EQ(sim.OpenNow(3), 1) << "the lowest-indexed controller that opens";
}

TEST_F(Discovery, AnInterfaceWithoutCapabilitiesEndsTheSearch) {
  // Matching or not, an interface that opens but cannot describe itself ends the search.
  for (hid::SimulatedInterface broken : {kKeyboard, kController}) {
    broken.caps_fail = true;
    auto& sim = Install({kKeyboard, broken, kController});
    EXPECT_FALSE(Find());
    EXPECT_EQ(found_->m_hDevice.get(), INVALID_HANDLE_VALUE);
    EXPECT_EQ(sim.TimesOpened(1), 1);
    EXPECT_EQ(sim.OpenNow(1), 0) << "closed again";
    EXPECT_EQ(sim.TimesOpened(2), 0) << "never tried";
  }
}

TEST_F(Discovery, LeavesNothingOpenButTheControllerWhileTheRecordLives) {
  hid::SimulatedInterface locked = kKeyboard;
  locked.open_fails = true;
  hid::SimulatedInterface broken = kKeyboard;
  broken.caps_fail = true;
  const Held none = HeldNow();
  const Held controller{none.devices + 1, none.sets, none.preparsed + 1};

  struct Case {
    const char* what;
    Interfaces interfaces;
    bool found;
  };
  const Case cases[] = {
      {"skipped, rejected, accepted",
       {locked, kKeyboard, kSameVendorOtherProduct, kController},
       true},
      {"skipped and rejected only", {locked, kKeyboard, kSameVendorOtherProduct}, false},
      {"ended by an interface without capabilities", {kKeyboard, broken, kController}, false},
      {"no interfaces at all", {}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Install(c.interfaces);
    {
      device::DeviceDiscovery d;
      EXPECT_EQ(c.found, d.FindDevice() == TRUE);
      EXPECT_EQ(c.found ? controller : none, HeldNow());
      // A second run lets go of the first controller before it looks again.
      d.FindDevice();
      EXPECT_EQ(c.found ? controller : none, HeldNow());
    }
    EXPECT_EQ(none, HeldNow());
  }
}

}  // namespace
