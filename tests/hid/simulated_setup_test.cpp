// Describing the simulated controller the way a scripted run does.
#include "platform/hid/simulated/simulated_setup.h"

#include <gtest/gtest.h>

namespace {

hid::Report ColourRead() {
  hid::Report r{};
  r[1] = 0x80;
  r[2] = 0x0B;
  r[3] = 0x01;
  r[4] = 0x03;
  r[8] = 0x03;
  return r;
}

TEST(SimulatedSetup, CommandsSetTheirFieldsAndDefaultsStand) {
  hid::SimulatedSetup setup;
  EXPECT_TRUE(setup.attached);
  EXPECT_EQ(setup.led_count, 8);
  ASSERT_TRUE(hid::ApplyDeviceCommand("color 255 7 0", setup));
  EXPECT_EQ(setup.red, 255);
  EXPECT_EQ(setup.green, 7);
  EXPECT_EQ(setup.blue, 0);
  ASSERT_TRUE(hid::ApplyDeviceCommand("  qty\t64 ", setup));
  EXPECT_EQ(setup.led_count, 64);
  ASSERT_TRUE(hid::ApplyDeviceCommand("silent", setup));
  EXPECT_TRUE(setup.silent);
  EXPECT_TRUE(setup.attached);
  ASSERT_TRUE(hid::ApplyDeviceCommand("absent", setup));
  EXPECT_FALSE(setup.attached);
}

TEST(SimulatedSetup, MalformedCommandsChangeNothing) {
  for (const char* bad : {"", "color 1 2", "color 1 2 3 4", "color 1 2 256", "qty -1", "qty 8x",
                          "qty", "qty 0x10", "silent now", "present", "Color 1 2 3"}) {
    hid::SimulatedSetup setup;
    setup.red = 9;
    EXPECT_FALSE(hid::ApplyDeviceCommand(bad, setup)) << bad;
    EXPECT_EQ(setup.red, 9) << bad;
    EXPECT_EQ(setup.led_count, 8) << bad;
    EXPECT_TRUE(setup.attached) << bad;
  }
}

TEST(SimulatedSetup, BackendPlaysTheDescribedController) {
  hid::SimulatedSetup setup;
  ASSERT_TRUE(hid::ApplyDeviceCommand("color 1 2 3", setup));
  auto sim = hid::MakeSimulatedBackend(setup);
  const auto list = sim->Enumerate();
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].vendor_id, 0x1A2C);
  EXPECT_EQ(list[0].product_id, 0x1519);
  auto device = sim->Open(list[0].path);
  hid::Report buffer = ColourRead();
  ASSERT_TRUE(device->Write(buffer));
  ASSERT_EQ(device->Read(buffer), hid::ReadResult::kOk);
  EXPECT_EQ(buffer[9], 1);
  EXPECT_EQ(buffer[10], 2);
  EXPECT_EQ(buffer[11], 3);

  ASSERT_TRUE(hid::ApplyDeviceCommand("silent", setup));
  auto silent = hid::MakeSimulatedBackend(setup);
  device = silent->Open(list[0].path);
  buffer = ColourRead();
  ASSERT_TRUE(device->Write(buffer));
  EXPECT_EQ(device->Read(buffer), hid::ReadResult::kTimeout);

  ASSERT_TRUE(hid::ApplyDeviceCommand("absent", setup));
  EXPECT_TRUE(hid::MakeSimulatedBackend(setup)->Enumerate().empty());
}

}  // namespace
