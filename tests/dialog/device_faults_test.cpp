// A misbehaving or missing controller: the echo's values, one message at most, bounded waits.
#include <algorithm>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "main_window.h"

namespace dialog::test {
namespace {

using app::test::RunningApp;

constexpr std::uint64_t kBound = hid::kReadTimeoutMs;

// Controller(), answering after `delay_ms` with `length` data bytes, or noise from `garbage_seed`.
hid::SimulatedSetup Replying(std::uint64_t delay_ms, std::size_t length = hid::kReportSize - 1,
                             std::optional<std::uint32_t> garbage_seed = std::nullopt) {
  hid::SimulatedSetup setup = Controller();
  setup.replies.delay_ms = delay_ms;
  setup.replies.length = length;
  setup.replies.garbage_seed = garbage_seed;
  return setup;
}

// The virtual time the program has spent since it started.
std::uint64_t Elapsed(RunningApp& app) {
  return app.Host().NowMs() - host::HeadlessHost::kStartMs;
}

struct Shown {
  int red = -1, green = -1, blue = -1;
  std::wstring qty;
  bool operator==(const Shown&) const = default;
};
void PrintTo(const Shown& s, std::ostream* os) {
  *os << s.red << " " << s.green << " " << s.blue << ", " << testing::PrintToString(s.qty);
}

Shown WhatTheWindowShows(RunningApp& app) {
  CHalcyraDlg* dlg = app.MainDialog();
  if (dlg == nullptr) return {};
  return {dlg->m_sliderRed.m_nPos, dlg->m_sliderGreen.m_nPos, dlg->m_sliderBlue.m_nPos,
          app.TextOf(dlg->m_stLightsQty)};
}

TEST(DeviceFaultsTest, UnpluggedAfterStartUpNothingReachesItNothingWaitsAndTheDisplayFollows) {
  RunningApp app(Controller());
  app.Start();
  ASSERT_NE(nullptr, app.MainDialog());
  app.Controller().Unplug();
  const std::size_t reports = app.Reports().size();
  const std::uint64_t before = app.Host().NowMs();

  app.Click(app.OnMain(kApply));
  CNumDlg* num = OpenLightsQty(app);
  ASSERT_NE(nullptr, num);
  app.Drag(RunningApp::OnWindow(num->m_hWnd, {49 + 100, 114}),
           RunningApp::OnWindow(num->m_hWnd, {49 + 300, 114}));
  app.Click(RunningApp::OnWindow(num->m_hWnd, kQtyConfirm));
  EXPECT_EQ(L"64", WhatTheWindowShows(app).qty);
  num = OpenLightsQty(app);
  ASSERT_NE(nullptr, num);
  app.Click(RunningApp::OnWindow(num->m_hWnd, kQtyReset));
  EXPECT_EQ(L"8", WhatTheWindowShows(app).qty);
  EXPECT_EQ(8, app.MainDialog()->m_nLightsQty);
  app.Click(app.OnMain(kApply));

  EXPECT_EQ(reports, app.Reports().size());
  EXPECT_TRUE(app.MessageBoxes().empty());
  EXPECT_EQ(before, app.Host().NowMs()) << "a write to a node that is gone fails at once";
  EXPECT_EQ(1u, app.Host().VisibleWindows().size()) << "the main window, and nothing over it";
}

TEST(DeviceFaultsTest, AShortReplyGivesOnlyItsBytesTheRestIsTheRequestsEcho) {
  struct Case {
    std::size_t length;
    Shown shown;
  };
  // The reply's colour is in bytes 9..11, the LED count in byte 4; the requests send 0 there.
  for (const Case& c : {Case{3, {0, 0, 0, L"0"}}, Case{4, {0, 0, 0, L"30"}},
                        Case{10, {10, 20, 0, L"30"}}, Case{11, {10, 20, 30, L"30"}}}) {
    SCOPED_TRACE(c.length);
    RunningApp app(Replying(0, c.length));
    app.Start();
    EXPECT_EQ(c.shown, WhatTheWindowShows(app));
    EXPECT_TRUE(app.MessageBoxes().empty());
  }
}

TEST(DeviceFaultsTest, AGarbledReplyIsTakenAsItComesAndEveryControlKeepsItsRange) {
  for (std::uint32_t seed : {1u, 2u}) {
    SCOPED_TRACE(seed);
    RunningApp app(Replying(0, hid::kReportSize - 1, seed));
    app.Start();
    CHalcyraDlg* dlg = app.MainDialog();
    ASSERT_NE(nullptr, dlg);
    EXPECT_TRUE(app.MessageBoxes().empty());
    const int qty = dlg->m_nLightsQty;
    EXPECT_GE(qty, 0);
    EXPECT_LE(qty, 255);
    EXPECT_EQ(std::to_wstring(qty), WhatTheWindowShows(app).qty);

    // Apply sends the colour the sliders took from the noise.
    app.Click(app.OnMain(kApply));
    const hid::Report& apply = app.Reports().back();
    EXPECT_EQ(dlg->m_sliderRed.m_nPos, apply[9]);
    EXPECT_EQ(dlg->m_sliderGreen.m_nPos, apply[10]);
    EXPECT_EQ(dlg->m_sliderBlue.m_nPos, apply[11]);

    // The lights-quantity dialog puts any count into its range, and confirming sends that.
    CNumDlg* num = OpenLightsQty(app);
    ASSERT_NE(nullptr, num);
    const int clamped = std::clamp(qty, 4, 64);
    EXPECT_EQ(clamped, num->m_sliderQty.m_nPos);
    app.Click(RunningApp::OnWindow(num->m_hWnd, kQtyConfirm));
    EXPECT_EQ(clamped, app.Reports().back()[4]);
    EXPECT_EQ(std::to_wstring(clamped), WhatTheWindowShows(app).qty);
  }
}

TEST(DeviceFaultsTest, AnAnswerJustWithinTheReadBoundCountsAndNoReadWaitsLonger) {
  RunningApp within(Replying(kBound));
  within.Start();
  EXPECT_EQ((Shown{10, 20, 30, L"30"}), WhatTheWindowShows(within));
  EXPECT_EQ(2 * kBound, Elapsed(within)) << "two reads, each answered at the last moment";

  // One millisecond later the colour read gives up and the sliders keep the request's zeros.
  RunningApp past(Replying(kBound + 1));
  past.Start();
  ASSERT_NE(nullptr, past.MainDialog());
  const Shown shown = WhatTheWindowShows(past);
  EXPECT_EQ((Shown{0, 0, 0, std::to_wstring(past.MainDialog()->m_nLightsQty)}), shown);
  EXPECT_GE(Elapsed(past), kBound);
  EXPECT_LE(Elapsed(past), 2 * kBound);
  EXPECT_TRUE(past.MessageBoxes().empty());

  // A silent controller costs each of the two reads the whole bound, and no more.
  hid::SimulatedSetup silent = Controller();
  silent.silent = true;
  RunningApp mute(silent);
  mute.Start();
  EXPECT_EQ(2 * kBound, Elapsed(mute));
  // After start-up nothing reads again: Apply and the lights-quantity dialog cost no time.
  const std::uint64_t before = mute.Host().NowMs();
  mute.Click(mute.OnMain(kApply));
  CNumDlg* num = OpenLightsQty(mute);
  ASSERT_NE(nullptr, num);
  mute.Click(RunningApp::OnWindow(num->m_hWnd, kQtyReset));
  EXPECT_EQ(before, mute.Host().NowMs());
  EXPECT_EQ(4u, mute.Reports().size());
}

// A controller there but unusable is an absent one: one message, a window of zeros, nothing sent.
TEST(DeviceFaultsTest, NoUsableControllerIsNoControllerAtAll) {
  hid::SimulatedSetup denied = Controller();
  denied.access_denied = true;
  hid::SimulatedSetup unreadable = Controller();
  unreadable.descriptor_unreadable = true;
  const struct {
    const char* what;
    hid::SimulatedSetup setup;
    int opened;
  } cases[] = {{"closed to this user", denied, 0},
               {"without a readable descriptor", unreadable, 1}};  // opened, looked at, closed
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    RunningApp app(c.setup);
    app.Start();
    EXPECT_EQ(std::vector<std::wstring>{L"Hardware detection failed."}, app.MessageBoxes());
    CHalcyraDlg* dlg = app.MainDialog();
    ASSERT_NE(nullptr, dlg);
    EXPECT_FALSE(dlg->IsWindowVisible());
    app.Key(VK_RETURN);
    EXPECT_TRUE(dlg->IsWindowVisible());
    EXPECT_EQ((Shown{0, 0, 0, L"0"}), WhatTheWindowShows(app));
    app.Click(app.OnMain(kApply));
    // The lights-quantity dialog starts a count of 0 at its lowest.
    CNumDlg* num = OpenLightsQty(app);
    ASSERT_NE(nullptr, num);
    EXPECT_EQ(4, num->m_sliderQty.m_nPos);
    EXPECT_EQ(0, dlg->m_nLightsQty);
    EXPECT_TRUE(app.Reports().empty());
    EXPECT_EQ(1u, app.MessageBoxes().size());
    EXPECT_EQ(c.opened, app.Controller().TimesOpened(0));
    EXPECT_EQ(0, app.Controller().OpenNow(0)) << "nothing is left open";
  }
}

}  // namespace
}  // namespace dialog::test
