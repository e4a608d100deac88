// halcyractl's commands on the simulated controller: requests, read-back, --device, faults.
#include <gtest/gtest.h>

#include <memory>

#include "ctl_run.h"
#include "report.h"
#include "report_text.h"
#include "simulated_backend.h"

namespace {

using ctl::test::RunCtl;

constexpr hid::SimulatedInterface kController{};
constexpr hid::SimulatedInterface kMouse{0x046D, 0xC52B};

class CtlCommands : public ::testing::Test {
 protected:
  void SetUp() override { Install({kController}); }
  void TearDown() override { hid::SetBackend(nullptr); }

  void Install(std::vector<hid::SimulatedInterface> interfaces) {
    sim_ = std::make_shared<hid::SimulatedBackend>(std::move(interfaces));
    sim_->Controller().argb = {0, 0, 61, 69, 255};
    sim_->Controller().led_count = 30;
    hid::SetBackend(sim_);
  }
  std::string Received(std::size_t index) const {
    return index < sim_->Reports().size() ? hid::FormatReport(sim_->Reports()[index]) : "";
  }

  std::shared_ptr<hid::SimulatedBackend> sim_;
};

TEST_F(CtlCommands, StatusAndLightsUseTheWindowsRequests) {
  const ctl::test::Outcome status = RunCtl({"status"});
  EXPECT_EQ(0, status.status) << status.err;
  EXPECT_EQ("device /sim/hidraw0\ncolor 61 69 255\nlights 30\n", status.out);
  // The window's two requests at start-up, in its order; a dry run prints them.
  const std::string asked = hid::FormatReport(device::EncodeReadDeviceColor(0)) + "\n" +
                            hid::FormatReport(device::EncodeReadLightsQty(0)) + "\n";
  EXPECT_EQ(asked, Received(0) + "\n" + Received(1) + "\n");
  EXPECT_EQ(asked, RunCtl({"status", "--dry-run"}).out);

  EXPECT_EQ(0, RunCtl({"lights", "64"}).status);
  EXPECT_EQ(0u, Received(2).find("00 80 0D 02 40 03 00 "));
  EXPECT_EQ(Received(2) + "\n", RunCtl({"--dry-run", "lights", "64"}).out);
  sim_->Controller().argb = {0, 0, 0, 255, 0};
  EXPECT_EQ("device /sim/hidraw0\ncolor 0 255 0\nlights 64\n", RunCtl({"status"}).out);
  EXPECT_EQ(5u, sim_->Reports().size());
}

TEST_F(CtlCommands, EffectWithoutAColourKeepsTheControllersOwnOrSendsNothing) {
  EXPECT_EQ(0, RunCtl({"effect", "Halcyra"}).status);
  EXPECT_EQ(hid::FormatReport(device::EncodeReadDeviceColor(0)), Received(0));
  EXPECT_EQ(0u, Received(1).find("00 80 0B 02 03 02 00 03 03 3D 45 FF 00 "));

  // Unanswered, the colour would turn black.
  sim_->SetSilent(true);
  const ctl::test::Outcome silent = RunCtl({"effect", "rainbow"});
  EXPECT_EQ(1, silent.status);
  EXPECT_EQ(
      "halcyractl: the lighting controller at /sim/hidraw0 did not answer within 250 ms\n"
      "halcyractl: give the colour with --color or --preset\n",
      silent.err);
  EXPECT_EQ(3u, sim_->Reports().size());  // the colour request only
  EXPECT_EQ(1, RunCtl({"status"}).status);
  EXPECT_EQ(0, RunCtl({"effect", "rainbow", "--preset", "red"}).status);
}

TEST_F(CtlCommands, UnpluggedControllerEndsWithStatusOne) {
  // Pulled out between the colour request and its answer.
  sim_->SetObserver([this](const hid::Report&) { sim_->Unplug(); });
  ctl::test::Outcome outcome = RunCtl({"status"});
  EXPECT_EQ(1, outcome.status);
  EXPECT_EQ("", outcome.out);
  EXPECT_EQ(
      "halcyractl: the lighting controller at /sim/hidraw0 did not answer; was it "
      "unplugged?\n",
      outcome.err);
  for (auto words :
       {std::vector<std::string_view>{"lights", "8"}, std::vector<std::string_view>{"list"}}) {
    outcome = RunCtl(words);
    EXPECT_EQ(1, outcome.status);
    EXPECT_EQ(0u, outcome.err.find("halcyractl: no lighting controller found")) << outcome.err;
  }
  EXPECT_EQ(1, RunCtl({"lights", "8", "--device", "/sim/hidraw0"}).status);
  EXPECT_EQ(0, sim_->OpenNow(0));
}

TEST_F(CtlCommands, SeveralControllersListedAndPickedByDevice) {
  Install({kMouse, kController, {.access_denied = true}, kController, {.open_fails = true}});
  const ctl::test::Outcome listed = RunCtl({"list"});
  EXPECT_EQ(0, listed.status);
  EXPECT_EQ("/sim/hidraw1 ready\n/sim/hidraw2 denied\n/sim/hidraw3 ready\n/sim/hidraw4 busy\n",
            listed.out);
  EXPECT_EQ("", listed.err);  // one opens: nothing to fix

  // Without --device, the first one that opens, as in the window.
  EXPECT_EQ(0, RunCtl({"lights", "10"}).status);
  EXPECT_EQ(0, RunCtl({"--device", "/sim/hidraw3", "lights", "12"}).status);
  EXPECT_EQ(2, sim_->TimesOpened(1));  // listed, then used
  EXPECT_EQ(2, sim_->TimesOpened(3));
  EXPECT_EQ(0, sim_->OpenNow(1) + sim_->OpenNow(3));

  const std::pair<const char*, const char*> refusals[] = {
      {"/sim/hidraw0", "/sim/hidraw0 is not the lighting controller: it is USB 046d:c52b"},
      {"/sim/hidraw2", "the lighting controller is at /sim/hidraw2, but this user may not open"},
      {"/sim/hidraw4", "the lighting controller at /sim/hidraw4 would not open; another program"},
      {"/sim/hidraw9", "there is no HID device at /sim/hidraw9"},
  };
  for (const auto& [path, says] : refusals) {
    const ctl::test::Outcome outcome = RunCtl({"lights", "8", "--device", path});
    EXPECT_EQ(1, outcome.status) << path;
    EXPECT_EQ(0u, outcome.err.find(std::string("halcyractl: ") + says)) << outcome.err;
  }
  EXPECT_EQ(2u, sim_->Reports().size());
}

TEST_F(CtlCommands, ControllerOutOfReachIsExplained) {
  // Only closed to this user: the fix for its permissions.
  Install({kMouse, {.access_denied = true}});
  ctl::test::Outcome outcome = RunCtl({"status"});
  EXPECT_EQ(1, outcome.status);
  EXPECT_NE(std::string::npos, outcome.err.find("is at /sim/hidraw1, but this user may not"));
  EXPECT_NE(std::string::npos, outcome.err.find("TAG+=\"uaccess\""));
  outcome = RunCtl({"list"});
  EXPECT_EQ(std::make_pair(0, std::string("/sim/hidraw1 denied\n")),
            std::make_pair(outcome.status, outcome.out));
  EXPECT_NE(std::string::npos, outcome.err.find("udevadm trigger /sim/hidraw1"));

  // Behind an interface that cannot describe itself, which ends the window's search too.
  Install({{.vendor_id = 0x046D, .caps_fail = true}, kController});
  outcome = RunCtl({"lights", "8"});
  EXPECT_EQ(1, outcome.status);
  EXPECT_EQ(
      "halcyractl: a lighting controller is at /sim/hidraw1, but the search did not reach it; "
      "name it with --device /sim/hidraw1\n",
      outcome.err);
  EXPECT_EQ(0, RunCtl({"lights", "8", "--device", "/sim/hidraw1"}).status);
}

}  // namespace
