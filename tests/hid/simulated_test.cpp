// The simulated controller: the state its writes set, its interfaces, its report observer.
#include "simulated_backend.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
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

// Each report as a hex line is the 'report' line of every transcript in tests/e2e.
TEST(Simulated, ObserverSeesOnlyTheReportsThatArrive) {
  hid::SimulatedBackend sim;
  std::vector<hid::Report> seen;
  sim.SetObserver([&](const hid::Report& r) { seen.push_back(r); });
  auto device = sim.Open(sim.PathOf(0));
  const hid::Report first{0x00, 0x80, 0x0D, 0x02, 0xAB, 0x03};
  device->Write(first);
  sim.Unplug();
  EXPECT_FALSE(device->Write({0x00, 0x80, 0x0D, 0x02}));
  ASSERT_EQ(seen.size(), 1u) << "a report that never arrived is not seen";
  EXPECT_EQ(seen[0], first);
}

hid::ReplyFaults Faults(std::uint64_t delay_ms, std::size_t length = hid::kReportSize - 1,
                        std::optional<std::uint32_t> garbage_seed = std::nullopt) {
  hid::ReplyFaults faults;
  faults.delay_ms = delay_ms;
  faults.length = length;
  faults.garbage_seed = garbage_seed;
  return faults;
}

// The read requests, with the clock the backend waits on kept by the test.
class SimulatedReplies : public ::testing::Test {
 protected:
  void SetUp() override {
    sim_.Controller().argb = {0x02, 0x03, 10, 20, 30};
    sim_.Controller().led_count = 30;
    sim_.SetClock({[this] { return now_; }, [this](std::uint64_t ms) { now_ += ms; }});
    device_ = sim_.Open(sim_.PathOf(0));
    ASSERT_TRUE(device_);
  }
  // Writes a read request and reads, timing the read on the backend's clock.
  hid::ReadResult Ask(hid::Report& buffer) {
    EXPECT_TRUE(device_->Write(buffer));
    return Read(buffer);
  }
  hid::ReadResult Read(hid::Report& buffer) {
    const std::uint64_t start = now_;
    const hid::ReadResult result = device_->Read(buffer);
    waited_ = now_ - start;
    return result;
  }
  static hid::Report ColorRequest() {
    return {0x00, 0x80, 0x0B, 0x01, 0x03, 0x00, 0x00, 0x00, 0x03};
  }
  static hid::Report QtyRequest() { return {0x00, 0x80, 0x0D, 0x01, 0x00, 0x03}; }

  hid::SimulatedBackend sim_;
  std::unique_ptr<hid::Device> device_;
  std::uint64_t now_ = 5000;
  std::uint64_t waited_ = 0;
};

TEST_F(SimulatedReplies, AReplyWithinTheBoundArrivesWhenDueAndOnePastItWaitsForTheNextRead) {
  sim_.SetReplyFaults(Faults(hid::kReadTimeoutMs));
  hid::Report buffer = ColorRequest();
  EXPECT_EQ(Ask(buffer), hid::ReadResult::kOk);
  EXPECT_EQ(waited_, std::uint64_t{hid::kReadTimeoutMs});
  EXPECT_EQ(buffer[9], 10);

  sim_.SetReplyFaults(Faults(hid::kReadTimeoutMs + 1));
  buffer = QtyRequest();
  EXPECT_EQ(Ask(buffer), hid::ReadResult::kTimeout);
  EXPECT_EQ(waited_, std::uint64_t{hid::kReadTimeoutMs}) << "the read gives up at its bound";
  EXPECT_EQ(buffer, QtyRequest());
  // The late reply is not lost: it is the next thing read, one millisecond later.
  EXPECT_EQ(Read(buffer), hid::ReadResult::kOk);
  EXPECT_EQ(waited_, 1u);
  EXPECT_EQ(buffer[4], 30);

  // A reply already there costs nothing; a silent controller costs the whole bound each time.
  sim_.SetReplyFaults({});
  buffer = QtyRequest();
  EXPECT_EQ(Ask(buffer), hid::ReadResult::kOk);
  EXPECT_EQ(waited_, 0u);
  sim_.SetSilent(true);
  EXPECT_EQ(Ask(buffer), hid::ReadResult::kTimeout);
  EXPECT_EQ(waited_, std::uint64_t{hid::kReadTimeoutMs});
  // A node that is gone fails at once.
  sim_.SetSilent(false);
  device_->Write(buffer);
  sim_.Unplug();
  EXPECT_EQ(Read(buffer), hid::ReadResult::kFailed);
  EXPECT_EQ(waited_, 0u);
}

TEST_F(SimulatedReplies, AShortReplyFillsOnlyItsBytesAndGarbageIsReproducible) {
  sim_.SetReplyFaults(Faults(0, 4));
  hid::Report buffer = ColorRequest();
  buffer[9] = 0xEE;
  ASSERT_EQ(Ask(buffer), hid::ReadResult::kOk);
  EXPECT_EQ(buffer[4], 0x03);
  EXPECT_EQ(buffer[5], 0x00) << "bytes past the reply keep what the request carried";
  buffer = ColorRequest();
  buffer[9] = 0xEE;
  sim_.SetReplyFaults(Faults(0, 8));
  ASSERT_EQ(Ask(buffer), hid::ReadResult::kOk);
  EXPECT_EQ(buffer[8], 0x03);
  EXPECT_EQ(buffer[9], 0xEE);
  sim_.SetReplyFaults(Faults(0, 0));
  buffer = QtyRequest();
  ASSERT_EQ(Ask(buffer), hid::ReadResult::kOk);
  EXPECT_EQ(buffer, QtyRequest()) << "an empty reply changes nothing";

  const auto garbage = [this](std::uint32_t seed) {
    sim_.SetReplyFaults(Faults(0, hid::kReportSize - 1, seed));
    hid::Report reply = QtyRequest();
    EXPECT_EQ(Ask(reply), hid::ReadResult::kOk);
    return reply;
  };
  const hid::Report first = garbage(7);
  EXPECT_EQ(first[0], 0x00) << "the report number stays the caller's";
  EXPECT_EQ(garbage(7), first);
  EXPECT_NE(garbage(8), first);
  hid::Report answer = QtyRequest();
  sim_.SetReplyFaults({});
  ASSERT_EQ(Ask(answer), hid::ReadResult::kOk);
  EXPECT_NE(answer, first);
}

}  // namespace
