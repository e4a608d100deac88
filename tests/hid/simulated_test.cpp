// The simulated controller: what its write requests set, how it answers the two read requests,
// silence, unplugging, the interface list and the report observer.
#include "platform/hid/simulated/simulated_backend.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

hid::Report Request(std::initializer_list<BYTE> head) {
  hid::Report report{};
  std::size_t i = 0;
  for (BYTE b : head) report[i++] = b;
  return report;
}

class Simulated : public ::testing::Test {
 protected:
  std::unique_ptr<hid::Device> OpenController() { return sim_.Open(sim_.PathOf(0)); }
  hid::SimulatedBackend sim_;
};

TEST_F(Simulated, WriteRequestsSetTheControllerState) {
  auto device = OpenController();
  ASSERT_TRUE(device);
  ASSERT_TRUE(
      device->Write(Request({0x00, 0x80, 0x0B, 0x02, 0x03, 0x18, 0x00, 0x05, 0x03, 254, 27, 46})));
  ASSERT_TRUE(device->Write(Request({0x00, 0x80, 0x04, 0x02, 0x06, 0x00, 0x05, 0x03, 1, 2, 3})));
  ASSERT_TRUE(device->Write(Request({0x00, 0x80, 0x0D, 0x02, 64, 0x03})));
  const hid::ControllerState& state = sim_.Controller();
  EXPECT_EQ(state.argb.effect, 0x18);
  EXPECT_EQ(state.argb.option, 5);
  EXPECT_EQ(state.argb.red, 254);
  EXPECT_EQ(state.argb.green, 27);
  EXPECT_EQ(state.argb.blue, 46);
  EXPECT_EQ(state.vrgb.effect, 0x06);
  EXPECT_EQ(state.vrgb.option, 5);
  EXPECT_EQ(state.vrgb.red, 1);
  EXPECT_EQ(state.vrgb.blue, 3);
  EXPECT_EQ(state.led_count, 64);
  EXPECT_EQ(sim_.Reports().size(), 3u);
}

TEST_F(Simulated, ReadRequestsAreAnsweredFromTheState) {
  sim_.Controller().argb.red = 10;
  sim_.Controller().argb.green = 20;
  sim_.Controller().argb.blue = 30;
  auto device = OpenController();

  hid::Report buffer = Request({0x00, 0x80, 0x0D, 0x01, 0x00, 0x03});
  ASSERT_TRUE(device->Write(buffer));
  ASSERT_EQ(device->Read(buffer), hid::ReadResult::kOk);
  EXPECT_EQ(buffer[4], 8) << "the default LED count";

  buffer = Request({0x00, 0x80, 0x0B, 0x01, 0x03, 0x00, 0x00, 0x00, 0x03});
  ASSERT_TRUE(device->Write(buffer));
  ASSERT_EQ(device->Read(buffer), hid::ReadResult::kOk);
  EXPECT_EQ(buffer[9], 10);
  EXPECT_EQ(buffer[10], 20);
  EXPECT_EQ(buffer[11], 30);

  // One reply per request: nothing more to read.
  EXPECT_EQ(device->Read(buffer), hid::ReadResult::kTimeout);
}

TEST_F(Simulated, ReplyFollowsTheLatestWrites) {
  auto device = OpenController();
  ASSERT_TRUE(device->Write(Request({0x00, 0x80, 0x0D, 0x02, 17, 0x03})));
  ASSERT_TRUE(
      device->Write(Request({0x00, 0x80, 0x0B, 0x02, 0x03, 0x07, 0x00, 0x01, 0x03, 9, 8, 7})));
  hid::Report buffer = Request({0x00, 0x80, 0x0D, 0x01, 0x00, 0x03});
  device->Write(buffer);
  device->Read(buffer);
  EXPECT_EQ(buffer[4], 17);
  buffer = Request({0x00, 0x80, 0x0B, 0x01, 0x03, 0x00, 0x00, 0x00, 0x03});
  device->Write(buffer);
  device->Read(buffer);
  EXPECT_EQ(buffer[9], 9);
  EXPECT_EQ(buffer[10], 8);
  EXPECT_EQ(buffer[11], 7);
}

TEST_F(Simulated, UnknownReportsAreRecordedButChangeNothing) {
  auto device = OpenController();
  const hid::ControllerState before = sim_.Controller();
  ASSERT_TRUE(device->Write(Request({0x00, 0x81, 0x0D, 0x02, 50})));  // wrong marker
  ASSERT_TRUE(device->Write(Request({0x00, 0x80, 0x0D, 0x07, 50})));  // unknown command
  ASSERT_TRUE(device->Write(Request({0x01, 0x80, 0x0D, 0x02, 50})));  // numbered report
  EXPECT_EQ(sim_.Controller().led_count, before.led_count);
  EXPECT_EQ(sim_.Reports().size(), 3u);
  hid::Report buffer{};
  EXPECT_EQ(device->Read(buffer), hid::ReadResult::kTimeout);
}

TEST_F(Simulated, SilentControllerTakesWritesButNeverAnswers) {
  sim_.SetSilent(true);
  auto device = OpenController();
  hid::Report buffer = Request({0x00, 0x80, 0x0D, 0x01, 0x05, 0x03});
  const hid::Report sent = buffer;
  ASSERT_TRUE(device->Write(Request({0x00, 0x80, 0x0D, 0x02, 20, 0x03})));
  ASSERT_TRUE(device->Write(buffer));
  EXPECT_EQ(device->Read(buffer), hid::ReadResult::kTimeout);
  EXPECT_EQ(buffer, sent);
  EXPECT_EQ(sim_.Controller().led_count, 20);
}

TEST_F(Simulated, UnpluggedControllerVanishesAndFails) {
  auto device = OpenController();
  sim_.Unplug();
  EXPECT_TRUE(sim_.Enumerate().empty());
  EXPECT_FALSE(OpenController());
  hid::Report buffer = Request({0x00, 0x80, 0x0D, 0x01, 0x05, 0x03});
  const hid::Report sent = buffer;
  EXPECT_FALSE(device->Write(buffer));
  EXPECT_EQ(device->Read(buffer), hid::ReadResult::kFailed);
  EXPECT_EQ(buffer, sent);
  std::vector<BYTE> descriptor;
  EXPECT_FALSE(device->ReportDescriptor(descriptor));
  EXPECT_TRUE(sim_.Reports().empty());
}

TEST(SimulatedInterfaces, ListOpenFailuresCapabilityFailuresAndOtherDevices) {
  hid::SimulatedBackend sim(
      {{0x046D, 0xC52B}, {0x1A2C, 0x1519, true}, {0x1A2C, 0x1519, false, true}});
  const auto list = sim.Enumerate();
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[0].vendor_id, 0x046D);
  EXPECT_EQ(list[0].product_id, 0xC52B);
  EXPECT_EQ(list[1].path, hid::SimulatedBackend::PathOf(1));

  EXPECT_FALSE(sim.Open(list[1].path));
  EXPECT_EQ(sim.TimesOpened(1), 0);
  EXPECT_FALSE(sim.Open("/sim/hidraw3"));

  auto caps_fail = sim.Open(list[2].path);
  ASSERT_TRUE(caps_fail);
  std::vector<BYTE> descriptor;
  EXPECT_FALSE(caps_fail->ReportDescriptor(descriptor));
  EXPECT_TRUE(descriptor.empty());

  {
    auto other = sim.Open(list[0].path);
    ASSERT_TRUE(other);
    EXPECT_EQ(other->Attributes().vendor_id, 0x046D);
    EXPECT_TRUE(other->ReportDescriptor(descriptor));
    EXPECT_FALSE(descriptor.empty());
    // Another device ignores the controller's reports and never answers.
    EXPECT_TRUE(other->Write(Request({0x00, 0x80, 0x0D, 0x02, 40, 0x03})));
    EXPECT_NE(sim.Controller().led_count, 40);
    EXPECT_TRUE(sim.Reports().empty());
    EXPECT_EQ(sim.OpenNow(0), 1);
  }
  EXPECT_EQ(sim.OpenNow(0), 0);
  EXPECT_EQ(sim.TimesOpened(0), 1);

  hid::SimulatedBackend none(std::vector<hid::SimulatedInterface>{});
  EXPECT_TRUE(none.Enumerate().empty());
}

TEST(SimulatedObserver, SeesEveryReceivedReportInOrderAsHexLines) {
  hid::SimulatedBackend sim;
  std::vector<std::string> lines;
  sim.SetObserver([&](const hid::Report& r) { lines.push_back(hid::FormatReport(r)); });
  auto device = sim.Open(sim.PathOf(0));
  device->Write(Request({0x00, 0x80, 0x0D, 0x02, 0xAB, 0x03}));
  device->Write(Request({0x00, 0x80, 0x0B, 0x01, 0x03}));
  sim.Unplug();
  device->Write(Request({0x00, 0x80, 0x0D, 0x02, 0x01, 0x03}));  // never arrives
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].size(), 65u * 3 - 1);
  EXPECT_EQ(lines[0].substr(0, 18), "00 80 0D 02 AB 03 ");
  EXPECT_EQ(lines[0].substr(lines[0].size() - 6), " 00 00");
  EXPECT_EQ(lines[1].substr(0, 12), "00 80 0B 01 ");
}

TEST(FormatReport, TwoUpperCaseDigitsPerByte) {
  hid::Report report{};
  report[0] = 0x0F;
  report[1] = 0xF0;
  report[64] = 0xFF;
  const std::string text = hid::FormatReport(report);
  EXPECT_EQ(text.substr(0, 6), "0F F0 ");
  EXPECT_EQ(text.substr(text.size() - 3), " FF");
  EXPECT_EQ(text.find_first_of("abcdef"), std::string::npos);
}

}  // namespace
