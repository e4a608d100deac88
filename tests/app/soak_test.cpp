// Random events with the controller present, pulled out, then absent: nothing grows at rest.
#include "soak.h"

#include <gtest/gtest.h>

#include <string>

namespace app::test {
namespace {

// Whether a window whose description starts so appeared.
bool Saw(const SoakReport& report, const std::wstring& start) {
  for (const std::wstring& shown : report.shown) {
    if (shown.rfind(start, 0) == 0) return true;
  }
  return false;
}

void ExpectNothingGrows(const SoakReport& report) {
  ASSERT_GE(report.samples.size(), 2u);
  EXPECT_EQ(0u, report.WorstGrowth()) << report.Describe();
  EXPECT_EQ(0u, report.unsettled) << "the program could not be brought back to rest";
#if !defined(__SANITIZE_ADDRESS__)
  // Resident memory tells something only without the sanitizer's quarantine.
  EXPECT_LT(report.samples.back().resident_kib, report.samples.front().resident_kib + 8 * 1024)
      << report.Describe();
#endif
}

TEST(SoakTest, PresentThenPulledOutThenAbsentEveryWindowIsReachedAndNothingGrows) {
  SoakOptions options;
  options.seed = 14;
  options.events = 1500;
  options.checkpoint_every = 300;
  options.controller = SoakController::kEachInTurn;
  options.reveal_hidden_pages = true;
  const SoakReport report = RunSoak(options);
  ExpectNothingGrows(report);
  // The events reach every kind of window, and the program is ended and started again.
  EXPECT_TRUE(Saw(report, L"#32770 \"\" 340x195"));
  EXPECT_TRUE(Saw(report, L"#32770 \"关于 Halcyra\""));
  EXPECT_TRUE(Saw(report, L"#32768"));
  EXPECT_TRUE(Saw(report, L"tooltips_class32"));
  EXPECT_TRUE(Saw(report, L"message: Please select lamp effect before application!"));
  EXPECT_TRUE(Saw(report, L"message: Hardware detection failed."));
  EXPECT_GT(report.restarts, 1u);
}

}  // namespace
}  // namespace app::test
