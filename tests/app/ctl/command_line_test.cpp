// halcyractl's command line: faults end in status 2 reaching no controller; names, help, version.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>

#include "ctl_command_line.h"
#include "ctl_run.h"
#include "simulated_backend.h"

namespace {

using ctl::test::RunCtl;

TEST(CtlCommandLine, EveryFaultIsBadUsageAndReachesNoController) {
  auto controller = std::make_shared<hid::SimulatedBackend>();
  hid::SetBackend(controller);
  const std::pair<std::vector<std::string_view>, std::string> cases[] = {
      {{}, "no command given"},
      {{"blink"}, "unknown command 'blink': use list, status, effect, effects or lights"},
      {{"effect"}, "effect needs an EFFECT: a number from 1 to 24 or a name"},
      {{"effect", "0"}, "unknown effect '0'"},
      {{"effect", "25"}, "unknown effect '25'"},
      {{"effect", "ColorBreath"}, "unknown effect 'ColorBreath'"},  // a prefix is no name
      {{"effect", "1", "2"}, "too many arguments for effect: '2'"},
      {{"effect", "1", "--color", "256", "0", "0"},
       "--color: red must be a whole number from 0 to 255, not '256'"},
      {{"effect", "1", "--color", "0", "-1", "0"}, "green must be a whole number from 0 to 255"},
      {{"effect", "1", "--color", "0", "0", "+5"}, "blue must be a whole number from 0 to 255"},
      {{"effect", "1", "--color", "0", "0", "--dry-run"}, "--color needs three numbers"},
      {{"effect", "1", "--color", "1", "2", "3", "--preset", "red"}, "either --color or --preset"},
      {{"effect", "1", "--preset", "cyan"},
       "unknown preset 'cyan': give white, red, orange, yellow, green, blue, pink or purple"},
      {{"effect", "1", "--preset"}, "--preset needs a colour name"},
      {{"--dry-run", "effect", "1"}, "--dry-run with effect needs --color or --preset"},
      {{"lights"}, "lights needs N, the number of LEDs: a whole number from 4 to 64"},
      {{"lights", "3"}, "lights: N must be a whole number from 4 to 64, not '3'"},
      {{"lights", "65"}, "not '65'"},
      {{"lights", "260"}, "not '260'"},  // its low byte, 4, must not slip through
      {{"lights", "8.5"}, "not '8.5'"},
      {{"lights", "8", "--preset", "red"}, "--color and --preset go with the effect command only"},
      {{"status", "--device"}, "--device needs a path"},
      {{"--device", "/a", "--device=/b", "status"}, "--device is given twice"},
      {{"status", "--verbose"}, "unknown option '--verbose'"},
  };
  for (const auto& [words, says] : cases) {
    std::ostringstream line;
    for (std::string_view w : words) line << w << ' ';
    SCOPED_TRACE(line.str());
    const ctl::test::Outcome outcome = RunCtl(words);
    EXPECT_EQ(2, outcome.status);
    EXPECT_EQ(0u, outcome.err.find("halcyractl: ")) << outcome.err;
    EXPECT_NE(std::string::npos, outcome.err.find(says)) << outcome.err;
    EXPECT_NE(std::string::npos, outcome.err.find("Try 'halcyractl --help'"));
    EXPECT_EQ("", outcome.out);
  }
  EXPECT_EQ(0, controller->TimesOpened(0));
  hid::SetBackend(nullptr);
}

TEST(CtlCommandLine, OptionsMayStandAnywhereAndHelpWinsOverFaults) {
  const auto parsed =
      ctl::ParseCommandLine({"--preset", "Purple", "effect", "--device=/dev/hidraw4", "RAINBOW"});
  ASSERT_TRUE(std::holds_alternative<ctl::Invocation>(parsed));
  const auto& invocation = std::get<ctl::Invocation>(parsed);
  EXPECT_EQ(ctl::Command::kEffect, invocation.command);
  EXPECT_EQ(2, invocation.effect);
  EXPECT_EQ(8, invocation.color);
  EXPECT_EQ("/dev/hidraw4", invocation.device_path);

  const ctl::test::Outcome help = RunCtl({"lights", "99", "--help"});
  EXPECT_EQ(0, help.status);
  EXPECT_EQ(0u, help.out.find("Usage: halcyractl [--device PATH] [--dry-run] COMMAND"));
  EXPECT_EQ(std::string("halcyractl ") + HALCYRA_VERSION + "\n", RunCtl({"--version"}).out);
}

TEST(CtlCommandLine, EveryListedEffectNameReadsBackAsItsNumber) {
  const ctl::test::Outcome listed = RunCtl({"effects"});
  EXPECT_EQ(0u, listed.out.find("1 ColorBreathe\n2 Rainbow\n"));
  std::istringstream lines(listed.out);
  int number = 0, expected = 1;
  std::string name;
  while (lines >> number >> name) {
    EXPECT_EQ(expected++, number);
    EXPECT_EQ(number, ctl::EffectByName(name)) << name;
  }
  EXPECT_EQ(25, expected);
}

// Which colour each preset sends is checked against the window in window_agreement_test.
TEST(CtlCommandLine, PresetNamesIgnoreCaseAndNumbersNameThemToo) {
  for (const char* name : {"PINK", "Pink", "7"}) {
    const ctl::test::Outcome outcome = RunCtl({"--dry-run", "effect", "static", "--preset", name});
    EXPECT_EQ("00 80 0B 02 03 09 00 00 03 FE 1B 2E 00", outcome.out.substr(0, 38)) << name;
  }
}

}  // namespace
