// The five operations end to end: discovery over the simulated controller, then the reports it
// receives and what the program decodes from its replies, or from their absence.
#include "device/requests.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "device/discovery.h"
#include "platform/hid/simulated/simulated_backend.h"

namespace {

using device::Report;

Report Bytes(std::initializer_list<BYTE> head) {
  Report report{};
  std::size_t i = 0;
  for (BYTE b : head) report[i++] = b;
  return report;
}

class DeviceRequests : public ::testing::Test {
 protected:
  void SetUp() override {
    sim_ = std::make_shared<hid::SimulatedBackend>();
    hid::SetBackend(sim_);
  }
  void TearDown() override {
    link_.reset();
    hid::SetBackend(nullptr);
  }
  HANDLE Connect() {
    link_ = std::make_unique<device::DeviceDiscovery>();
    link_->FindDevice();
    return link_->m_hDevice;
  }

  std::shared_ptr<hid::SimulatedBackend> sim_;
  std::unique_ptr<device::DeviceDiscovery> link_;
};

TEST_F(DeviceRequests, StartUpReadsColourThenLightsQuantity) {
  sim_->Controller().argb = {0x02, 0x03, 0xFF, 0x80, 0x00};
  sim_->Controller().led_count = 30;
  const HANDLE h = Connect();
  ASSERT_NE(h, INVALID_HANDLE_VALUE);

  BYTE in_out = 0;
  const device::Rgb color = device::ReadDeviceColor(h, in_out);
  EXPECT_EQ(color, (device::Rgb{0xFF, 0x80, 0x00}));
  int qty = 0;
  device::ReadLightsQty(h, qty);
  EXPECT_EQ(qty, 30);

  ASSERT_EQ(sim_->Reports().size(), 2u);
  EXPECT_EQ(sim_->Reports()[0], Bytes({0x00, 0x80, 0x0B, 0x01, 0x03, 0x00, 0x00, 0x00, 0x03}));
  EXPECT_EQ(sim_->Reports()[1], Bytes({0x00, 0x80, 0x0D, 0x01, 0x00, 0x03}));
}

TEST_F(DeviceRequests, ReadBackBytesAtTheEndsOfTheRange) {
  sim_->Controller().argb.red = 0;
  sim_->Controller().argb.green = 255;
  sim_->Controller().argb.blue = 1;
  sim_->Controller().led_count = 255;
  const HANDLE h = Connect();
  BYTE in_out = 0;
  EXPECT_EQ(device::ReadDeviceColor(h, in_out), (device::Rgb{0, 255, 1}));
  int qty = -5;
  device::ReadLightsQty(h, qty);
  EXPECT_EQ(qty, 255);
}

TEST_F(DeviceRequests, WithoutADeviceReadsEchoTheRequest) {
  hid::SetBackend(std::make_shared<hid::SimulatedBackend>(std::vector<hid::SimulatedInterface>{}));
  const HANDLE h = Connect();
  ASSERT_EQ(h, INVALID_HANDLE_VALUE);
  BYTE in_out = 0;
  EXPECT_EQ(device::ReadDeviceColor(h, in_out), (device::Rgb{0, 0, 0}));
  EXPECT_EQ(in_out, 0);
  int qty = 0;
  device::ReadLightsQty(h, qty);
  EXPECT_EQ(qty, 0) << "the dialog then shows 0";
  qty = 20;
  device::ReadLightsQty(h, qty);
  EXPECT_EQ(qty, 20);
  // Writes go nowhere and nothing breaks.
  device::SetLightsQty(h, 8);
  device::ApplyArgbSettings(h, device::LightingSettings{8, 1});
}

TEST_F(DeviceRequests, SilentControllerReadsEchoTheRequest) {
  sim_->SetSilent(true);
  sim_->Controller().led_count = 30;
  sim_->Controller().argb.red = 99;
  const HANDLE h = Connect();
  BYTE in_out = 3;
  EXPECT_EQ(device::ReadDeviceColor(h, in_out), (device::Rgb{0, 0, 0}));
  EXPECT_EQ(in_out, 3);
  int qty = 12;
  device::ReadLightsQty(h, qty);
  EXPECT_EQ(qty, 12);
  EXPECT_EQ(sim_->Reports().size(), 2u) << "the requests were still sent";
}

TEST_F(DeviceRequests, ApplyAndSetLightsQuantityReachTheController) {
  const HANDLE h = Connect();
  device::LightingSettings s;
  s.effect = 2;
  s.color = 0;
  s.red = 1;
  s.green = 2;
  s.blue = 3;
  device::ApplyArgbSettings(h, s);
  device::SetLightsQty(h, 8);
  ASSERT_EQ(sim_->Reports().size(), 2u);
  EXPECT_EQ(sim_->Reports()[0],
            Bytes({0x00, 0x80, 0x0B, 0x02, 0x03, 0x01, 0x00, 0x00, 0x03, 0x01, 0x02, 0x03}));
  EXPECT_EQ(sim_->Reports()[1], Bytes({0x00, 0x80, 0x0D, 0x02, 0x08, 0x03}));
  EXPECT_EQ(sim_->Controller().argb.effect, 0x01);
  EXPECT_EQ(sim_->Controller().led_count, 8);
}

TEST_F(DeviceRequests, SynchronizeWithStartUpEffectWarnsBetweenTheTwoReports) {
  const HANDLE h = Connect();
  device::LightingSettings s;
  s.effect = 8;
  s.color = 2;
  std::vector<std::size_t> warned_after;
  device::ApplyArgbSettings(h, s);
  device::ApplyVrgbSettings(h, s, [&] { warned_after.push_back(sim_->Reports().size()); });
  ASSERT_EQ(warned_after, std::vector<std::size_t>{1}) << "once, after ARGB, before VRGB";
  ASSERT_EQ(sim_->Reports().size(), 2u);
  EXPECT_EQ(sim_->Reports()[0][5], 0x02);
  EXPECT_EQ(sim_->Reports()[1],
            Bytes({0x00, 0x80, 0x04, 0x02, 0x00, 0x00, 0x00, 0x03, 0xFF, 0x00, 0x00}));
}

TEST_F(DeviceRequests, VrgbEffectDoesNotWarn) {
  const HANDLE h = Connect();
  int warnings = 0;
  device::ApplyVrgbSettings(h, device::LightingSettings{7, 6}, [&] { ++warnings; });
  EXPECT_EQ(warnings, 0);
  EXPECT_EQ(sim_->Controller().vrgb.effect, 0x04);
  EXPECT_EQ(sim_->Controller().vrgb.blue, 255);
}

TEST_F(DeviceRequests, UnpluggedAfterStartUpEverythingGoesQuietlyNowhere) {
  const HANDLE h = Connect();
  sim_->Unplug();
  device::ApplyArgbSettings(h, device::LightingSettings{3, 5});
  device::SetLightsQty(h, 20);
  int qty = 20;
  device::ReadLightsQty(h, qty);
  EXPECT_EQ(qty, 20);
  EXPECT_TRUE(sim_->Reports().empty());
}

}  // namespace
