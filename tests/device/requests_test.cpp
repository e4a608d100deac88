// The operations over the simulated controller where the transcripts cannot look.
#include "requests.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "discovery.h"
#include "simulated_backend.h"

namespace {

using device::Report;

class DeviceRequests : public ::testing::Test {
 protected:
  HANDLE Connect(std::vector<hid::SimulatedInterface> interfaces = {{}}) {
    sim_ = std::make_shared<hid::SimulatedBackend>(std::move(interfaces));
    hid::SetBackend(sim_);
    link_ = std::make_unique<device::DeviceDiscovery>();
    link_->FindDevice();
    return link_->m_hDevice.get();
  }
  void TearDown() override {
    link_.reset();
    hid::SetBackend(nullptr);
  }

  std::shared_ptr<hid::SimulatedBackend> sim_;
  std::unique_ptr<device::DeviceDiscovery> link_;
};

TEST_F(DeviceRequests, WithoutAnAnswerReadsEchoTheRequest) {
  for (bool attached : {false, true}) {
    SCOPED_TRACE(attached ? "silent controller" : "no controller");
    const HANDLE h = Connect(attached ? std::vector<hid::SimulatedInterface>{{}}
                                      : std::vector<hid::SimulatedInterface>{});
    sim_->SetSilent(true);
    sim_->Controller().argb.red = 99;
    BYTE in_out = 3;
    EXPECT_EQ(device::ReadDeviceColor(h, in_out), (device::Rgb{0, 0, 0}));
    EXPECT_EQ(in_out, 3);
    int qty = 0;
    device::ReadLightsQty(h, qty);
    EXPECT_EQ(qty, 0) << "the dialog then shows 0";
    qty = 300;
    device::ReadLightsQty(h, qty);
    EXPECT_EQ(qty, 44) << "only the low byte was sent, and it comes back";
    EXPECT_EQ(sim_->Reports().size(), attached ? 3u : 0u);
  }
}

TEST_F(DeviceRequests, VrgbWarnsBeforeWritingOnlyForEffectsWithoutAVrgbCode) {
  const HANDLE h = Connect();
  std::vector<std::size_t> warned_after;
  const auto warn = [&] { warned_after.push_back(sim_->Reports().size()); };
  // Synchronize with the start-up effect: ARGB first, then the warning, then VRGB with code 0.
  const device::LightingSettings startup{8, 2};
  device::ApplyArgbSettings(h, startup);
  device::ApplyVrgbSettings(h, startup, warn);
  EXPECT_EQ(warned_after, std::vector<std::size_t>{1});
  ASSERT_EQ(sim_->Reports().size(), 2u);
  EXPECT_EQ(sim_->Reports()[0][5], 0x02);
  EXPECT_EQ(sim_->Reports()[1], (Report{0x00, 0x80, 0x04, 0x02, 0x00, 0x00, 0x00, 0x03, 0xFF}));

  device::ApplyVrgbSettings(h, device::LightingSettings{7, 6}, warn);
  EXPECT_EQ(warned_after.size(), 1u);
  EXPECT_EQ(sim_->Controller().vrgb.effect, 0x04);
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
