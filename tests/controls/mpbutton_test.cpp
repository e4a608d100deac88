// The skinned button on the headless screen, driven by pointer and keys: what its parent receives
// for clicks, long presses, presses dragged off and hovers; its pictures in each state; its text;
// the colour it samples in pick mode.
#include <string>
#include <vector>

#include "CMPButton.h"
#include "control_test_support.h"

namespace {

using controltest::kParentLeft;
using controltest::kParentTop;
using controltest::Msg;

constexpr UINT kNormalPicture = 700;  // 40 x 24, white 3 x 3 corners
constexpr UINT kHoverPicture = 701;   // 40 x 24
constexpr UINT kSmallPicture = 702;   // 20 x 12, stretched over a bigger button
constexpr UINT kTallPicture = 703;    // 40 x 40, for text
constexpr UINT kWidePicture = 704;    // 560 x 24, for long texts
constexpr UINT kWheelPicture = 705;   // 40 x 40, four coloured quarters
constexpr int kId = 1500;

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kNormal = 0x203050;
constexpr std::uint32_t kHover = 0x605020;
constexpr std::uint32_t kSmall = 0x208040;
constexpr std::uint32_t kDark = 0x101010;

// The wheel's quarters as the screen shows them (0x00RRGGBB).
constexpr std::uint32_t kWheelTopLeft = 0xD01020;
constexpr std::uint32_t kWheelBottomRight = 0x3D45FF;

// Where buttons are put in the parent, and so on the screen.
constexpr int kX = 20;
constexpr int kY = 20;
constexpr int kScreenX = kParentLeft + kX;
constexpr int kScreenY = kParentTop + kY;

std::uint32_t Corners(int x, int y, int w, int h, std::uint32_t fill) {
  const bool cornerX = x < 3 || x >= w - 3;
  const bool cornerY = y < 3 || y >= h - 3;
  return cornerX && cornerY ? kWhite : fill;
}

// Writes down the messages of interest that reach the button, and what a press drew on the screen
// before the button repainted.
class CWatchedButton : public CMPButton {
 public:
  std::vector<UINT> seen;
  std::vector<std::uint32_t> afterPress;  // the outline's corners and its centre, per press

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_MOUSEMOVE:
      case WM_TIMER:
      case WM_PAINT:
      case WM_LBUTTONDOWN:
      case WM_LBUTTONUP:
      case WM_CAPTURECHANGED:
        seen.push_back(message);
        break;
    }
    const LRESULT result = CMPButton::WindowProc(message, wParam, lParam);
    if (message == WM_LBUTTONDOWN) {
      const int x = GET_X_LPARAM(lParam);
      const int y = GET_Y_LPARAM(lParam);
      CClientDC dc(this);
      for (POINT p : {POINT{x - 3, y - 3}, POINT{x + 3, y - 3}, POINT{x + 3, y + 3},
                      POINT{x - 3, y + 3}, POINT{x, y}}) {
        const COLORREF c = dc.GetPixel(p);
        afterPress.push_back((GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c));
      }
    }
    return result;
  }
};

class ButtonTest : public controltest::ControlTest {
 protected:
  void SetUp() override {
    resources_.AddBitmap(kNormalPicture, test::MakeBmp(40, 24, [](int x, int y) {
                           return Corners(x, y, 40, 24, kNormal);
                         }));
    resources_.AddBitmap(kHoverPicture, test::MakeBmp(40, 24, [](int, int) { return kHover; }));
    resources_.AddBitmap(kSmallPicture, test::MakeBmp(20, 12, [](int, int) { return kSmall; }));
    resources_.AddBitmap(kTallPicture, test::MakeBmp(40, 40, [](int, int) { return kDark; }));
    resources_.AddBitmap(kWidePicture, test::MakeBmp(560, 24, [](int, int) { return kDark; }));
    resources_.AddBitmap(kWheelPicture, test::MakeBmp(40, 40, [](int x, int y) {
                           if (x < 20 && y < 20) return kWheelTopLeft;
                           if (x >= 20 && y >= 20) return kWheelBottomRight;
                           return 0x808080u;
                         }));
    resources_.Install();
    ControlTest::SetUp();
  }

  // A button of `picture` (normal) and `hover` at (kX, kY) of the parent.
  void Make(CMPButton& button, UINT picture, UINT hover, LPCWSTR text = L"") {
    button.SetBitmaps(picture, hover, 0);
    ASSERT_TRUE(
        button.Create(L"Button", text, 0x52000100, CRect(kX, kY, kX + 1, kY + 1), &parent_, kId));
    Settle();
  }

  Msg Click(const CMPButton& button) const {
    return Msg{WM_COMMAND, MAKEWPARAM(kId, BN_CLICKED), reinterpret_cast<LPARAM>(button.m_hWnd)};
  }

  std::uint32_t ButtonPixel(int x, int y) const { return Pixel(kScreenX + x, kScreenY + y); }
  std::uint32_t Background(int x, int y) const {
    return controltest::ParentBackground(kX + x, kY + y);
  }
  // Pixels of the button's shape that are not `fill`, in button coordinates. A shape cut from a
  // picture ends one column and one row before the picture does.
  CRect Ink(int width, int height, std::uint32_t fill) const {
    --width;
    --height;
    CRect box =
        controltest::InkBox(host_, CRect(kScreenX, kScreenY, kScreenX + width, kScreenY + height),
                            [fill](std::uint32_t c) { return c != fill; });
    if (!box.IsRectEmpty()) box.OffsetRect(-kScreenX, -kScreenY);
    return box;
  }
  // A font whose letters are taller than any of the text rectangles, so that the rectangles show
  // where the drawing is cut.
  HFONT BigFont() {
    if (big_.GetSafeHandle() == nullptr) {
      LOGFONTW lf{};
      lf.lfHeight = 60;
      lf.lfWeight = FW_BOLD;
      wcscpy(lf.lfFaceName, L"Arial");
      big_.CreateFontIndirect(&lf);
    }
    return big_;
  }

  CFont big_;
};

TEST_F(ButtonTest, AClickPostsOneCommandAtTheRelease) {
  CWatchedButton button;
  Make(button, kNormalPicture, kHoverPicture);
  MoveTo(kScreenX + 20, kScreenY + 12);
  Press();
  EXPECT_TRUE(button.m_bPressed);
  EXPECT_TRUE(parent_.received.empty());  // nothing at the press
  Release();
  EXPECT_FALSE(button.m_bPressed);
  EXPECT_EQ(std::vector<Msg>{Click(button)}, parent_.received);

  // A quick second click is not lost to the double-click the system makes of it.
  parent_.received.clear();
  Press();
  Release();
  EXPECT_EQ(std::vector<Msg>{Click(button)}, parent_.received);
}

TEST_F(ButtonTest, APressDraggedOffStillClicksWhereverItIsReleased) {
  CWatchedButton button;
  Make(button, kNormalPicture, kHoverPicture);
  MoveTo(kScreenX + 20, kScreenY + 12);
  Press();
  // Off the button and off the parent: the capture holds, the button shows it is still pressed.
  MoveTo(30, 30);
  EXPECT_EQ(button.m_hWnd, ::GetCapture());
  EXPECT_FALSE(button.m_bHover);
  EXPECT_EQ(kHover, ButtonPixel(20, 12));
  Release();
  EXPECT_EQ(std::vector<Msg>{Click(button)}, parent_.received);
  EXPECT_EQ(kNormal, ButtonPixel(20, 12));
  // The next move, with the button up, lets the mouse go.
  MoveTo(31, 30);
  EXPECT_EQ(nullptr, ::GetCapture());
}

TEST_F(ButtonTest, APressWithoutAMoveBeforeItStillGetsItsRelease) {
  // The button appears under a pointer that does not move, and is pressed there.
  MoveTo(kScreenX + 20, kScreenY + 12);
  CWatchedButton button;
  Make(button, kNormalPicture, kHoverPicture);
  ASSERT_EQ(nullptr, ::GetCapture());
  Press();
  EXPECT_EQ(button.m_hWnd, ::GetCapture());
  MoveTo(30, 30);
  Release();
  EXPECT_EQ(std::vector<Msg>{Click(button)}, parent_.received);
  EXPECT_FALSE(button.m_bPressed);
  EXPECT_EQ(kNormal, ButtonPixel(20, 12));
}

TEST_F(ButtonTest, APressOfTwoSecondsOrMoreClicksNothing) {
  CWatchedButton button;
  Make(button, kNormalPicture, kHoverPicture);
  MoveTo(kScreenX + 20, kScreenY + 12);

  Press();
  Wait(1999);
  Release();
  EXPECT_EQ(std::vector<Msg>{Click(button)}, parent_.received);

  parent_.received.clear();
  Press();
  Wait(2000);
  Release();
  EXPECT_EQ(std::vector<Msg>{}, parent_.received);
  EXPECT_FALSE(button.m_bPressed);
  EXPECT_EQ(kHover, ButtonPixel(20, 12));  // still under the pointer
}

TEST_F(ButtonTest, HoverStartsOnTheShapeAndEndsWithTheMoveThatLeavesIt) {
  CWatchedButton button;
  Make(button, kNormalPicture, kHoverPicture);
  EXPECT_EQ(kNormal, ButtonPixel(20, 12));

  // The white corner is cut away: the pointer there is over the parent.
  button.seen.clear();
  MoveTo(kScreenX + 1, kScreenY + 1);
  EXPECT_EQ(Background(1, 1), ButtonPixel(1, 1));
  EXPECT_FALSE(button.m_bHover);
  EXPECT_EQ(std::vector<UINT>{}, button.seen);

  MoveTo(kScreenX + 20, kScreenY + 12);
  EXPECT_TRUE(button.m_bHover);
  EXPECT_EQ(button.m_hWnd, ::GetCapture());
  EXPECT_EQ(kHover, ButtonPixel(20, 12));
  EXPECT_EQ(kHover, ButtonPixel(0, 12));
  Wait(450);  // the timer checks twice and finds the pointer still there
  EXPECT_EQ(kHover, ButtonPixel(20, 12));

  MoveTo(kScreenX + 60, kScreenY + 12);
  EXPECT_FALSE(button.m_bHover);
  EXPECT_EQ(nullptr, ::GetCapture());
  EXPECT_EQ(kNormal, ButtonPixel(20, 12));
  Wait(1000);  // one last check, then the timer is gone
  EXPECT_EQ((std::vector<UINT>{WM_MOUSEMOVE, WM_PAINT, WM_TIMER, WM_TIMER, WM_MOUSEMOVE,
                               WM_CAPTURECHANGED, WM_PAINT, WM_TIMER, WM_PAINT}),
            button.seen);
  EXPECT_EQ(std::vector<Msg>{}, parent_.received);
}

TEST_F(ButtonTest, TheHoverTimerNoticesAPointerThatLeftUnseen) {
  CWatchedButton button;
  Make(button, kNormalPicture, kHoverPicture);
  MoveTo(kScreenX + 20, kScreenY + 12);
  ASSERT_EQ(kHover, ButtonPixel(20, 12));

  // Another window takes the mouse, so the move away never reaches the button.
  button.seen.clear();
  parent_.SetCapture();
  MoveTo(kScreenX + 200, kScreenY + 100);
  EXPECT_TRUE(button.m_bHover);
  Wait(200);
  EXPECT_FALSE(button.m_bHover);
  EXPECT_EQ(kNormal, ButtonPixel(20, 12));
  EXPECT_EQ(parent_.m_hWnd, ::GetCapture());  // the timer leaves the capture alone
  Wait(1000);
  EXPECT_EQ((std::vector<UINT>{WM_CAPTURECHANGED, WM_TIMER, WM_PAINT}), button.seen);
  ::ReleaseCapture();
}

TEST_F(ButtonTest, PicturesFollowTheStateAndTheIdentifiers) {
  CMPButton button;
  EXPECT_EQ(0u, button.m_nBmpNormal);
  EXPECT_EQ(0u, button.m_nBmpHover);
  EXPECT_EQ(0u, button.m_nBmpThird);
  // Before the window exists the identifiers are only stored.
  button.SetBitmaps(kNormalPicture, kSmallPicture, 99);
  EXPECT_EQ(kNormalPicture, button.m_nBmpNormal);
  EXPECT_EQ(kSmallPicture, button.m_nBmpHover);
  EXPECT_EQ(99u, button.m_nBmpThird);
  ASSERT_TRUE(
      button.Create(L"Button", L"", 0x52000100, CRect(kX, kY, kX + 1, kY + 1), &parent_, kId));
  Settle();
  CRect rect;
  button.GetWindowRect(&rect);
  EXPECT_EQ(CRect(kScreenX, kScreenY, kScreenX + 40, kScreenY + 24), rect);
  EXPECT_EQ(kNormal, ButtonPixel(20, 12));
  EXPECT_EQ(kNormal, ButtonPixel(0, 3));
  EXPECT_EQ(Background(39, 23), ButtonPixel(39, 23));  // a cut corner

  // A smaller hover picture is stretched over the whole button.
  MoveTo(kScreenX + 20, kScreenY + 12);
  EXPECT_EQ(kSmall, ButtonPixel(0, 3));
  EXPECT_EQ(kSmall, ButtonPixel(38, 20));  // the shape ends before the last column
  MoveTo(kScreenX + 100, kScreenY + 12);

  // New pictures show at once; the shape stays the one cut at creation.
  button.SetBitmaps(kHoverPicture, kHoverPicture, 0);
  Settle();
  EXPECT_EQ(kHover, ButtonPixel(20, 12));
  EXPECT_EQ(Background(0, 0), ButtonPixel(0, 0));
  button.SetBitmaps(kWheelPicture, kWheelPicture, 0);
  Settle();
  button.GetWindowRect(&rect);
  EXPECT_EQ(CRect(kScreenX, kScreenY, kScreenX + 40, kScreenY + 24), rect);

  // Disabled looks the same and takes no input.
  button.SetBitmaps(kNormalPicture, kHoverPicture, 0);
  button.EnableWindow(FALSE);
  Settle();
  EXPECT_EQ(kNormal, ButtonPixel(20, 12));
  MoveTo(kScreenX + 20, kScreenY + 12);
  Press();
  Release();
  EXPECT_EQ(kNormal, ButtonPixel(20, 12));
  EXPECT_EQ(1, parent_.presses);
  EXPECT_EQ(std::vector<Msg>{}, parent_.received);
}

TEST_F(ButtonTest, WithoutPicturesTheButtonKeepsItsRectangleAndDrawsNothing) {
  CMPButton button;
  ASSERT_TRUE(
      button.Create(L"Button", L"", 0x52000100, CRect(kX, kY, kX + 30, kY + 10), &parent_, kId));
  Settle();
  CRect rect;
  button.GetWindowRect(&rect);
  EXPECT_EQ(CRect(kScreenX, kScreenY, kScreenX + 30, kScreenY + 10), rect);
  // Whatever is on the screen there stays: the button neither erases nor draws.
  {
    CClientDC dc(&button);
    dc.FillSolidRect(CRect(0, 0, 30, 10), RGB(0x12, 0x34, 0x56));
  }
  button.Invalidate(TRUE);
  Settle();
  EXPECT_EQ(0x123456u, ButtonPixel(15, 5));
  EXPECT_EQ(0x123456u, ButtonPixel(29, 9));
}

TEST_F(ButtonTest, OneLineOfTextIsCentredInWhiteAboveTheBottomRim) {
  CMPButton button;
  Make(button, kTallPicture, kTallPicture, L"WgW");
  const CRect small = Ink(40, 40, kDark);  // in the default font
  EXPECT_FALSE(small.IsRectEmpty());
  EXPECT_LE(small.bottom, 34);

  // The font arrives without a repaint, whatever the redraw flag says; the next paint uses it.
  button.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(BigFont()), TRUE);
  EXPECT_EQ(BigFont(), button.m_hFont);
  Settle();
  EXPECT_EQ(small, Ink(40, 40, kDark));
  button.Invalidate(FALSE);
  Settle();
  // Wider and taller than the button: cut at both sides and at the rim, six rows from the bottom.
  EXPECT_EQ(CRect(0, 0, 39, 34), Ink(40, 40, kDark));
  EXPECT_FALSE(controltest::InkBox(host_, CRect(kScreenX, kScreenY, kScreenX + 39, kScreenY + 34),
                                   [](std::uint32_t c) { return c == kWhite; })
                   .IsRectEmpty());
}

TEST_F(ButtonTest, ALineFeedMakesTwoLinesThatMoveLeftWhilePressed) {
  CMPButton button;
  Make(button, kTallPicture, kTallPicture, L"WWWW\n");
  button.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(BigFont()), FALSE);
  button.Invalidate(FALSE);
  Settle();
  // First line: rows 6 to H / 2 + 4, columns from 1 (the shape ends before column W - 1).
  EXPECT_EQ(CRect(1, 6, 39, 24), Ink(40, 40, kDark));
  MoveTo(kScreenX + 20, kScreenY + 30);
  Press();
  EXPECT_EQ(CRect(0, 6, 39, 24), Ink(40, 40, kDark));
  Release();
  EXPECT_EQ(CRect(1, 6, 39, 24), Ink(40, 40, kDark));

  // Second line: rows H / 2 to H - 1.
  button.SetWindowTextW(L"\nWWWW");
  Settle();
  EXPECT_EQ(CRect(1, 20, 39, 39), Ink(40, 40, kDark));
}

TEST_F(ButtonTest, TextBeyondSixtyThreeCharactersIsNotDrawn) {
  CMPButton button;
  const std::wstring text63(63, L'x');
  Make(button, kWidePicture, kWidePicture, (text63 + L"WWW").c_str());
  const CRect drawn = Ink(560, 24, kDark);
  ASSERT_FALSE(drawn.IsRectEmpty());
  const auto snapshot = [&] {
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < 24; ++y) {
      for (int x = 0; x < 560; ++x) pixels.push_back(ButtonPixel(x, y));
    }
    return pixels;
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

  MoveTo(kScreenX + 10, kScreenY + 10);
  Press();
  EXPECT_EQ(RGB(0xD0, 0x10, 0x20), wheel.m_clrPicked);
  Release();
  MoveTo(kScreenX + 30, kScreenY + 30);
  Press();
  Release();
  EXPECT_EQ((std::vector<COLORREF>{RGB(0xD0, 0x10, 0x20), RGB(0x3D, 0x45, 0xFF)}), seenByParent);

  // Each press drew a small square around the point before the button repainted itself.
  ASSERT_EQ(10u, wheel.afterPress.size());
  EXPECT_EQ((std::vector<std::uint32_t>{0, 0, 0, 0, kWheelTopLeft}),
            std::vector<std::uint32_t>(wheel.afterPress.begin(), wheel.afterPress.begin() + 5));
  EXPECT_EQ(kWheelBottomRight, ButtonPixel(27, 27));  // gone again
  EXPECT_EQ(kWheelBottomRight, wheel.afterPress[9]);

  // Outside pick mode a press samples nothing.
  wheel.m_bPickColor = FALSE;
  MoveTo(kScreenX + 10, kScreenY + 10);
  Press();
  Release();
  EXPECT_EQ(RGB(0x3D, 0x45, 0xFF), wheel.m_clrPicked);
}

TEST_F(ButtonTest, CarriesItsRunTimeClass) {
  CMPButton button;
  const CRuntimeClass* cls = button.GetRuntimeClass();
  EXPECT_STREQ("CMPButton", cls->m_lpszClassName);
  EXPECT_EQ(RUNTIME_CLASS(CButton), cls->GetBaseClass());
  EXPECT_TRUE(button.IsKindOf(RUNTIME_CLASS(CButton)));
  EXPECT_EQ(nullptr, cls->CreateObject());
}

}  // namespace
