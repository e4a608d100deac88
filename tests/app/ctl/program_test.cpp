// The halcyractl program through hidapi on this machine (no controller here), and its manual page.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "child_process.h"
#include "discovery.h"
#include "effects.h"
#include "hidapi_backend.h"

namespace {

std::pair<int, std::string> RunProgram(std::vector<std::string> arguments) {
  arguments.insert(arguments.begin(), HALCYRACTL);
  auto child = app::test::ChildProcess::Start(arguments, std::nullopt);
  if (!child) return {-1, "not started"};
  const int status = child->WaitExit(5000).value_or(-1);
  return {status, child->Output() + child->Errors()};
}

TEST(CtlProgram, WithoutAControllerTheCommandsThatNeedOneEndWithStatusOne) {
  for (const auto& info : hid::HidapiBackend().Enumerate()) {
    if (info.vendor_id == device::kControllerVendorId &&
        info.product_id == device::kControllerProductId) {
      GTEST_SKIP() << "a controller is attached to this machine";
    }
  }
  EXPECT_EQ(std::make_pair(1, std::string("halcyractl: no lighting controller found (USB "
                                          "1a2c:1519); is it plugged in?\n")),
            RunProgram({"status"}));
  const auto named = RunProgram({"effect", "1", "--preset", "red", "--device", "/dev/null"});
  EXPECT_EQ(1, named.first);
  EXPECT_EQ(0u, named.second.find("halcyractl: there is no HID device at /dev/null;"));
  EXPECT_EQ(std::make_pair(0, std::string("halcyractl ") + HALCYRA_VERSION + "\n"),
            RunProgram({"--version"}));
}

TEST(CtlProgram, ManualPageListsEveryEffectAndPresetByNumber) {
  std::ifstream file(HALCYRA_SOURCE_DIR "/packaging/man/halcyractl.1");
  std::stringstream page;
  page << file.rdbuf();
  std::string words;  // the page with every run of blanks as one space
  for (char c : page.str()) {
    if (!std::isspace(static_cast<unsigned char>(c)))
      words.push_back(c);
    else if (!words.empty() && words.back() != ' ')
      words.push_back(' ');
  }
  for (int effect = 1; effect <= device::kEffectCount; ++effect) {
    std::string entry = " " + std::to_string(effect) + " ";
    for (const wchar_t* c = device::EffectName(effect); *c != L'\0'; ++c) entry.push_back(char(*c));
    EXPECT_NE(std::string::npos, words.find(entry + " ")) << entry;
  }
  for (int color = 1; color <= device::kPresetColorCount; ++color) {
    const std::string entry = device::PresetName(color) + (" (" + std::to_string(color) + ")");
    EXPECT_NE(std::string::npos, words.find(".B " + entry)) << entry;
  }
}

}  // namespace
