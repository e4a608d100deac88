// The skinned button driven by the pointer: clicks, hover and capture, pictures, text, pick mode.
#include <string>
#include <vector>

#include "CMPButton.h"
#include "control_test_support.h"

namespace {

using controltest::Msg;

constexpr UINT kNormalPicture = 700;  // 40 x 24, white 3 x 3 corners
constexpr UINT kHoverPicture = 701;   // 40 x 24
constexpr UINT kSmallPicture = 702;   // 20 x 12
constexpr UINT kTallPicture = 703;    // 40 x 40, for text
constexpr UINT kWidePicture = 704;    // 560 x 24, for long texts
constexpr UINT kWheelPicture = 705;   // 40 x 40, coloured quarters
constexpr int kId = 1500;

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kNormal = 0x203050;
constexpr std::uint32_t kHover = 0x605020;
constexpr std::uint32_t kSmall = 0x208040;
constexpr std::uint32_t kDark = 0x101010;
constexpr std::uint32_t kTopLeftQuarter = 0xD01020;
constexpr std::uint32_t kBottomRightQuarter = 0x3D45FF;

// Buttons sit at (kX, kY) of the parent.
constexpr int kX = 20;
constexpr int kY = 20;
constexpr int kScreenX = controltest::kParentLeft + kX;
constexpr int kScreenY = controltest::kParentTop + kY;

// Records the messages of interest, and the pixels around each press before the repaint.
class CWatchedButton : public CMPButton {
 public:
  std::vector<UINT> seen;
  std::vector<COLORREF> afterPress;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_MOUSEMOVE || message == WM_TIMER || message == WM_PAINT ||
        message == WM_CAPTURECHANGED)
      seen.push_back(message);
    const LRESULT result = CMPButton::WindowProc(message, wParam, lParam);
    if (message == WM_LBUTTONDOWN) {
      const CPoint p(lParam);
      CClientDC dc(this);
      for (POINT q : {POINT{p.x - 3, p.y - 3}, POINT{p.x + 3, p.y + 3}, POINT{p.x, p.y}})
        afterPress.push_back(dc.GetPixel(q));
    }
    return result;
  }
};

class ButtonTest : public controltest::ControlTest {
 protected:
  void SetUp() override {
    const auto fill = [](std::uint32_t c) { return [c](int, int) { return c; }; };
    resources_.AddBitmap(kNormalPicture, test::MakeBmp(40, 24, [](int x, int y) {
                           const bool corner = (x < 3 || x >= 37) && (y < 3 || y >= 21);
                           return corner ? kWhite : kNormal;
                         }));
    resources_.AddBitmap(kHoverPicture, test::MakeBmp(40, 24, fill(kHover)));
    resources_.AddBitmap(kSmallPicture, test::MakeBmp(20, 12, fill(kSmall)));
    resources_.AddBitmap(kTallPicture, test::MakeBmp(40, 40, fill(kDark)));
    resources_.AddBitmap(kWidePicture, test::MakeBmp(560, 24, fill(kDark)));
    resources_.AddBitmap(kWheelPicture, test::MakeBmp(40, 40, [](int x, int y) {
                           if (x < 20 && y < 20) return kTopLeftQuarter;
                           return x >= 20 && y >= 20 ? kBottomRightQuarter : 0x808080u;
                         }));
    resources_.Install();
    ControlTest::SetUp();
  }

  void Make(CMPButton& button, UINT normal, UINT hover, LPCWSTR text = L"", int dx = 0) {
    button.SetBitmaps(normal, hover, 0);
    ASSERT_TRUE(button.Create(L"Button", text, 0x52000100, CRect(kX + dx, kY, kX + dx + 1, kY + 1),
                              &parent_, kId + dx));
    Settle();
  }
  void Over(int x, int y) { MoveTo(kScreenX + x, kScreenY + y); }
  static Msg Click(const CMPButton& b) {
    return Msg{WM_COMMAND, MAKEWPARAM(kId, BN_CLICKED), reinterpret_cast<LPARAM>(b.m_hWnd)};
  }
  std::uint32_t At(int x, int y) const { return Pixel(kScreenX + x, kScreenY + y); }
  // What differs from `fill` in a shape cut from a w x h picture (one column and row short).
  CRect Ink(int w, int h, std::uint32_t fill) const {
    return controltest::InkBox(host_, CRect(kScreenX, kScreenY, kScreenX + w - 1, kScreenY + h - 1),
                               [fill](std::uint32_t c) { return c != fill; }, {kScreenX, kScreenY});
  }
};

TEST_F(ButtonTest, TheReleaseClicksWhereverThePointerIs) {
  CWatchedButton button;
  Make(button, kNormalPicture, kHoverPicture);
  Over(20, 12);
  Press();
  EXPECT_EQ(std::vector<Msg>{}, parent_.received);  // nothing at the press
  Release();
  // A quick second click is not lost to the double-click the system makes of it.
  Press();
  Release();
  EXPECT_EQ((std::vector<Msg>{Click(button), Click(button)}), parent_.received);

  // Dragged off the button and the parent: the capture holds and the pressed picture stays.
  Press();
  MoveTo(30, 30);
  EXPECT_EQ(button.m_hWnd, ::GetCapture());
  EXPECT_EQ(kHover, At(20, 12));
  Release();
  EXPECT_EQ(3u, parent_.received.size());
  EXPECT_EQ(kNormal, At(20, 12));
  MoveTo(31, 30);  // the next move with the button up lets the mouse go
  EXPECT_EQ(nullptr, ::GetCapture());
}

TEST_F(ButtonTest, APressOfTwoSecondsOrMoreClicksNothing) {
  CMPButton button;
  Make(button, kNormalPicture, kHoverPicture);
  Over(20, 12);
  Press();
  Wait(1999);
  Release();
  Press();
  Wait(2000);
  Release();
  EXPECT_EQ(std::vector<Msg>{Click(button)}, parent_.received);
  EXPECT_EQ(kHover, At(20, 12));  // released, still under the pointer
}

TEST_F(ButtonTest, APressWithoutAMoveBeforeItStillGetsItsRelease) {
  Over(20, 12);  // the button appears under a pointer that does not move
  CMPButton button;
  Make(button, kNormalPicture, kHoverPicture);
  ASSERT_EQ(nullptr, ::GetCapture());
  Press();
  MoveTo(30, 30);
  Release();
  EXPECT_EQ(std::vector<Msg>{Click(button)}, parent_.received);
  EXPECT_EQ(kNormal, At(20, 12));
}

TEST_F(ButtonTest, HoverIsTheShapeUnderThePointerAndTimerThreeEndsIt) {
  CWatchedButton button;
  Make(button, kNormalPicture, kHoverPicture);
  button.seen.clear();
  Over(1, 1);  // a cut corner: the parent's
  EXPECT_EQ(controltest::ParentBackground(kX + 1, kY + 1), At(1, 1));
  Over(20, 12);
  Over(21, 12);  // still over it: nothing to repaint
  EXPECT_EQ(button.m_hWnd, ::GetCapture());
  EXPECT_EQ(kHover, At(0, 12));
  Wait(450);  // two checks find the pointer still there
  Over(60, 12);
  EXPECT_EQ(nullptr, ::GetCapture());
  EXPECT_EQ(kNormal, At(20, 12));
  Wait(1000);  // one last check, then the timer is gone
  EXPECT_EQ((std::vector<UINT>{WM_MOUSEMOVE, WM_PAINT, WM_MOUSEMOVE, WM_TIMER, WM_TIMER,
                               WM_MOUSEMOVE, WM_CAPTURECHANGED, WM_PAINT, WM_TIMER, WM_PAINT}),
            button.seen);

  // With another window holding the mouse, the timer notices the pointer left; capture untouched.
  Over(20, 12);
  button.seen.clear();
  parent_.SetCapture();
  Over(200, 100);
  EXPECT_EQ(kHover, At(20, 12));
  Wait(200);
  EXPECT_EQ(kNormal, At(20, 12));
  EXPECT_EQ(parent_.m_hWnd, ::GetCapture());
  Wait(1000);
  EXPECT_EQ((std::vector<UINT>{WM_CAPTURECHANGED, WM_TIMER, WM_PAINT}), button.seen);
  EXPECT_EQ(std::vector<Msg>{}, parent_.received);
  ::ReleaseCapture();
}

TEST_F(ButtonTest, APointerThatJumpsOntoTheNextButtonLightsItWithoutMovingAgain) {
  CMPButton first;
  Make(first, kNormalPicture, kHoverPicture);
  CMPButton next;
  Make(next, kNormalPicture, kHoverPicture, L"", 43);
  Over(20, 12);
  // One move from the first button into the second: the first lets go, the second lights.
  Over(43 + 20, 12);
  EXPECT_EQ(kNormal, At(20, 12));
  EXPECT_EQ(kHover, At(43 + 20, 12));
  EXPECT_EQ(next.m_hWnd, ::GetCapture());
  // It checks on the pointer like any hovered button, and lets go once it has left.
  Over(43 + 60, 12);
  EXPECT_EQ(kNormal, At(43 + 20, 12));
  EXPECT_EQ(nullptr, ::GetCapture());
}

TEST_F(ButtonTest, PicturesFollowTheStateAndTheIdentifiers) {
  CMPButton button;
  EXPECT_STREQ("CMPButton", button.GetRuntimeClass()->m_lpszClassName);
  EXPECT_EQ(RUNTIME_CLASS(CButton), button.GetRuntimeClass()->GetBaseClass());
  Make(button, kNormalPicture, kSmallPicture);
  CRect rect;
  button.GetWindowRect(&rect);
  EXPECT_EQ(CRect(kScreenX, kScreenY, kScreenX + 40, kScreenY + 24), rect);
  EXPECT_EQ(kNormal, At(0, 3));
  Over(20, 12);  // a smaller hover picture is stretched over the whole button
  EXPECT_EQ(kSmall, At(0, 3));
  EXPECT_EQ(kSmall, At(38, 20));
  Over(100, 12);

  // New pictures show at once; the shape stays the one cut at creation.
  button.SetBitmaps(kHoverPicture, kHoverPicture, 0);
  Settle();
  EXPECT_EQ(kHover, At(20, 12));
  EXPECT_EQ(controltest::ParentBackground(kX, kY), At(0, 0));

  // Disabled looks the same and takes no input.
  button.SetBitmaps(kNormalPicture, kHoverPicture, 0);
  button.EnableWindow(FALSE);
  Over(20, 12);
  Press();
  Release();
  EXPECT_EQ(kNormal, At(20, 12));
  EXPECT_EQ(1, parent_.presses);
  EXPECT_EQ(std::vector<Msg>{}, parent_.received);

  // Without a picture the button keeps its rectangle and leaves what is on the screen.
  CMPButton bare;
  ASSERT_TRUE(bare.Create(L"Button", L"", 0x52000100, CRect(kX, 80, kX + 30, 90), &parent_, 7));
  Settle();
  bare.GetWindowRect(&rect);
  EXPECT_EQ(30, rect.Width());
  CClientDC(&bare).FillSolidRect(CRect(0, 0, 30, 10), RGB(0x12, 0x34, 0x56));
  bare.Invalidate(TRUE);
  Settle();
  EXPECT_EQ(0x123456u, Pixel(rect.left + 29, rect.top + 9));
}

TEST_F(ButtonTest, TextIsCutToItsRectanglesAndMovesLeftWhilePressed) {
  CMPButton button;
  Make(button, kTallPicture, kTallPicture, L"WgW");
  const CRect small = Ink(40, 40, kDark);  // the default font, before the font arrives
  CFont big;  // letters taller than any text rectangle, so that the rectangles show the cuts
  controltest::MakeArial(big, 60, FW_BOLD);
  button.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(big.GetSafeHandle()), TRUE);
  Settle();
  EXPECT_EQ(small, Ink(40, 40, kDark));  // stored, not drawn until the next paint
  button.Invalidate(FALSE);
  Settle();
  // One line: centred in the whole width and the top H - 6 rows.
  EXPECT_EQ(CRect(0, 0, 39, 34), Ink(40, 40, kDark));
  EXPECT_FALSE(controltest::InkBox(host_, CRect(kScreenX, kScreenY, kScreenX + 39, kScreenY + 34),
                                   [](std::uint32_t c) { return c == kWhite; })
                   .IsRectEmpty());

  // Before a line feed: rows 6 to H / 2 + 4, from column 1, or column 0 while pressed.
  button.SetWindowTextW(L"WWWW\n");
  Settle();
  EXPECT_EQ(CRect(1, 6, 39, 24), Ink(40, 40, kDark));
  Over(20, 30);
  Press();
  EXPECT_EQ(CRect(0, 6, 39, 24), Ink(40, 40, kDark));
  Release();
  // After it: rows H / 2 to H - 1.
  button.SetWindowTextW(L"\nWWWW");
  Settle();
  EXPECT_EQ(CRect(1, 20, 39, 39), Ink(40, 40, kDark));
}

TEST_F(ButtonTest, TextBeyondSixtyThreeCharactersIsNotDrawn) {
  CMPButton button;
  const std::wstring text63(63, L'x');
  Make(button, kWidePicture, kWidePicture, (text63 + L"WWW").c_str());
  const auto snapshot = [&] {
    return controltest::ScreenPixels(host_,
                                     CRect(kScreenX, kScreenY, kScreenX + 560, kScreenY + 24));
  };
  const auto cut = snapshot();
  button.SetWindowTextW(text63.c_str());
  Settle();
  EXPECT_EQ(cut, snapshot());
  button.SetWindowTextW(text63.substr(1).c_str());
  Settle();
  EXPECT_NE(cut, snapshot());
}

TEST_F(ButtonTest, PickModeSamplesEachPressBeforeItsCommandArrives) {
  CWatchedButton wheel;
  Make(wheel, kWheelPicture, kWheelPicture);
  wheel.m_bPickColor = TRUE;
  EXPECT_EQ(RGB(61, 69, 255), wheel.m_clrPicked);
  std::vector<COLORREF> seenByParent;
  parent_.onNotify = [&](const Msg&) { seenByParent.push_back(wheel.m_clrPicked); };
  for (POINT p : {POINT{10, 10}, POINT{30, 30}}) {
    Over(p.x, p.y);
    Press();
    Release();
  }
  EXPECT_EQ((std::vector<COLORREF>{RGB(0xD0, 0x10, 0x20), RGB(0x3D, 0x45, 0xFF)}), seenByParent);
  // Each press drew a black square around its point; the repaint covered it again.
  EXPECT_EQ((std::vector<COLORREF>{0, 0, RGB(0xD0, 0x10, 0x20), 0, 0, RGB(0x3D, 0x45, 0xFF)}),
            wheel.afterPress);
  EXPECT_EQ(kBottomRightQuarter, At(27, 27));

  wheel.m_bPickColor = FALSE;
  Over(10, 10);
  Press();
  EXPECT_EQ(RGB(0x3D, 0x45, 0xFF), wheel.m_clrPicked);
  Release();
}

}  // namespace
