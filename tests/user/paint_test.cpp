// The paint cycle: update regions, the sticky erase flag, paint and window device contexts.
#include "user_test_support.h"

namespace usertest {
namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);

void Fill(HDC dc, const RECT& rc, COLORREF c) {
  HBRUSH b = CreateSolidBrush(c);
  FillRect(dc, &rc, b);
  DeleteObject(b);
}

class PaintTest : public UserTest {
 protected:
  // Paints the whole client area of every recorder window in the colour given for it.
  void PaintWith(std::map<HWND, COLORREF>* colours, std::vector<PAINTSTRUCT>* seen = nullptr) {
    J().handlers[WM_PAINT] = [colours, seen](HWND h, WPARAM, LPARAM) -> LRESULT {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(h, &ps);
      RECT rc;
      GetClientRect(h, &rc);
      auto it = colours->find(h);
      Fill(dc, rc, it == colours->end() ? kWhite : it->second);
      if (seen) seen->push_back(ps);
      EndPaint(h, &ps);
      return 0;
    };
    J().handlers[WM_ERASEBKGND] = [](HWND, WPARAM, LPARAM) -> LRESULT { return 1; };
  }
};

TEST_F(PaintTest, OneErasingInvalidationErasesTheWholeUpdateRegion) {
  std::map<HWND, COLORREF> colours;
  std::vector<PAINTSTRUCT> seen;
  PaintWith(&colours, &seen);
  HWND w = TopLevel(10, 10, 100, 100);
  Settle();
  seen.clear();
  RECT a{0, 0, 10, 10}, b{50, 50, 60, 60};
  InvalidateRect(w, &a, TRUE);
  InvalidateRect(w, &b, FALSE);  // does not take the erase back
  RECT box;
  EXPECT_TRUE(GetUpdateRect(w, &box, FALSE));
  EXPECT_EQ(box.left, 0);
  EXPECT_EQ(box.bottom, 60);
  Pump();
  EXPECT_EQ(MessagesOf(w), (std::vector<UINT>{WM_PAINT, WM_ERASEBKGND}));
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].rcPaint.left, 0);
  EXPECT_EQ(seen[0].rcPaint.top, 0);
  EXPECT_EQ(seen[0].rcPaint.right, 60);
  EXPECT_EQ(seen[0].rcPaint.bottom, 60);
  EXPECT_FALSE(GetUpdateRect(w, &box, FALSE));

  // The flag went with BeginPaint: a plain invalidation afterwards paints without erasing.
  J().recs.clear();
  InvalidateRect(w, &a, FALSE);
  Pump();
  EXPECT_EQ(MessagesOf(w), (std::vector<UINT>{WM_PAINT}));
}

TEST_F(PaintTest, PaintDcIsClippedToTheUpdateRegionButGetDcIsNot) {
  std::map<HWND, COLORREF> colours;
  HWND w = TopLevel(10, 10, 100, 100);
  PaintWith(&colours);
  Pump();
  EXPECT_EQ(Pixel(40, 40), Screen(kWhite));
  colours[w] = kRed;
  J().handlers[WM_USER] = [](HWND h, WPARAM, LPARAM) -> LRESULT {
    HDC dc = GetDC(h);
    Fill(dc, {60, 0, 70, 10}, kBlue);
    ReleaseDC(h, dc);
    return 0;
  };
  RECT small{0, 0, 10, 10};
  InvalidateRect(w, &small, FALSE);
  PostMessageW(w, WM_USER, 0, 0);
  Pump();
  EXPECT_EQ(Pixel(15, 15), Screen(kRed));    // inside the update region
  EXPECT_EQ(Pixel(40, 40), Screen(kWhite));  // outside it: the paint DC did not reach
  EXPECT_EQ(Pixel(75, 15), Screen(kBlue));   // GetDC draws wherever the window is visible
}

TEST_F(PaintTest, ParentsPaintBeforeChildrenAndInvalidationReachesChildrenWithoutClipChildren) {
  std::map<HWND, COLORREF> colours;
  PaintWith(&colours);
  HWND parent = TopLevel(0, 0, 100, 100);
  HWND child = Child(parent, 1, 20, 20, 30, 30);
  colours[parent] = kRed;
  colours[child] = kGreen;
  Settle();
  InvalidateRect(parent, nullptr, FALSE);
  Pump();
  std::vector<HWND> order;
  for (const auto& r : J().recs)
    if (r.msg == WM_PAINT) order.push_back(r.hwnd);
  EXPECT_EQ(order, (std::vector<HWND>{parent, child}));
  EXPECT_EQ(Pixel(30, 30), Screen(kGreen));
  EXPECT_EQ(Pixel(10, 10), Screen(kRed));
}

TEST_F(PaintTest, ClipChildrenKeepsTheParentOffItsChildren) {
  std::map<HWND, COLORREF> colours;
  PaintWith(&colours);
  HWND parent = TopLevel(0, 0, 100, 100, WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN);
  HWND child = Child(parent, 1, 20, 20, 30, 30);
  colours[parent] = kRed;
  colours[child] = kGreen;
  Settle();
  colours[parent] = kBlue;
  InvalidateRect(parent, nullptr, FALSE);
  Pump();
  EXPECT_EQ(Count(child, WM_PAINT), 0);
  EXPECT_EQ(Pixel(30, 30), Screen(kGreen));
  EXPECT_EQ(Pixel(10, 10), Screen(kBlue));
}

TEST_F(PaintTest, AHandlerThatNeverValidatesIsAskedAgain) {
  HWND w = TopLevel(0, 0, 20, 20);
  J().handlers[WM_PAINT] = [](HWND, WPARAM, LPARAM) -> LRESULT { return 0; };
  int paints = 0;
  MSG m;
  for (int i = 0; i < 5 && PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE); ++i) {
    if (m.message == WM_PAINT && m.hwnd == w) ++paints;
    DispatchMessageW(&m);
  }
  EXPECT_GE(paints, 3);
  ValidateRect(w, nullptr);
  EXPECT_FALSE(PeekMessageW(&m, w, WM_PAINT, WM_PAINT, PM_NOREMOVE));
}

TEST_F(PaintTest, DrawingStaysInsideTheWindowRegion) {
  std::map<HWND, COLORREF> colours;
  PaintWith(&colours);
  HWND parent = TopLevel(0, 0, 100, 100, WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN);
  HWND child = Child(parent, 1, 10, 10, 40, 40);
  colours[parent] = kWhite;
  colours[child] = kRed;
  SetWindowRgn(child, CreateRectRgn(0, 0, 20, 40), TRUE);  // only the left half is the window
  Pump();
  EXPECT_EQ(Pixel(15, 15), Screen(kRed));
  EXPECT_EQ(Pixel(40, 15), Screen(kWhite));
}

TEST_F(PaintTest, UpdateWindowPaintsAtOnceAndHiddenWindowsAreNotPainted) {
  std::map<HWND, COLORREF> colours;
  PaintWith(&colours);
  HWND w = TopLevel(0, 0, 20, 20, WS_POPUP);
  InvalidateRect(w, nullptr, TRUE);
  UpdateWindow(w);
  EXPECT_EQ(Count(w, WM_PAINT), 0);
  ShowWindow(w, SW_SHOW);
  UpdateWindow(w);
  EXPECT_EQ(Count(w, WM_PAINT), 1);
  MSG m;
  EXPECT_FALSE(PeekMessageW(&m, w, WM_PAINT, WM_PAINT, PM_NOREMOVE));
}

TEST_F(PaintTest, RedrawWindowPaintsNowAndChoosesChildren) {
  std::map<HWND, COLORREF> colours;
  PaintWith(&colours);
  HWND parent = TopLevel(0, 0, 100, 100);
  HWND child = Child(parent, 1, 10, 10, 20, 20);
  Settle();
  RedrawWindow(parent, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_NOCHILDREN | RDW_UPDATENOW);
  EXPECT_EQ(MessagesOf(parent), (std::vector<UINT>{WM_PAINT, WM_ERASEBKGND}));  // before returning
  EXPECT_TRUE(MessagesOf(child).empty());
  J().recs.clear();
  RedrawWindow(parent, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  EXPECT_EQ(Count(parent, WM_PAINT), 1);
  EXPECT_EQ(Count(child, WM_PAINT), 1);
  EXPECT_EQ(Count(parent, WM_ERASEBKGND), 0);
  RECT part{0, 0, 5, 5};
  RedrawWindow(parent, &part, nullptr, RDW_INVALIDATE);
  RedrawWindow(parent, nullptr, nullptr, RDW_VALIDATE);
  MSG m;
  EXPECT_FALSE(PeekMessageW(&m, parent, WM_PAINT, WM_PAINT, PM_NOREMOVE));
}

}  // namespace
}  // namespace usertest
