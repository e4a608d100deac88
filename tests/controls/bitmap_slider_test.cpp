// The bitmap slider: value-pixel mapping, what the parent receives, its pictures over the parent.
#include <vector>

#include "CBitmapSlider.h"
#include "control_test_support.h"

namespace {

using controltest::Msg;
using controltest::ParentBackground;

constexpr int kId = 1539;
constexpr std::uint32_t kKey = 0xFF00FF;  // the thumbs' transparent colour
constexpr std::uint32_t kThumb = 0xFFFF00;
constexpr std::uint32_t kRedTrack = 0x900000;
constexpr std::uint32_t kQtyTrack = 0x505050;
constexpr std::uint32_t kQtyFilled = 0x00A000;
constexpr std::uint32_t kOverlay = 0x808080;

// A main-window slider (132 x 12) at (30, 40) of the parent; a lights-quantity one below.
constexpr int kX = 30;
constexpr int kMainY = 40;
constexpr int kQtyY = 100;

class SliderTest : public controltest::ControlTest {
 protected:
  void SetUp() override {
    // Tracks shorter than the sliders and thumbs with transparent rows let the parent show.
    const auto fill = [](std::uint32_t c) { return [c](int, int) { return c; }; };
    resources_.AddBitmap(228, test::MakeBmp(132, 8, fill(kRedTrack)));
    resources_.AddBitmap(245, test::MakeBmp(243, 10, fill(kQtyTrack)));
    resources_.AddBitmap(246, test::MakeBmp(243, 10, fill(kQtyFilled)));
    resources_.AddBitmap(234, test::MakeBmp(3, 12, fill(kOverlay)));
    resources_.AddBitmap(
        233, test::MakeBmp(3, 12, [](int, int y) { return y < 2 || y >= 10 ? kKey : kThumb; }));
    resources_.AddBitmap(247, test::MakeBmp(9, 16, [](int x, int y) {
                           return y < 2 || x == 0 || x == 8 ? kKey : kThumb;
                         }));
    resources_.Install();
    ControlTest::SetUp();
  }

  void Make(CBitmapSlider& slider, int top, int width, int height, int style, UINT thumb, int min,
            int max, int pos) {
    ASSERT_TRUE(slider.Create(L"msctls_trackbar32", nullptr, 0x52000100,
                              CRect(kX, top, kX + width, top + height), &parent_, kId));
    slider.m_nTrackStyle = style;
    slider.LoadThumbBitmap(thumb);
    slider.SetRange(min, max);
    slider.SetPos(pos);
    Settle();
  }
  void MakeMain(CBitmapSlider& slider, int pos = 61) {
    Make(slider, kMainY, 132, 12, 0, 233, 0, 255, pos);
  }
  void MakeQty(CBitmapSlider& slider, int pos) { Make(slider, kQtyY, 243, 16, 3, 247, 4, 64, pos); }

  static Msg Track(LPARAM pos) { return Msg{WM_SLIDER_TRACK, kId, pos}; }
  static Msg Set(LPARAM pos) { return Msg{WM_SLIDER_SET, kId, pos}; }
  // The pointer over a slider's middle row, x in slider coordinates.
  void Over(int top, int x) {
    MoveTo(controltest::kParentLeft + kX + x, controltest::kParentTop + top + 6);
  }
  std::uint32_t At(int top, int x, int y) const { return ParentPixel(kX + x, top + y); }
  // The main slider's columns where the thumb's opaque part shows.
  std::vector<int> ThumbColumns() const {
    std::vector<int> columns;
    for (int x = 0; x < 132; ++x) {
      if (At(kMainY, x, 5) == kThumb) columns.push_back(x);
    }
    return columns;
  }
};

TEST(SliderGeometryTest, MapsValuesAndPixelsWithTheirTruncations) {
  CBitmapSlider main;  // the geometry LoadThumbBitmap gives a main-window slider
  main.m_nWidth = 132;
  main.m_nThumbWidth = 3;
  main.SetRange(0, 255);
  EXPECT_EQ(1, main.PixelOfValue(0));
  EXPECT_EQ(31, main.PixelOfValue(61));
  EXPECT_EQ(59, main.ValueOfPixel(31));
  EXPECT_EQ(30, main.PixelOfValue(59));
  EXPECT_EQ(130, main.PixelOfValue(255));
  EXPECT_EQ(256, main.ValueOfPixel(131));  // the slider clamps it
  // Only four pixels map back onto themselves; every other one lands one pixel to its left.
  std::vector<int> fixed;
  for (int x = 1; x <= 131; ++x) {
    const int back = main.PixelOfValue(std::min(main.ValueOfPixel(x), 255));
    if (back == x) fixed.push_back(x);
    EXPECT_TRUE(back == x || back == x - 1) << x;
  }
  EXPECT_EQ((std::vector<int>{1, 44, 87, 130}), fixed);

  CBitmapSlider qty;
  qty.m_nWidth = 243;
  qty.m_nThumbWidth = 9;
  qty.SetRange(4, 64);
  EXPECT_EQ(4, qty.PixelOfValue(4));
  EXPECT_EQ(19, qty.PixelOfValue(8));
  EXPECT_EQ(7, qty.ValueOfPixel(19));
  EXPECT_EQ(238, qty.PixelOfValue(64));
  EXPECT_EQ(64, qty.ValueOfPixel(238));

  // No travel or no range: no division by zero, the left end.
  qty.m_nWidth = 9;
  qty.SetRange(5, 5);
  EXPECT_EQ(4, qty.PixelOfValue(5));
  EXPECT_EQ(5, qty.ValueOfPixel(40));
}

TEST_F(SliderTest, DrawsItsPicturesOverTheParentsOwnBackground) {
  CBitmapSlider main;
  MakeMain(main);
  EXPECT_EQ(CRect(0, 0, 132, 12), main.m_rcClient);
  EXPECT_EQ((std::vector<int>{30, 31, 32}), ThumbColumns());  // 61 at pixel 31
  EXPECT_EQ(kRedTrack, At(kMainY, 80, 2));                    // the track, centred: rows 2 to 9
  EXPECT_EQ(kRedTrack, At(kMainY, 80, 9));
  // Above and below it, and through the thumb's transparent rows: the parent's background there.
  for (POINT p : {POINT{80, 1}, POINT{80, 10}, POINT{31, 0}, POINT{31, 11}})
    EXPECT_EQ(ParentBackground(kX + p.x, kMainY + p.y), At(kMainY, p.x, p.y)) << p.x << "," << p.y;

  CBitmapSlider qty;  // style 3: its own filled part up to the thumb at 105 (columns 101 to 109)
  MakeQty(qty, 30);
  EXPECT_EQ(kQtyFilled, At(kQtyY, 0, 12));
  EXPECT_EQ(kQtyFilled, At(kQtyY, 100, 8));
  EXPECT_EQ(kQtyTrack, At(kQtyY, 101, 8));  // the thumb's transparent side, past the filled part
  EXPECT_EQ(kThumb, At(kQtyY, 102, 8));
  EXPECT_EQ(kQtyTrack, At(kQtyY, 109, 8));
  EXPECT_EQ(ParentBackground(kX + 105, kQtyY), At(kQtyY, 105, 0));

  // A style without pictures shows the parent alone.
  main.m_nTrackStyle = 7;
  main.Invalidate();
  Settle();
  EXPECT_EQ(ParentBackground(kX + 80, kMainY + 5), At(kMainY, 80, 5));
}

TEST_F(SliderTest, APressOnTheTrackJumpsTheThumbUnderThePointer) {
  CBitmapSlider slider;
  MakeMain(slider);
  Over(kMainY, 100);  // a move without a press does nothing
  Press();
  EXPECT_EQ(slider.m_hWnd, ::GetCapture());
  EXPECT_EQ(slider.m_hWnd, ::GetFocus());
  EXPECT_EQ((std::vector<int>{98, 99, 100}), ThumbColumns());  // 195, a pixel left of the pointer
  Release();
  EXPECT_EQ(nullptr, ::GetCapture());
  EXPECT_EQ((std::vector<Msg>{Track(195), Set(195)}), parent_.received);
}

TEST_F(SliderTest, APressNearTheThumbCentreKeepsItsOffset) {
  CBitmapSlider slider;
  MakeQty(slider, 30);  // centre at pixel 105
  Over(kQtyY, 109);
  Press();  // half a thumb right of the centre: the thumb stays
  EXPECT_EQ(4, slider.m_nClickOffset);
  Over(kQtyY, 119);  // the centre follows to 115
  Over(kQtyY, 124);
  Release();
  Over(kQtyY, 122);  // five pixels from 117, the centre of 33: the centre jumps to the pointer
  Press();
  EXPECT_EQ(0, slider.m_nClickOffset);
  Release();
  EXPECT_EQ((std::vector<Msg>{Track(32), Track(33), Set(33), Track(34), Set(34)}),
            parent_.received);
}

TEST_F(SliderTest, DragsStopAtBothEnds) {
  CBitmapSlider slider;
  MakeMain(slider, 0);
  Over(kMainY, 1);
  Press();
  for (int x = 2; x <= 131; ++x) Over(kMainY, x);  // every pixel but the thumb's own posts
  EXPECT_EQ(130u, parent_.received.size());
  EXPECT_EQ(Track(255), parent_.received.back());

  // Beyond the right end: 255, drawn at 130, posted again at every move.
  parent_.received.clear();
  Over(kMainY, 160);
  Over(kMainY, 200);
  EXPECT_EQ((std::vector<int>{129, 130, 131}), ThumbColumns());
  // Beyond the left end: pixel 1, value 0, then nothing more.
  Over(kMainY, -40);
  Over(kMainY, -80);
  EXPECT_EQ((std::vector<int>{0, 1, 2}), ThumbColumns());
  Release();
  EXPECT_EQ((std::vector<Msg>{Track(255), Track(255), Track(0), Set(0)}), parent_.received);
}

TEST_F(SliderTest, EveryHandledKeyPostsSetEvenWhenNothingMoves) {
  CBitmapSlider slider;
  MakeMain(slider);
  slider.SetFocus();
  for (int vk : {VK_RIGHT, VK_LEFT, VK_UP, VK_DOWN, VK_NEXT, VK_PRIOR, VK_END, VK_RIGHT, VK_NEXT,
                 VK_HOME, VK_LEFT, VK_PRIOR, VK_SPACE, int{'A'}, VK_TAB})
    Key(static_cast<unsigned>(vk));
  EXPECT_EQ((std::vector<Msg>{Set(62), Set(61), Set(60), Set(61), Set(81), Set(61), Set(255),
                              Set(255), Set(255), Set(0), Set(0), Set(0)}),
            parent_.received);
  EXPECT_EQ((std::vector<int>{0, 1, 2}), ThumbColumns());

  // All keys are the slider's, except while Tab is held: then the trackbar answers.
  EXPECT_EQ(DLGC_WANTALLKEYS, slider.SendMessage(WM_GETDLGCODE));
  host_.KeyDown(VK_TAB);
  Settle();
  EXPECT_EQ(DLGC_WANTARROWS, slider.SendMessage(WM_GETDLGCODE));
  host_.KeyUp(VK_TAB);
  Settle();
  EXPECT_EQ(DLGC_WANTALLKEYS, slider.SendMessage(WM_GETDLGCODE));
}

TEST_F(SliderTest, EveryReleaseThatReachesTheSliderPostsSetButADisabledOneTakesNone) {
  CBitmapSlider slider;
  MakeMain(slider);
  MoveTo(controltest::kParentLeft + 300, controltest::kParentTop + 200);
  Press();  // on the parent, released over the slider: no drag, yet the release is the slider's
  Over(kMainY, 100);
  Release();
  EXPECT_EQ(std::vector<Msg>{Set(61)}, parent_.received);

  parent_.received.clear();
  slider.EnableWindow(FALSE);
  Settle();
  // The overlay's area from (1, 1) lands one pixel right of and below the thumb's corner.
  EXPECT_EQ(kThumb, At(kMainY, 30, 5));
  EXPECT_EQ(kOverlay, At(kMainY, 31, 1));
  EXPECT_EQ(kOverlay, At(kMainY, 32, 11));
  EXPECT_EQ(kRedTrack, At(kMainY, 33, 5));
  Press();
  Release();
  EXPECT_EQ(61, slider.m_nPos);
  EXPECT_EQ(std::vector<Msg>{}, parent_.received);
}

TEST_F(SliderTest, AMissingThumbDrawsNoThumbAndDestructionFreesIt) {
  CBitmapSlider slider;
  ASSERT_TRUE(slider.Create(L"msctls_trackbar32", nullptr, 0x52000100,
                            CRect(kX, kMainY, kX + 132, kMainY + 12), &parent_, kId));
  EXPECT_FALSE(slider.LoadThumbBitmap(9999));
  slider.SetRange(0, 255);
  slider.SetPos(300);
  EXPECT_EQ(255, slider.m_nPos);
  Settle();
  EXPECT_EQ(std::vector<int>{}, ThumbColumns());
  ASSERT_TRUE(slider.LoadThumbBitmap(233));
  EXPECT_FALSE(slider.LoadThumbBitmap(9999));  // keeps the thumb it has
  slider.Invalidate();
  Settle();
  EXPECT_EQ((std::vector<int>{129, 130, 131}), ThumbColumns());
  slider.DestroyWindow();
  EXPECT_FALSE(slider.m_bThumb);
  EXPECT_EQ(nullptr, slider.m_bmThumb.GetSafeHandle());
  EXPECT_EQ(nullptr, slider.m_bmThumbMask.GetSafeHandle());
}

}  // namespace
