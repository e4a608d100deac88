// The bitmap slider on the headless screen, over a standard trackbar: its mapping between values
// and pixels, what its parent receives for presses, drags and keys, and its pictures over the
// parent's own background.
#include <vector>

#include "CBitmapSlider.h"
#include "control_test_support.h"

namespace {

using controltest::kParentLeft;
using controltest::kParentTop;
using controltest::Msg;

constexpr UINT kMainThumb = 233;  // 3 x 12
constexpr UINT kQtyThumb = 247;   // 9 x 16
constexpr UINT kMissing = 9999;
constexpr int kId = 1539;

constexpr std::uint32_t kKey = 0xFF00FF;  // the thumbs' transparent colour
constexpr std::uint32_t kThumb = 0xFFFF00;
constexpr std::uint32_t kRedTrack = 0x900000;
constexpr std::uint32_t kQtyTrack = 0x505050;
constexpr std::uint32_t kQtyFilled = 0x00A000;
constexpr std::uint32_t kOverlay = 0x808080;

// A main-window slider: 132 x 12 at (30, 40) of the parent; a lights-quantity slider: 243 x 16 at
// (30, 100).
constexpr int kMainX = 30;
constexpr int kMainY = 40;
constexpr int kQtyX = 30;
constexpr int kQtyY = 100;

class SliderTest : public controltest::ControlTest {
 protected:
  void SetUp() override {
    // Tracks are shorter than the sliders, so the parent shows above and below them.
    resources_.AddBitmap(228, test::MakeBmp(132, 8, [](int, int) { return kRedTrack; }));
    resources_.AddBitmap(245, test::MakeBmp(243, 10, [](int, int) { return kQtyTrack; }));
    resources_.AddBitmap(246, test::MakeBmp(243, 10, [](int, int) { return kQtyFilled; }));
    // Thumbs: transparent at their top and bottom rows (and the quantity thumb's side columns).
    resources_.AddBitmap(kMainThumb, test::MakeBmp(3, 12, [](int, int y) {
                           return y < 2 || y >= 10 ? kKey : kThumb;
                         }));
    resources_.AddBitmap(kQtyThumb, test::MakeBmp(9, 16, [](int x, int y) {
                           return y < 2 || x == 0 || x == 8 ? kKey : kThumb;
                         }));
    resources_.AddBitmap(234, test::MakeBmp(3, 12, [](int, int) { return kOverlay; }));
    resources_.Install();
    ControlTest::SetUp();
  }

  void MakeMain(CBitmapSlider& slider, int pos = 61) {
    ASSERT_TRUE(slider.Create(L"msctls_trackbar32", nullptr, 0x52000100,
                              CRect(kMainX, kMainY, kMainX + 132, kMainY + 12), &parent_, kId));
    slider.m_nTrackStyle = 0;
    slider.LoadThumbBitmap(kMainThumb);
    slider.SetRange(0, 255);
    slider.SetPos(pos);
    Settle();
  }
  void MakeQty(CBitmapSlider& slider, int pos) {
    ASSERT_TRUE(slider.Create(L"msctls_trackbar32", nullptr, 0x52000100,
                              CRect(kQtyX, kQtyY, kQtyX + 243, kQtyY + 16), &parent_, kId));
    slider.m_nTrackStyle = 3;
    slider.LoadThumbBitmap(kQtyThumb);
    slider.SetRange(4, 64);
    slider.SetPos(8);
    slider.SetPos(pos);
    Settle();
  }

  static Msg Track(LPARAM pos) { return Msg{WM_SLIDER_TRACK, kId, pos}; }
  static Msg Set(LPARAM pos) { return Msg{WM_SLIDER_SET, kId, pos}; }

  // Pointer positions over the main slider / the quantity slider, in slider coordinates.
  void MainMove(int x) { MoveTo(kParentLeft + kMainX + x, kParentTop + kMainY + 6); }
  void QtyMove(int x) { MoveTo(kParentLeft + kQtyX + x, kParentTop + kQtyY + 8); }
  std::uint32_t MainPixel(int x, int y) const {
    return Pixel(kParentLeft + kMainX + x, kParentTop + kMainY + y);
  }
  std::uint32_t QtyPixel(int x, int y) const {
    return Pixel(kParentLeft + kQtyX + x, kParentTop + kQtyY + y);
  }
  // The columns of the main slider where the thumb's opaque part shows.
  std::vector<int> MainThumbColumns() const {
    std::vector<int> columns;
    for (int x = 0; x < 132; ++x) {
      if (MainPixel(x, 5) == kThumb) columns.push_back(x);
    }
    return columns;
  }
};

TEST(SliderGeometryTest, MapsValuesAndPixelsWithTheirTruncations) {
  CBitmapSlider main;  // a main-window slider, as LoadThumbBitmap leaves its geometry
  main.m_nWidth = 132;
  main.m_nThumbWidth = 3;
  main.SetRange(0, 255);
  EXPECT_EQ(1, main.PixelOfValue(0));
  EXPECT_EQ(31, main.PixelOfValue(61));
  EXPECT_EQ(59, main.ValueOfPixel(31));
  EXPECT_EQ(30, main.PixelOfValue(59));
  EXPECT_EQ(130, main.PixelOfValue(255));
  EXPECT_EQ(256, main.ValueOfPixel(131));  // past the end before the slider clamps it
  EXPECT_EQ(0, main.ValueOfPixel(1));
  // Only four pixels map back onto themselves; every other one lands a pixel to its left.
  std::vector<int> fixed;
  for (int x = 1; x <= 131; ++x) {
    const int v = std::min(main.ValueOfPixel(x), 255);
    if (main.PixelOfValue(v) == x) {
      fixed.push_back(x);
    } else {
      EXPECT_EQ(x - 1, main.PixelOfValue(v)) << x;
    }
  }
  EXPECT_EQ((std::vector<int>{1, 44, 87, 130}), fixed);

  CBitmapSlider qty;  // the lights-quantity slider
  qty.m_nWidth = 243;
  qty.m_nThumbWidth = 9;
  qty.SetRange(4, 64);
  EXPECT_EQ(4, qty.PixelOfValue(4));
  EXPECT_EQ(19, qty.PixelOfValue(8));
  EXPECT_EQ(238, qty.PixelOfValue(64));
  EXPECT_EQ(7, qty.ValueOfPixel(19));
  EXPECT_EQ(64, qty.ValueOfPixel(238));

  // No geometry to speak of: no division by zero, just the left end.
  CBitmapSlider empty;
  empty.m_nWidth = 3;
  empty.m_nThumbWidth = 3;
  empty.SetRange(5, 5);
  EXPECT_EQ(1, empty.PixelOfValue(5));
  EXPECT_EQ(5, empty.ValueOfPixel(40));
}

TEST_F(SliderTest, DrawsTrackAndThumbOverTheParentsOwnBackground) {
  CBitmapSlider slider;
  MakeMain(slider);
  EXPECT_EQ(132, slider.m_nWidth);
  EXPECT_EQ(12, slider.m_nHeight);
  EXPECT_EQ(CRect(0, 0, 132, 12), slider.m_rcClient);
  // Value 61 is drawn at pixel 31: the thumb covers columns 30 to 32.
  EXPECT_EQ((std::vector<int>{30, 31, 32}), MainThumbColumns());
  // The track, centred: rows 2 to 9. Above and below it, the parent's background at that place.
  EXPECT_EQ(kRedTrack, MainPixel(80, 2));
  EXPECT_EQ(kRedTrack, MainPixel(80, 9));
  EXPECT_EQ(controltest::ParentBackground(kMainX + 80, kMainY + 1), MainPixel(80, 1));
  EXPECT_EQ(controltest::ParentBackground(kMainX + 80, kMainY + 10), MainPixel(80, 10));
  // The thumb's transparent rows let that background through, never the key colour.
  EXPECT_EQ(controltest::ParentBackground(kMainX + 31, kMainY + 0), MainPixel(31, 0));
  EXPECT_EQ(controltest::ParentBackground(kMainX + 31, kMainY + 11), MainPixel(31, 11));
}

TEST_F(SliderTest, TheQuantityStyleFillsUpToTheThumb) {
  CBitmapSlider slider;
  MakeQty(slider, 30);
  // Value 30 at pixel 105: thumb columns 101 to 109, its sides transparent.
  EXPECT_EQ(kQtyFilled, QtyPixel(100, 8));
  EXPECT_EQ(kQtyTrack, QtyPixel(101, 8));  // the thumb's transparent side, past the filled part
  EXPECT_EQ(kThumb, QtyPixel(102, 8));
  EXPECT_EQ(kThumb, QtyPixel(108, 8));
  EXPECT_EQ(kQtyTrack, QtyPixel(109, 8));
  EXPECT_EQ(kQtyTrack, QtyPixel(200, 3));
  EXPECT_EQ(kQtyFilled, QtyPixel(0, 12));
  EXPECT_EQ(controltest::ParentBackground(kQtyX + 50, kQtyY + 2), QtyPixel(50, 2));
  EXPECT_EQ(controltest::ParentBackground(kQtyX + 105, kQtyY + 0), QtyPixel(105, 0));
}

TEST_F(SliderTest, APressOnTheTrackJumpsTheThumbUnderThePointer) {
  CBitmapSlider slider;
  MakeMain(slider);
  MainMove(100);
  EXPECT_EQ(std::vector<Msg>{}, parent_.received);  // no drag, no message
  Press();
  EXPECT_EQ(195, slider.m_nPos);
  EXPECT_EQ(slider.m_hWnd, ::GetCapture());
  EXPECT_EQ(slider.m_hWnd, ::GetFocus());
  EXPECT_EQ((std::vector<int>{98, 99, 100}), MainThumbColumns());  // one pixel left of the pointer
  Release();
  EXPECT_EQ(nullptr, ::GetCapture());
  EXPECT_FALSE(slider.m_bDragging);
  EXPECT_EQ((std::vector<Msg>{Track(195), Set(195)}), parent_.received);
}

TEST_F(SliderTest, APressNearTheThumbCentreKeepsItsOffsetDuringTheDrag) {
  CBitmapSlider slider;
  MakeQty(slider, 30);  // centre at pixel 105
  QtyMove(109);
  Press();  // half a thumb right of the centre: the thumb stays
  EXPECT_EQ(4, slider.m_nClickOffset);
  EXPECT_EQ(30, slider.m_nPos);
  QtyMove(119);  // the centre follows to 115
  EXPECT_EQ(32, slider.m_nPos);
  QtyMove(124);
  Release();
  // Five pixels from the centre (117 for 33): offset 0, the centre jumps to the pointer.
  QtyMove(122);
  Press();
  EXPECT_EQ(0, slider.m_nClickOffset);
  Release();
  EXPECT_EQ((std::vector<Msg>{Track(32), Track(33), Set(33), Track(34), Set(34)}),
            parent_.received);
}

TEST_F(SliderTest, DragsStopAtBothEnds) {
  CBitmapSlider slider;
  MakeMain(slider, 0);
  // Every pixel of a sweep posts, except where the thumb already is.
  MainMove(1);
  Press();
  for (int x = 2; x <= 131; ++x) MainMove(x);
  EXPECT_EQ(130u, parent_.received.size());
  EXPECT_EQ(Track(255), parent_.received.back());
  EXPECT_EQ((std::vector<int>{129, 130, 131}), MainThumbColumns());

  // Beyond the right end: 255, drawn at 130, posted again at every move.
  parent_.received.clear();
  MainMove(160);
  MainMove(200);
  EXPECT_EQ((std::vector<Msg>{Track(255), Track(255)}), parent_.received);
  EXPECT_EQ((std::vector<int>{129, 130, 131}), MainThumbColumns());

  // Beyond the left end: pixel 1, value 0, then nothing more.
  parent_.received.clear();
  MainMove(-40);
  MainMove(-80);
  EXPECT_EQ(0, slider.m_nPos);
  EXPECT_EQ((std::vector<int>{0, 1, 2}), MainThumbColumns());
  Release();
  EXPECT_EQ((std::vector<Msg>{Track(0), Set(0)}), parent_.received);
}

TEST_F(SliderTest, EveryHandledKeyPostsSetEvenWhenNothingMoves) {
  CBitmapSlider slider;
  MakeMain(slider);
  slider.SetFocus();
  Settle();
  for (int vk : {VK_RIGHT, VK_LEFT, VK_UP, VK_DOWN, VK_NEXT, VK_PRIOR, VK_END, VK_RIGHT, VK_NEXT,
                 VK_HOME, VK_LEFT, VK_PRIOR, VK_SPACE, int{'A'}, VK_TAB}) {
    Key(static_cast<unsigned>(vk));
  }
  EXPECT_EQ((std::vector<Msg>{Set(62), Set(61), Set(60), Set(61), Set(81), Set(61), Set(255),
                              Set(255), Set(255), Set(0), Set(0), Set(0)}),
            parent_.received);
  EXPECT_EQ((std::vector<int>{0, 1, 2}), MainThumbColumns());
}

TEST_F(SliderTest, WithTabHeldTheTrackbarAnswersWhichKeysItWants) {
  CBitmapSlider slider;
  MakeMain(slider);
  EXPECT_EQ(DLGC_WANTALLKEYS, slider.SendMessage(WM_GETDLGCODE));
  parent_.SetFocus();
  host_.KeyDown(VK_TAB);
  Settle();
  EXPECT_EQ(DLGC_WANTARROWS, slider.SendMessage(WM_GETDLGCODE));
  host_.KeyUp(VK_TAB);
  Settle();
  EXPECT_EQ(DLGC_WANTALLKEYS, slider.SendMessage(WM_GETDLGCODE));
}

TEST_F(SliderTest, ADisabledSliderShowsTheOverlayAndTakesNoInput) {
  CBitmapSlider slider;
  MakeMain(slider);
  slider.EnableWindow(FALSE);
  Settle();
  // The overlay's area from (1, 1) lands one pixel right of and below the thumb's corner.
  EXPECT_EQ(kThumb, MainPixel(30, 5));
  EXPECT_EQ(kOverlay, MainPixel(31, 1));
  EXPECT_EQ(kOverlay, MainPixel(32, 11));
  EXPECT_EQ(controltest::ParentBackground(kMainX + 31, kMainY), MainPixel(31, 0));
  EXPECT_EQ(kRedTrack, MainPixel(33, 5));

  MainMove(100);
  Press();
  Release();
  Key(VK_END);
  EXPECT_EQ(61, slider.m_nPos);
  EXPECT_EQ(std::vector<Msg>{}, parent_.received);
}

TEST_F(SliderTest, EveryReleaseThatReachesTheSliderPostsSet) {
  CBitmapSlider slider;
  MakeMain(slider);
  // Pressed on the parent, released over the slider: no drag, but the release is the slider's.
  MoveTo(kParentLeft + 300, kParentTop + 200);
  Press();
  MainMove(100);
  EXPECT_EQ(61, slider.m_nPos);
  Release();
  EXPECT_EQ(std::vector<Msg>{Set(61)}, parent_.received);
}

TEST_F(SliderTest, WithoutAThumbPictureNoThumbIsDrawn) {
  CBitmapSlider slider;
  ASSERT_TRUE(slider.Create(L"msctls_trackbar32", nullptr, 0x52000100,
                            CRect(kMainX, kMainY, kMainX + 132, kMainY + 12), &parent_, kId));
  EXPECT_FALSE(slider.LoadThumbBitmap(kMissing));
  EXPECT_FALSE(slider.m_bThumb);
  ASSERT_TRUE(slider.LoadThumbBitmap(kMainThumb));
  slider.SetRange(0, 255);
  slider.SetPos(300);  // clamped
  EXPECT_EQ(255, slider.m_nPos);
  Settle();
  EXPECT_EQ((std::vector<int>{129, 130, 131}), MainThumbColumns());

  // A failed load later keeps the thumb that was there.
  EXPECT_FALSE(slider.LoadThumbBitmap(kMissing));
  slider.Invalidate();
  Settle();
  EXPECT_EQ((std::vector<int>{129, 130, 131}), MainThumbColumns());

  // Destroying the window frees the thumb and its mask.
  slider.DestroyWindow();
  EXPECT_FALSE(slider.m_bThumb);
  EXPECT_EQ(nullptr, slider.m_bmThumb.GetSafeHandle());
  EXPECT_EQ(nullptr, slider.m_bmThumbMask.GetSafeHandle());
}

TEST_F(SliderTest, AnEmptyRangeOrAnUnknownStyleStillDrawsAndDrags) {
  CBitmapSlider slider;
  MakeMain(slider);
  slider.m_nTrackStyle = 7;  // no pictures: the parent's background alone
  slider.SetRange(9, 9);
  slider.SetPos(0);
  Settle();
  EXPECT_EQ(9, slider.m_nPos);
  EXPECT_EQ(controltest::ParentBackground(kMainX + 80, kMainY + 5), MainPixel(80, 5));
  EXPECT_EQ((std::vector<int>{0, 1, 2}), MainThumbColumns());
  MainMove(60);
  Press();
  MainMove(90);
  Release();
  EXPECT_EQ(9, slider.m_nPos);
  EXPECT_EQ((std::vector<Msg>{Track(9), Track(9), Set(9)}), parent_.received);
}

}  // namespace
