// The tooltip control: delays, the choice of tool, hidden windows, colours and activation.
#include <algorithm>
#include <iterator>
#include <string>

#include "user_test_support.h"

namespace usertest {
namespace {

class TooltipTest : public UserTest {
 protected:
  void SetUp() override {
    UserTest::SetUp();
    dialog_ = TopLevel(100, 100, 300, 200);
    a_ = Child(dialog_, 1, 10, 10, 50, 50);
    b_ = Child(dialog_, 2, 70, 10, 50, 50);
    hidden_ = Child(dialog_, 3, 130, 10, 50, 50, WS_CHILD);
    tip_ = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, 0, 0, 0, 0, 0, dialog_, nullptr, nullptr,
                           nullptr);
    Add(a_, L"Apply");
    Add(b_, L"Exit");
    Add(hidden_, L"Synchronize");
    SendMessageW(tip_, TTM_SETDELAYTIME, TTDT_AUTOMATIC, 200);
    SendMessageW(tip_, TTM_ACTIVATE, TRUE, 0);
    // The owner relays every mouse move, whatever window it is for.
    relay_ = [this](const MSG& m) {
      if (m.message == WM_MOUSEMOVE)
        SendMessageW(tip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&m));
    };
    Pump();
  }
  void Add(HWND tool, const wchar_t* text) {
    TTTOOLINFOW ti = Info(tool);
    ti.uFlags = TTF_IDISHWND;
    ti.lpszText = const_cast<LPWSTR>(text);
    SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
  }
  bool Showing() const { return IsWindowVisible(tip_) != FALSE; }
  std::wstring Text() const {
    wchar_t buf[64];
    GetWindowTextW(tip_, buf, 64);
    return buf;
  }
  void MoveTo(int x, int y) {
    host_->MovePointer({x, y});
    Pump();
  }
  // Rests the pointer on the first tool for the initial delay.
  bool RestOverApply() {
    MoveTo(120, 120);
    Wait(200);
    return Showing();
  }
  TTTOOLINFOW Info(HWND tool) const {
    TTTOOLINFOW ti{};
    ti.cbSize = sizeof ti;
    ti.hwnd = dialog_;
    ti.uId = reinterpret_cast<UINT_PTR>(tool);
    return ti;
  }

  HWND dialog_, a_, b_, hidden_, tip_;
};

// Where the tip shows and that it is on top is pinned in tests/e2e/language_and_tooltips.
TEST_F(TooltipTest, ShowsAfterTheInitialDelayWithoutTakingActivation) {
  MoveTo(120, 120);
  Wait(199);
  EXPECT_FALSE(Showing());
  Wait(1);
  ASSERT_TRUE(Showing());
  EXPECT_EQ(Text(), L"Apply");
  EXPECT_EQ(GetActiveWindow(), dialog_);
}

TEST_F(TooltipTest, RestingIsMeasuredFromTheLastMove) {
  MoveTo(120, 120);
  Wait(150);
  MoveTo(122, 121);
  Wait(150);
  EXPECT_FALSE(Showing());
  Wait(50);
  EXPECT_TRUE(Showing());
}

TEST_F(TooltipTest, MovingToAnotherToolHidesAndReshowsAfterTheShortDelay) {
  ASSERT_TRUE(RestOverApply());
  MoveTo(180, 120);  // over b
  EXPECT_FALSE(Showing());
  Wait(39);
  EXPECT_FALSE(Showing());
  Wait(1);  // reshow delay is a fifth of the automatic delay
  ASSERT_TRUE(Showing());
  EXPECT_EQ(Text(), L"Exit");
}

// Leaving every tool hides the tip for good: tests/e2e/language_and_tooltips.
TEST_F(TooltipTest, PressingAButtonHidesTheTip) {
  ASSERT_TRUE(RestOverApply());
  MSG press{a_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10), 0, {}};
  SendMessageW(tip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&press));
  EXPECT_FALSE(Showing());
}

TEST_F(TooltipTest, AutopopHidesAfterTenTimesTheDelay) {
  ASSERT_TRUE(RestOverApply());
  Wait(1999);
  EXPECT_TRUE(Showing());
  Wait(1);
  EXPECT_FALSE(Showing());
}

TEST_F(TooltipTest, AToolOfAHiddenWindowNeverShows) {
  // Moves relayed as if they came from the hidden window still find no window under the pointer.
  host_->MovePointer({240, 120});
  MSG m{hidden_, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10), 0, {}};
  SendMessageW(tip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&m));
  Wait(5000);
  EXPECT_FALSE(Showing());
  ShowWindow(hidden_, SW_SHOW);
  MoveTo(241, 121);
  Wait(200);
  ASSERT_TRUE(Showing());
  EXPECT_EQ(Text(), L"Synchronize");
}

// A text updated while hidden is the one shown next: tests/e2e/language_and_tooltips.
TEST_F(TooltipTest, TextUpdatedWhileShowingChangesAtOnceAndDeactivationHides) {
  TTTOOLINFOW ti = Info(a_);
  ASSERT_TRUE(RestOverApply());
  ti.lpszText = const_cast<LPWSTR>(L"Apply all settings to the device.");
  SendMessageW(tip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
  EXPECT_EQ(Text(), L"Apply all settings to the device.");
  SendMessageW(tip_, TTM_ACTIVATE, FALSE, 0);
  EXPECT_FALSE(Showing());
  MoveTo(125, 125);
  Wait(1000);
  EXPECT_FALSE(Showing());
  EXPECT_EQ(SendMessageW(tip_, TTM_GETTOOLCOUNT, 0, 0), 3);
}

TEST_F(TooltipTest, ColoursAreTheOnesSet) {
  SendMessageW(tip_, TTM_SETTIPTEXTCOLOR, RGB(0x80, 0x64, 0xFF), 0);
  SendMessageW(tip_, TTM_SETTIPBKCOLOR, RGB(255, 255, 255), 0);
  ASSERT_TRUE(RestOverApply());
  RECT rc;
  GetWindowRect(tip_, &rc);
  EXPECT_EQ(Pixel(rc.left + 1, rc.bottom - 2), 0xFFFFFFu);  // inside the border, below the text
  bool text_drawn = false;
  for (int y = rc.top; y < rc.bottom; ++y)
    for (int x = rc.left; x < rc.right; ++x) text_drawn = text_drawn || Pixel(x, y) == 0x8064FFu;
  EXPECT_TRUE(text_drawn);
  EXPECT_EQ(SendMessageW(tip_, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), 2000);
  EXPECT_EQ(SendMessageW(tip_, TTM_GETDELAYTIME, TTDT_RESHOW, 0), 40);
}

TEST_F(TooltipTest, ToolInfoCopiesTheTextIntoTheCallersBuffer) {
  TTTOOLINFOW ti = Info(b_);
  // Without a buffer the description comes back without its text, and nothing is written.
  ASSERT_TRUE(SendMessageW(tip_, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&ti)));
  EXPECT_EQ(ti.lpszText, nullptr);
  EXPECT_EQ(ti.hwnd, dialog_);
  EXPECT_EQ(ti.uFlags & TTF_IDISHWND, TTF_IDISHWND);

  wchar_t buf[TOOLTIP_TEXT_MAX + 8];
  std::fill(std::begin(buf), std::end(buf), L'#');
  ti.lpszText = buf;
  ASSERT_TRUE(SendMessageW(tip_, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&ti)));
  EXPECT_EQ(ti.lpszText, buf);
  EXPECT_STREQ(buf, L"Exit");

  // A long text is cut to the room a description's buffer has.
  std::wstring longText(100, L'x');
  ti.uId = reinterpret_cast<UINT_PTR>(a_);
  ti.lpszText = const_cast<LPWSTR>(longText.c_str());
  SendMessageW(tip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
  ti.lpszText = buf;
  ASSERT_TRUE(SendMessageW(tip_, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&ti)));
  EXPECT_EQ(std::wstring(buf), std::wstring(TOOLTIP_TEXT_MAX - 1, L'x'));
  EXPECT_EQ(buf[TOOLTIP_TEXT_MAX], L'#');

  // A tool whose text is asked for answers with the callback marker; the buffer stays untouched.
  ti.uId = reinterpret_cast<UINT_PTR>(hidden_);
  ti.lpszText = LPSTR_TEXTCALLBACKW;
  SendMessageW(tip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
  buf[0] = L'#';
  ti.lpszText = buf;
  ASSERT_TRUE(SendMessageW(tip_, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&ti)));
  EXPECT_EQ(ti.lpszText, LPSTR_TEXTCALLBACKW);
  EXPECT_EQ(buf[0], L'#');
  // The marker itself is no buffer: asking with it writes nothing.
  EXPECT_TRUE(SendMessageW(tip_, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&ti)));
  EXPECT_EQ(SendMessageW(tip_, TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&ti)), 0);

  ti.uId = reinterpret_cast<UINT_PTR>(tip_);  // not a tool
  ti.lpszText = buf;
  EXPECT_FALSE(SendMessageW(tip_, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&ti)));
}

}  // namespace
}  // namespace usertest
