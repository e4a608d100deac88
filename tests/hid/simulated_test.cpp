// The simulated controller: the state its write requests set, its interface list, and the
// observer that sees every report it receives.
#include "simulated_backend.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(Simulated, WritesSetBothChannelsAndTheLedCountAndReadsAnswerFromThem) {
  hid::SimulatedBackend sim;
  auto device = sim.Open(sim.PathOf(0));
  ASSERT_TRUE(device);
  ASSERT_TRUE(device->Write({0x00, 0x80, 0x0B, 0x02, 0x03, 0x18, 0x00, 0x05, 0x03, 254, 27, 46}));
  ASSERT_TRUE(device->Write({0x00, 0x80, 0x04, 0x02, 0x06, 0x00, 0x05, 0x03, 1, 2, 3}));
  ASSERT_TRUE(device->Write({0x00, 0x80, 0x0D, 0x02, 64, 0x03}));
  const hid::ControllerState& state = sim.Controller();
  EXPECT_EQ(state.argb.effect, 0x18);
  EXPECT_EQ(state.argb.option, 5);
  EXPECT_EQ(state.argb.blue, 46);
  EXPECT_EQ(state.vrgb.effect, 0x06);
  EXPECT_EQ(state.vrgb.option, 5);
  EXPECT_EQ(state.vrgb.red, 1);
  EXPECT_EQ(state.led_count, 64);

  hid::Report buffer{0x00, 0x80, 0x0B, 0x01, 0x03, 0x00, 0x00, 0x00, 0x03};
  ASSERT_TRUE(device->Write(buffer));
  ASSERT_EQ(device->Read(buffer), hid::ReadResult::kOk);
  EXPECT_EQ(buffer[5], 0x18);
  EXPECT_EQ(buffer[9], 254);
  EXPECT_EQ(buffer[10], 27);
  EXPECT_EQ(buffer[11], 46);
  EXPECT_EQ(device->Read(buffer), hid::ReadResult::kTimeout) << "one reply per request";

  // Reports it does not know are recorded but change nothing and get no answer.
  ASSERT_TRUE(device->Write({0x00, 0x81, 0x0D, 0x02, 50}));
  ASSERT_TRUE(device->Write({0x00, 0x80, 0x0D, 0x07, 50}));
  ASSERT_TRUE(device->Write({0x01, 0x80, 0x0D, 0x01, 50}));
  EXPECT_EQ(state.led_count, 64);
  EXPECT_EQ(device->Read(buffer), hid::ReadResult::kTimeout);
  EXPECT_EQ(sim.Reports().size(), 7u);
}

TEST(Simulated, InterfaceListWithFailuresAndOtherDevices) {
  hid::SimulatedBackend sim({{0x046D, 0xC52B},
                             {0x1A2C, 0x1519, true},
                             {0x1A2C, 0x1519, false, true},
                             {0x1A2C, 0x1519, false, false, true}});
  const auto list = sim.Enumerate();
  ASSERT_EQ(list.size(), 4u);
  EXPECT_EQ(list[0].vendor_id, 0x046D);
  EXPECT_EQ(list[0].product_id, 0xC52B);
  hid::OpenError error = hid::OpenError::kNone;
  EXPECT_FALSE(sim.Open(list[1].path, &error));
  EXPECT_EQ(error, hid::OpenError::kFailed);
  EXPECT_FALSE(sim.Open(list[3].path, &error));
  EXPECT_EQ(error, hid::OpenError::kAccessDenied);
  EXPECT_FALSE(sim.Open("/sim/hidraw4", &error));
  EXPECT_EQ(error, hid::OpenError::kNotFound);
  std::vector<BYTE> descriptor;
  EXPECT_FALSE(sim.Open(list[2].path)->ReportDescriptor(descriptor));
  {
    auto other = sim.Open(list[0].path);
    EXPECT_TRUE(other->ReportDescriptor(descriptor));
    // Another device ignores the controller's reports.
    EXPECT_TRUE(other->Write({0x00, 0x80, 0x0D, 0x02, 40, 0x03}));
    EXPECT_NE(sim.Controller().led_count, 40);
    EXPECT_TRUE(sim.Reports().empty());
    EXPECT_EQ(sim.OpenNow(0), 1);
  }
  EXPECT_EQ(sim.OpenNow(0), 0);
  EXPECT_EQ(sim.TimesOpened(0), 1);
  EXPECT_EQ(sim.TimesOpened(1), 0);
}

TEST(Simulated, ObserverSeesEveryReceivedReportAsAHexLine) {
  hid::SimulatedBackend sim;
  std::vector<std::string> lines;
  sim.SetObserver([&](const hid::Report& r) { lines.push_back(hid::FormatReport(r)); });
  auto device = sim.Open(sim.PathOf(0));
  hid::Report first{0x00, 0x80, 0x0D, 0x02, 0xAB, 0x03};
  first[64] = 0x0F;
  device->Write(first);
  device->Write({0x00, 0x80, 0x0B, 0x01});
  sim.Unplug();
  EXPECT_FALSE(device->Write({0x00, 0x80, 0x0D, 0x02}));
  ASSERT_EQ(lines.size(), 2u) << "a report that never arrived is not seen";
  EXPECT_EQ(lines[0].size(), 65u * 3 - 1);
  EXPECT_EQ(lines[0].substr(0, 18), "00 80 0D 02 AB 03 ");
  EXPECT_EQ(lines[0].substr(lines[0].size() - 6), " 00 0F");
  EXPECT_EQ(lines[1].substr(0, 12), "00 80 0B 01 ");
}

}  // namespace
