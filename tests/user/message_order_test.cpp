// The queue's order (posted, input, paint, timer), timers and the cost of idling.
#include "user_test_support.h"

namespace usertest {
namespace {

class MessageOrderTest : public UserTest {};

TEST_F(MessageOrderTest, PostedCommandComesBeforePendingPaintAndTimerComesLast) {
  HWND w = TopLevel(10, 10, 100, 100);
  Settle();
  SetTimer(w, 7, 10, nullptr);
  InvalidateRect(w, nullptr, FALSE);
  PostMessageW(w, WM_COMMAND, 42, 0);
  host_->AdvanceClock(50);  // the timer is due as well
  Pump();
  EXPECT_EQ(MessagesOf(w), (std::vector<UINT>{WM_COMMAND, WM_PAINT, WM_TIMER}));
}

TEST_F(MessageOrderTest, InputComesAfterPostedMessagesAndBeforePaint) {
  HWND w = TopLevel(10, 10, 100, 100);
  Settle();
  InvalidateRect(w, nullptr, FALSE);
  host_->MovePointer({50, 50});
  PostMessageW(w, WM_USER + 1, 0, 0);
  Pump();
  EXPECT_EQ(MessagesOf(w), (std::vector<UINT>{WM_USER + 1, WM_MOUSEMOVE, WM_PAINT}));
}

TEST_F(MessageOrderTest, SendMessageCallsTheProcedureAtOnceAndReentrantly) {
  HWND w = TopLevel(10, 10, 50, 50);
  int depth = 0, deepest = 0;
  J().handlers[WM_USER] = [&](HWND h, WPARAM wp, LPARAM) -> LRESULT {
    deepest = std::max(deepest, ++depth);
    LRESULT r = wp > 0 ? SendMessageW(h, WM_USER, wp - 1, 0) + 1 : 0;
    --depth;
    return r;
  };
  EXPECT_EQ(SendMessageW(w, WM_USER, 3, 0), 3);
  EXPECT_EQ(deepest, 4);
  EXPECT_EQ(SendMessageW(reinterpret_cast<HWND>(0x1234), WM_USER, 0, 0), 0);
}

TEST_F(MessageOrderTest, TimerThatMissedPeriodsGivesOneMessage) {
  HWND w = TopLevel(0, 0, 10, 10);
  Settle();
  SetTimer(w, 1, 100, nullptr);
  host_->AdvanceClock(1000);  // ten periods pass while nobody looks
  Pump();
  EXPECT_EQ(Count(w, WM_TIMER), 1);
}

TEST_F(MessageOrderTest, SettingATimerAgainRestartsItsCountdown) {
  HWND w = TopLevel(0, 0, 10, 10);
  Settle();
  SetTimer(w, 3, 200, nullptr);
  Wait(150);
  SetTimer(w, 3, 200, nullptr);
  Wait(150);  // 300 ms after the first call, 150 after the second
  EXPECT_EQ(Count(w, WM_TIMER), 0);
  Wait(60);
  EXPECT_EQ(Count(w, WM_TIMER), 1);
}

TEST_F(MessageOrderTest, ShortIntervalsAreRaisedToTenAndKillTimerStopsIt) {
  HWND w = TopLevel(0, 0, 10, 10);
  Settle();
  SetTimer(w, 5, 1, nullptr);
  Wait(9);
  EXPECT_EQ(Count(w, WM_TIMER), 0);
  Wait(1);
  EXPECT_EQ(Count(w, WM_TIMER), 1);
  Wait(35);
  EXPECT_EQ(Count(w, WM_TIMER), 4);
  EXPECT_TRUE(KillTimer(w, 5));
  EXPECT_FALSE(KillTimer(w, 5));
  Wait(100);
  EXPECT_EQ(Count(w, WM_TIMER), 4);
}

TEST_F(MessageOrderTest, TimersOfADestroyedWindowStop) {
  HWND w = TopLevel(0, 0, 10, 10);
  SetTimer(w, 1, 10, nullptr);
  DestroyWindow(w);
  Wait(100);
  EXPECT_EQ(Count(w, WM_TIMER), 0);
  EXPECT_EQ(SetTimer(w, 1, 10, nullptr), 0u);
}

TEST_F(MessageOrderTest, PostQuitMessageEndsGetMessageAfterPostedMessages) {
  HWND w = TopLevel(0, 0, 10, 10);
  Pump();
  PostQuitMessage(3);
  PostMessageW(w, WM_USER, 0, 0);
  MSG m;
  EXPECT_EQ(GetMessageW(&m, nullptr, 0, 0), TRUE);
  EXPECT_EQ(m.message, WM_USER);
  EXPECT_EQ(GetMessageW(&m, nullptr, 0, 0), FALSE);
  EXPECT_EQ(m.message, WM_QUIT);
  EXPECT_EQ(m.wParam, 3u);
  EXPECT_FALSE(PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(MessageOrderTest, MessagesCarryThePointerWhereItWasLastSeenWithoutAskingTheHost) {
  ForwardingHost counting(host_.get());
  user::SetHost(&counting);
  HWND w = TopLevel(0, 0, 100, 100);
  host_->MovePointer({30, 40});
  Pump();
  counting.cursor_queries = 0;
  for (int i = 0; i < 20; ++i) PostMessageW(w, WM_USER, 0, 0);
  InvalidateRect(w, nullptr, FALSE);
  SetTimer(w, 1, 10, nullptr);
  host_->AdvanceClock(20);
  std::vector<UINT> kinds;
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
    kinds.push_back(m.message);
    EXPECT_EQ(30, m.pt.x);
    EXPECT_EQ(40, m.pt.y);
    DispatchMessageW(&m);
    if (m.message == WM_TIMER) break;
  }
  EXPECT_EQ(22u, kinds.size());  // the posted ones, the paint, the timer
  // On a real desktop each question is a round trip to the display server.
  EXPECT_EQ(0, counting.cursor_queries);
  KillTimer(w, 1);
  user::SetHost(host_.get());
}

TEST_F(MessageOrderTest, WaitingWithNoTimerDueCostsNoWakeUps) {
  ForwardingHost counting(host_.get());
  user::SetHost(&counting);
  HWND w = TopLevel(0, 0, 40, 40);
  Pump();
  counting.waits = 0;
  host_->Wait(60 * 60 * 1000);  // an hour of idling
  Pump();
  int idle_waits = counting.waits;
  EXPECT_LE(idle_waits, 2);

  // A running timer wakes the program once per period, and only then.
  SetTimer(w, 1, 100, nullptr);
  counting.waits = 0;
  host_->Wait(1000);
  Pump();
  EXPECT_GE(counting.waits, 10);
  EXPECT_LE(counting.waits, 12);
  KillTimer(w, 1);
  user::SetHost(host_.get());
}

}  // namespace
}  // namespace usertest
