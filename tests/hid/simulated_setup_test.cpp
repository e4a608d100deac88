// Describing the simulated controller the way a scripted run does.
#include "simulated_setup.h"

#include <gtest/gtest.h>

namespace {

TEST(SimulatedSetup, CommandsSetTheirFieldsAndMalformedOnesChangeNothing) {
  hid::SimulatedSetup setup;
  ASSERT_TRUE(hid::ApplyDeviceCommand("color 255 7 0", setup));
  ASSERT_TRUE(hid::ApplyDeviceCommand("  qty\t64 ", setup));
  EXPECT_EQ(setup.red, 255);
  EXPECT_EQ(setup.green, 7);
  EXPECT_EQ(setup.led_count, 64);
  EXPECT_FALSE(setup.silent);
  ASSERT_TRUE(hid::ApplyDeviceCommand("silent", setup));
  EXPECT_TRUE(setup.silent);
  EXPECT_TRUE(setup.attached);
  ASSERT_TRUE(hid::ApplyDeviceCommand("absent", setup));
  EXPECT_FALSE(setup.attached);

  for (const char* bad : {"", "color 1 2", "color 1 2 3 4", "color 1 2 256", "qty -1", "qty 8x",
                          "qty 0x10", "silent now", "present", "Color 1 2 3"}) {
    hid::SimulatedSetup fresh;
    EXPECT_FALSE(hid::ApplyDeviceCommand(bad, fresh)) << bad;
    EXPECT_EQ(fresh.red, 0) << bad;
    EXPECT_EQ(fresh.led_count, 8) << bad;
  }
}

}  // namespace
