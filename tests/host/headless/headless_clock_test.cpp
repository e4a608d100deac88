// The virtual clock: time moves when told, waits stop at each deadline, an idle run ends.
#include <vector>

#include <gtest/gtest.h>

#include "headless_host.h"

namespace host {
namespace {

constexpr std::uint64_t kStart = HeadlessHost::kStartMs;

TEST(HeadlessClock, WaitingWithoutAHandlerQuitsAtOnceAndKeepsTheClock) {
  HeadlessHost host;
  EXPECT_EQ(host.NowMs(), kStart);
  Event e;
  ASSERT_TRUE(host.WaitEvent(std::nullopt, &e));
  EXPECT_EQ(e.type, EventType::kQuit);
  ASSERT_TRUE(host.WaitEvent(kStart + 500, &e));
  EXPECT_EQ(e.type, EventType::kQuit);
  EXPECT_EQ(host.NowMs(), kStart);

  // Pending input comes before a due deadline; a due deadline times out at once.
  host.MovePointer({1, 2});
  ASSERT_TRUE(host.WaitEvent(kStart, &e));
  EXPECT_EQ(e.type, EventType::kPointerMove);
  EXPECT_FALSE(host.WaitEvent(kStart, &e));
  host.AdvanceClock(25);
  EXPECT_EQ(host.NowMs(), kStart + 25);
  EXPECT_FALSE(host.WaitEvent(kStart + 10, &e));
  EXPECT_EQ(host.NowMs(), kStart + 25);
}

TEST(HeadlessClock, AWaitStopsAtEachDeadlineUntilItsEnd) {
  HeadlessHost host;
  Event e;
  host.Wait(100);
  EXPECT_FALSE(host.WaitEvent(kStart + 30, &e));
  EXPECT_EQ(host.NowMs(), kStart + 30);
  EXPECT_FALSE(host.WaitEvent(kStart + 100, &e));  // a deadline at the very end still fires
  EXPECT_EQ(host.NowMs(), kStart + 100);
  EXPECT_TRUE(host.WaitPending());
  ASSERT_TRUE(host.WaitEvent(kStart + 150, &e));  // beyond the span: the wait is over
  EXPECT_EQ(e.type, EventType::kQuit);
  EXPECT_EQ(host.NowMs(), kStart + 100);
  EXPECT_FALSE(host.WaitPending());

  host.Wait(40);
  host.Wait(10);  // waits add up
  ASSERT_TRUE(host.WaitEvent(std::nullopt, &e));
  EXPECT_EQ(host.NowMs(), kStart + 150);
}

// A message loop in miniature: one periodic timer, and a script that lets time pass.
struct MiniLoop {
  explicit MiniLoop(HeadlessHost& h) : host(h) {}
  // Runs until kQuit; returns the virtual times at which the timer fired.
  std::vector<std::uint64_t> Run(std::uint64_t period) {
    std::vector<std::uint64_t> fired;
    std::uint64_t due = host.NowMs() + period;
    for (;;) {
      Event e;
      if (host.NowMs() >= due) {
        fired.push_back(host.NowMs());
        due = host.NowMs() + period;
        continue;
      }
      if (!host.WaitEvent(due, &e)) continue;  // timeout: the timer is due
      if (e.type == EventType::kQuit) return fired;
      events.push_back(e);
    }
  }
  HeadlessHost& host;
  std::vector<Event> events;
};

TEST(HeadlessClock, AScriptDrivesTheProgramThroughTheIdleHandler) {
  HeadlessHost host;
  int calls = 0;
  host.SetIdleHandler([&] {
    switch (calls++) {
      case 0:
        host.Wait(100);
        return true;
      case 1:
        host.MovePointer({5, 5});
        host.PressButton();
        return true;
      case 2:
        host.Wait(25);
        return true;
      default:
        return false;
    }
  });
  MiniLoop loop(host);
  auto fired = loop.Run(30);
  EXPECT_EQ(fired,
            (std::vector<std::uint64_t>{kStart + 30, kStart + 60, kStart + 90, kStart + 120}));
  EXPECT_EQ(host.NowMs(), kStart + 125);
  ASSERT_EQ(loop.events.size(), 2u);
  EXPECT_EQ(loop.events[1].type, EventType::kButtonDown);
  EXPECT_EQ(calls, 4);

  // Once the script has ended, every idle wait quits without asking the handler again.
  Event e;
  ASSERT_TRUE(host.WaitEvent(std::nullopt, &e));
  EXPECT_EQ(e.type, EventType::kQuit);
  EXPECT_EQ(calls, 4);
  // A new handler starts a new run.
  host.SetIdleHandler([&] { return ++calls < 6; });
  ASSERT_TRUE(host.WaitEvent(std::nullopt, &e));
  EXPECT_EQ(calls, 6);
}

TEST(HeadlessClock, AHandlerThatWaitsItselfGetsQuitInsteadOfRecursing) {
  HeadlessHost host;
  int depth = 0;
  EventType inner = EventType::kPointerMove;
  host.SetIdleHandler([&] {
    ++depth;
    Event e;
    host.WaitEvent(std::nullopt, &e);
    inner = e.type;
    return false;
  });
  Event e;
  ASSERT_TRUE(host.WaitEvent(std::nullopt, &e));
  EXPECT_EQ(e.type, EventType::kQuit);
  EXPECT_EQ(inner, EventType::kQuit);
  EXPECT_EQ(depth, 1);
}

}  // namespace
}  // namespace host
