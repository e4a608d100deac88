// Pointer and keys from the host: hit testing, capture, caption drags, focus and key state.
#include "user_test_support.h"

namespace usertest {
namespace {

class InputTest : public UserTest {};

std::vector<Rec> Of(HWND h, UINT msg) {
  std::vector<Rec> out;
  for (const auto& r : J().recs)
    if (r.hwnd == h && r.msg == msg) out.push_back(r);
  return out;
}

TEST_F(InputTest, CaptureKeepsTheMouseAcrossTheEdgeWithNegativeCoordinates) {
  HWND top = TopLevel(100, 100, 100, 100);
  HWND child = Child(top, 1, 10, 10, 30, 30);
  J().handlers[WM_LBUTTONDOWN] = [&](HWND h, WPARAM, LPARAM) -> LRESULT {
    SetCapture(h);
    return 0;
  };
  J().handlers[WM_LBUTTONUP] = [&](HWND, WPARAM, LPARAM) -> LRESULT {
    ReleaseCapture();
    return 0;
  };
  Pump();
  host_->MovePointer({120, 120});
  host_->PressButton();
  Pump();
  EXPECT_EQ(GetCapture(), child);
  J().ignored.clear();  // from here on every message counts
  J().recs.clear();
  host_->MovePointer({100, 95});  // left of and above the child, still inside its top-level
  host_->MovePointer({50, 50});   // outside every window
  host_->ReleaseButton();
  Pump();
  auto moves = Of(child, WM_MOUSEMOVE);
  ASSERT_EQ(moves.size(), 2u);
  EXPECT_EQ(GET_X_LPARAM(moves[0].lp), -10);
  EXPECT_EQ(GET_Y_LPARAM(moves[0].lp), -15);
  EXPECT_EQ(moves[0].wp & MK_LBUTTON, MK_LBUTTON);
  EXPECT_EQ(GET_X_LPARAM(moves[1].lp), -60);
  auto ups = Of(child, WM_LBUTTONUP);
  ASSERT_EQ(ups.size(), 1u);
  EXPECT_EQ(GET_Y_LPARAM(ups[0].lp), -60);
  EXPECT_EQ(ups[0].wp & MK_LBUTTON, 0u);
  EXPECT_EQ(Count(child, WM_NCHITTEST), 0);  // capture sends no hit tests
  EXPECT_EQ(Count(top, WM_MOUSEMOVE), 0);
  EXPECT_EQ(Count(child, WM_CAPTURECHANGED), 1);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(InputTest, AClickOutsideAWindowRegionReachesTheWindowBeneath) {
  HWND top = TopLevel(0, 0, 100, 100);
  HWND child = Child(top, 1, 10, 10, 40, 40);
  SetWindowRgn(child, CreateRectRgn(0, 0, 20, 40), FALSE);
  Pump();
  J().ignored.clear();
  Click(35, 20);  // inside the child's rectangle, outside its region
  Click(15, 20);  // inside the region
  Pump();
  auto top_downs = Of(top, WM_LBUTTONDOWN);
  ASSERT_EQ(top_downs.size(), 1u);
  EXPECT_EQ(GET_X_LPARAM(top_downs[0].lp), 35);
  // The window beneath was asked for the first click's move, press and release, not the child.
  EXPECT_EQ(Count(top, WM_NCHITTEST), 3);
  EXPECT_EQ(Count(child, WM_NCHITTEST), 3);
  auto child_downs = Of(child, WM_LBUTTONDOWN);
  ASSERT_EQ(child_downs.size(), 1u);
  EXPECT_EQ(GET_X_LPARAM(child_downs[0].lp), 5);
  EXPECT_EQ(WindowFromPoint({35, 20}), top);
  EXPECT_EQ(WindowFromPoint({15, 20}), child);
}

TEST_F(InputTest, RegionOfATopLevelWindowShapesItOnTheScreen) {
  HWND below = TopLevel(0, 0, 200, 200);
  HWND above = TopLevel(50, 50, 100, 100);
  SetWindowRgn(above, CreateRectRgn(0, 0, 50, 100), TRUE);
  Settle();
  Click(120, 60);  // right half of `above`: cut away
  Pump();
  EXPECT_EQ(Count(below, WM_LBUTTONDOWN), 1);
  EXPECT_EQ(Count(above, WM_LBUTTONDOWN), 0);
  EXPECT_EQ(host_->WindowAt({120, 60}), host_->WindowAt({10, 10}));
}

TEST_F(InputTest, TransparentHitTestPassesThePointToTheWindowBeneath) {
  HWND top = TopLevel(0, 0, 100, 100);
  HWND child = Child(top, 1, 0, 0, 50, 50);
  J().handlers[WM_NCHITTEST] = [&](HWND h, WPARAM w, LPARAM l) -> LRESULT {
    return h == child ? HTTRANSPARENT : DefWindowProcW(h, WM_NCHITTEST, w, l);
  };
  Settle();
  Click(10, 10);
  Pump();
  EXPECT_EQ(Count(top, WM_LBUTTONDOWN), 1);
  EXPECT_EQ(Count(child, WM_LBUTTONDOWN), 0);
  // A static control without SS_NOTIFY is transparent the same way.
  HWND label = Child(top, 2, 60, 60, 30, 30, WS_CHILD | WS_VISIBLE, L"Static");
  EXPECT_EQ(WindowFromPoint({70, 70}), top);
  SetWindowLongPtrW(label, GWL_STYLE, WS_CHILD | WS_VISIBLE | SS_NOTIFY);
  EXPECT_EQ(WindowFromPoint({70, 70}), label);
}

TEST_F(InputTest, CaptionDragMovesTheWindowWithoutButtonMessagesToTheClient) {
  HWND w = TopLevel(100, 100, 200, 150);
  J().handlers[WM_NCHITTEST] = [](HWND, WPARAM, LPARAM) -> LRESULT { return HTCAPTION; };
  Settle();
  host_->MovePointer({150, 120});
  host_->PressButton();
  host_->MovePointer({160, 125});
  host_->MovePointer({180, 140});
  host_->ReleaseButton();
  Pump();
  RECT rc;
  GetWindowRect(w, &rc);
  EXPECT_EQ(rc.left, 130);
  EXPECT_EQ(rc.top, 120);
  EXPECT_EQ(rc.right, 330);
  auto seq = MessagesOf(w);
  auto pos = [&](UINT m) { return std::find(seq.begin(), seq.end(), m) - seq.begin(); };
  ASSERT_LT(pos(WM_NCLBUTTONDOWN), static_cast<long>(seq.size()));
  EXPECT_LT(pos(WM_NCLBUTTONDOWN), pos(WM_SYSCOMMAND));
  EXPECT_LT(pos(WM_SYSCOMMAND), pos(WM_ENTERSIZEMOVE));
  EXPECT_LT(pos(WM_ENTERSIZEMOVE), pos(WM_EXITSIZEMOVE));
  EXPECT_EQ(Of(w, WM_SYSCOMMAND)[0].wp, 0xF012u);
  EXPECT_EQ(Count(w, WM_LBUTTONDOWN), 0);
  EXPECT_EQ(Count(w, WM_LBUTTONUP), 0);
  EXPECT_EQ(Count(w, WM_NCLBUTTONUP), 0);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(GetKeyState(VK_LBUTTON) & 0x8000, 0);  // the release ended the move
  auto shown = host_->VisibleWindows();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(host_->WindowRect(shown[0])->left, 130);
}

TEST_F(InputTest, DisabledChildrenPassClicksToTheirParentAndDisabledWindowsGetNone) {
  HWND top = TopLevel(0, 0, 100, 100);
  HWND child = Child(top, 1, 0, 0, 50, 50);
  Pump();
  EXPECT_FALSE(EnableWindow(child, FALSE));
  EXPECT_TRUE(EnableWindow(child, FALSE));  // was already disabled
  J().recs.clear();
  Click(10, 10);
  Pump();
  EXPECT_EQ(Count(child, WM_LBUTTONDOWN), 0);
  EXPECT_EQ(Count(top, WM_LBUTTONDOWN), 1);
  EnableWindow(top, FALSE);
  J().recs.clear();
  Click(80, 80);
  Pump();
  EXPECT_EQ(Count(top, WM_LBUTTONDOWN), 0);
}

TEST_F(InputTest, KeysGoToTheFocusAndKeyStateFollowsTheMessagesRead) {
  HWND top = TopLevel(0, 0, 100, 100);
  HWND a = Child(top, 1, 0, 0, 10, 10);
  HWND b = Child(top, 2, 20, 0, 10, 10);
  Pump();
  SetFocus(a);
  J().recs.clear();
  EXPECT_EQ(SetFocus(b), a);
  EXPECT_EQ(GetFocus(), b);
  SHORT tab_state = 0;
  J().handlers[WM_KEYDOWN] = [&](HWND, WPARAM vk, LPARAM) -> LRESULT {
    if (vk == VK_RIGHT) tab_state = GetKeyState(VK_TAB);
    return 0;
  };
  host_->KeyDown(VK_TAB);
  host_->PressKey(VK_RIGHT);
  Pump();
  EXPECT_NE(tab_state & 0x8000, 0);
  EXPECT_NE(GetAsyncKeyState(VK_TAB) & 0x8000, 0);
  host_->KeyUp(VK_TAB);
  Pump();
  EXPECT_EQ(GetKeyState(VK_TAB) & 0x8000, 0);
  auto downs = Of(b, WM_KEYDOWN);
  ASSERT_EQ(downs.size(), 2u);
  EXPECT_EQ(downs[0].wp, static_cast<WPARAM>(VK_TAB));
  EXPECT_EQ(Count(a, WM_KEYDOWN), 0);
}

TEST_F(InputTest, StandardButtonClicksOnReleaseInsideOnly) {
  HWND top = TopLevel(0, 0, 200, 100);
  HWND button = Child(top, 77, 10, 10, 80, 30, WS_CHILD | WS_VISIBLE, L"Button");
  Settle();
  host_->MovePointer({20, 20});
  host_->PressButton();
  Pump();
  EXPECT_EQ(GetCapture(), button);
  EXPECT_EQ(GetFocus(), button);
  host_->MovePointer({150, 80});  // drag off it
  host_->ReleaseButton();
  Pump();
  EXPECT_EQ(Count(top, WM_COMMAND), 0);
  EXPECT_EQ(GetCapture(), nullptr);
  host_->AdvanceClock(1000);
  Click(20, 20);
  Pump();
  auto cmds = Of(top, WM_COMMAND);
  ASSERT_EQ(cmds.size(), 1u);
  EXPECT_EQ(cmds[0].wp, MAKEWPARAM(77, BN_CLICKED));
  EXPECT_EQ(reinterpret_cast<HWND>(cmds[0].lp), button);
}

TEST_F(InputTest, ASecondQuickPressOnADoubleClickClassIsADoubleClick) {
  WNDCLASSW wc{};
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = RecordingProc;
  wc.lpszClassName = L"UserTestDoubleClicks";
  RegisterClassW(&wc);
  HWND w = CreateWindowExW(0, L"UserTestDoubleClicks", L"", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50,
                           nullptr, nullptr, nullptr, nullptr);
  HWND plain = TopLevel(100, 0, 50, 50);
  Settle();
  Click(10, 10);
  Click(10, 10);
  Click(110, 10);
  Click(110, 10);
  Pump();
  EXPECT_EQ(Count(w, WM_LBUTTONDOWN), 1);
  EXPECT_EQ(Count(w, WM_LBUTTONDBLCLK), 1);
  EXPECT_EQ(Count(plain, WM_LBUTTONDOWN), 2);
  host_->AdvanceClock(600);
  Click(10, 10);
  Pump();
  EXPECT_EQ(Count(w, WM_LBUTTONDOWN), 2);  // too late for a double click
}

TEST_F(InputTest, TrackbarKeepsItsRangeAndReportsDragsAndKeys) {
  HWND top = TopLevel(0, 0, 300, 100);
  HWND bar = Child(top, 1503, 10, 10, 212, 20, WS_CHILD | WS_VISIBLE, TRACKBAR_CLASSW);
  EXPECT_EQ(SendMessageW(bar, TBM_GETRANGEMIN, 0, 0), 0);
  EXPECT_EQ(SendMessageW(bar, TBM_GETRANGEMAX, 0, 0), 100);
  EXPECT_EQ(SendMessageW(bar, TBM_GETPAGESIZE, 0, 0), 20);
  SendMessageW(bar, TBM_SETRANGE, TRUE, MAKELPARAM(4, 64));
  EXPECT_EQ(SendMessageW(bar, TBM_GETPAGESIZE, 0, 0), 12);  // a fifth of the range until set
  SendMessageW(bar, TBM_SETPOS, TRUE, 100);
  EXPECT_EQ(SendMessageW(bar, TBM_GETPOS, 0, 0), 64);
  Settle();
  host_->MovePointer({16, 20});  // the left end of the channel
  host_->PressButton();
  host_->MovePointer({216, 20});
  host_->ReleaseButton();
  Pump();
  EXPECT_EQ(GetFocus(), bar);
  auto codes = [&] {
    std::vector<WORD> out;
    for (const Rec& r : Of(top, WM_HSCROLL)) out.push_back(LOWORD(r.wp));
    return out;
  };
  EXPECT_EQ(codes(),
            (std::vector<WORD>{TB_THUMBTRACK, TB_THUMBTRACK, TB_THUMBPOSITION, TB_ENDTRACK}));
  EXPECT_EQ(SendMessageW(bar, TBM_GETPOS, 0, 0), 64);
  J().recs.clear();
  host_->PressKey(VK_HOME);
  host_->PressKey(VK_RIGHT);
  Pump();
  EXPECT_EQ(codes(), (std::vector<WORD>{TB_TOP, TB_ENDTRACK, TB_LINEDOWN, TB_ENDTRACK}));
  EXPECT_EQ(SendMessageW(bar, TBM_GETPOS, 0, 0), 5);
}

TEST_F(InputTest, TheCloseBoxOfADrawnCaptionClosesTheWindow) {
  HWND w = TopLevel(100, 100, 200, 120, WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU);
  Settle();
  RECT rc;
  GetWindowRect(w, &rc);
  int frame = GetSystemMetrics(SM_CXDLGFRAME);
  int caption = GetSystemMetrics(SM_CYCAPTION);
  Click(rc.right - frame - caption / 2, rc.top + frame + caption / 2);
  Pump();
  EXPECT_FALSE(IsWindow(w));  // WM_SYSCOMMAND SC_CLOSE, WM_CLOSE, then the default destroys it
}

TEST_F(InputTest, TheHostsWindowUnderThePointerWinsOverOursAbove) {
  HWND lower = TopLevel(0, 0, 100, 100);
  HWND upper = TopLevel(50, 50, 100, 100);
  Pump();
  auto stack = host_->ZOrder();  // top first: upper, lower
  ASSERT_EQ(stack.size(), 2u);
  J().recs.clear();
  host::Event down;
  down.type = host::EventType::kButtonDown;
  down.button = 1;
  down.screen = {60, 60};
  down.window = stack[1];  // another program's window covers `upper` there, say
  host_->PostEvent(down);
  Pump();
  EXPECT_EQ(Count(lower, WM_LBUTTONDOWN), 1);
  EXPECT_EQ(Count(upper, WM_LBUTTONDOWN), 0);
}

}  // namespace
}  // namespace usertest
