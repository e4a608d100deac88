// The start-up access check: it speaks only when the controller is closed to this user.
#include "device_access.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "captured_stream.h"
#include "discovery.h"
#include "simulated_backend.h"

namespace {

constexpr WORD kVendor = 0x1A2C, kProduct = 0x1519;

struct Outcome {
  bool reported = false;
  std::string text;
};

Outcome Check(hid::SimulatedBackend& backend) {
  app::test::CapturedStream file;
  Outcome outcome;
  outcome.reported = app::ReportControllerAccess(backend, "halcyra", file.get());
  std::fflush(file.get());
  outcome.text = file.Flushed();
  return outcome;
}

// The rule line of the file the package installs (comments left out).
std::string InstalledRule() {
  std::ifstream file(HALCYRA_UDEV_RULE);
  std::string line, rule;
  while (std::getline(file, line)) {
    if (line.empty() || line[0] == '#') continue;
    EXPECT_TRUE(rule.empty()) << "the rule file holds more than one rule";
    rule = line;
  }
  return rule;
}

TEST(DeviceAccess, ControllerClosedToThisUserIsNamedWithItsFix) {
  hid::SimulatedBackend backend({{0x046D, 0xC52B},
                                 {kVendor, kProduct, false, false, /*access_denied=*/true},
                                 {kVendor, kProduct, false, false, /*access_denied=*/true}});
  const Outcome outcome = Check(backend);
  ASSERT_TRUE(outcome.reported);
  const std::string node = hid::SimulatedBackend::PathOf(1);
  EXPECT_NE(outcome.text.find(" is at " + node + ", but this user may not open it"),
            std::string::npos)
      << outcome.text;
  EXPECT_EQ(outcome.text.find(hid::SimulatedBackend::PathOf(2)), std::string::npos)
      << "only the first node is named";
  EXPECT_NE(outcome.text.find("install the halcyra package"), std::string::npos);
  // The advice is the very rule the package installs, so following it gives the same result.
  const std::string rule = InstalledRule();
  ASSERT_FALSE(rule.empty());
  EXPECT_EQ(rule, app::ControllerUdevRule());
  EXPECT_NE(outcome.text.find("halcyra:   " + rule + "\n"), std::string::npos) << outcome.text;
  EXPECT_NE(outcome.text.find("udevadm trigger " + node + "\n"), std::string::npos);
  std::istringstream lines(outcome.text);
  for (std::string line; std::getline(lines, line);) EXPECT_EQ(line.rfind("halcyra: ", 0), 0u);

  // The program's own discovery is unchanged: it finds no controller, and says so as before.
  hid::SetBackend(std::make_shared<hid::SimulatedBackend>(
      std::vector<hid::SimulatedInterface>{{kVendor, kProduct, false, false, true}}));
  device::DeviceDiscovery discovery;
  EXPECT_FALSE(discovery.FindDevice());
  EXPECT_EQ(discovery.m_hDevice.get(), INVALID_HANDLE_VALUE);
  hid::SetBackend(nullptr);
}

TEST(DeviceAccess, SilentWhenPermissionIsNotWhatStandsInTheWay) {
  const struct {
    const char* what;
    std::vector<hid::SimulatedInterface> interfaces;
  } cases[] = {
      {"the controller opens", {{0x046D, 0xC52B}, {kVendor, kProduct}}},
      {"no controller", {{0x046D, 0xC52B}}},
      {"no HID device at all", {}},
      {"another device is closed", {{0x046D, 0xC52B, false, false, true}}},
      {"the controller fails to open for another reason", {{kVendor, kProduct, true}}},
      {"one of its interfaces is closed but another opens",
       {{kVendor, kProduct, false, false, true}, {kVendor, kProduct}}},
  };
  for (const auto& c : cases) {
    hid::SimulatedBackend backend(c.interfaces);
    const Outcome outcome = Check(backend);
    EXPECT_FALSE(outcome.reported) << c.what;
    EXPECT_EQ(outcome.text, "") << c.what;
    for (std::size_t i = 0; i < c.interfaces.size(); ++i)
      EXPECT_EQ(backend.OpenNow(i), 0) << c.what << ": the check leaves nothing open";
  }
}

}  // namespace
