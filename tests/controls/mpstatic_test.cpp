// The skinned label on the headless screen: its colours, its cut corners, its text placement, its
// repaints when text or font change, and that it takes no input.
#include <string>
#include <vector>

#include "CMPStatic.h"
#include "control_test_support.h"

namespace {

using controltest::kParentLeft;
using controltest::kParentTop;
using controltest::Msg;

constexpr int kId = 1546;
constexpr int kX = 40;
constexpr int kY = 30;
constexpr int kW = 90;
constexpr int kH = 18;
constexpr DWORD kStyle = 0x52000100;

// 0x00RRGGBB as the screen shows a colour value.
constexpr std::uint32_t OnScreen(COLORREF c) {
  return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

class LabelTest : public controltest::ControlTest {
 protected:
  void Make(CMPStatic& label, LPCWSTR text, DWORD style = kStyle | SS_CENTER, int top = kY) {
    ASSERT_TRUE(
        label.Create(L"static", text, style, CRect(kX, top, kX + kW, top + kH), &parent_, kId));
    Settle();
  }
  std::uint32_t LabelPixel(int x, int y, int top = kY) const {
    return Pixel(kParentLeft + kX + x, kParentTop + top + y);
  }
  std::uint32_t Background(int x, int y, int top = kY) const {
    return controltest::ParentBackground(kX + x, top + y);
  }
  // The label's pixels that differ from its background colour, in label coordinates.
  CRect Ink(const CMPStatic& label, int top = kY) const {
    const int left = kParentLeft + kX;
    const int screenTop = kParentTop + top;
    const std::uint32_t back = OnScreen(label.m_clrBack);
    CRect box = controltest::InkBox(
        host_, CRect(left + 1, screenTop + 1, left + kW - 2, screenTop + kH - 2),
        [back](std::uint32_t c) { return c != back; });
    if (!box.IsRectEmpty()) box.OffsetRect(-left, -screenTop);
    return box;
  }
  std::vector<std::uint32_t> Snapshot(int top = kY) const {
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < kH; ++y) {
      for (int x = 0; x < kW; ++x) pixels.push_back(LabelPixel(x, y, top));
    }
    return pixels;
  }
};

TEST_F(LabelTest, FillsItsBackgroundColourInsideCutCorners) {
  CMPStatic label;
  EXPECT_EQ(0x050505u, label.m_clrBack);
  EXPECT_EQ(0xF5F5F5u, label.m_clrText);
  EXPECT_EQ(0u, label.m_nBmpNormal);
  label.m_clrBack = 0x401400;
  Make(label, L"");
  constexpr std::uint32_t kBack = 0x001440;

  // An empty text paints only the background.
  EXPECT_EQ(CRect(), Ink(label));
  EXPECT_EQ(kBack, LabelPixel(1, 1));
  EXPECT_EQ(kBack, LabelPixel(kW - 3, 0));
  EXPECT_EQ(kBack, LabelPixel(0, kH - 3));
  // The 2 x 2 corner ellipse cuts one pixel at each corner of the region, which ends one column
  // and one row before the window does.
  for (POINT p : {POINT{0, 0}, POINT{kW - 2, 0}, POINT{0, kH - 2}, POINT{kW - 2, kH - 2},
                  POINT{kW - 1, 5}, POINT{5, kH - 1}}) {
    EXPECT_EQ(Background(p.x, p.y), LabelPixel(p.x, p.y)) << p.x << "," << p.y;
  }
}

TEST_F(LabelTest, NewTextShowsAtOnceInItsColourCentredOrToTheRight) {
  CMPStatic centred;
  CMPStatic right;
  Make(centred, L"");
  Make(right, L"", kStyle, kY + 30);
  centred.SetWindowTextW(L"ENGLISH");
  right.SetWindowTextW(L"ENGLISH");
  Settle();
  const CRect c = Ink(centred);
  const CRect r = Ink(right, kY + 30);
  ASSERT_FALSE(c.IsRectEmpty());
  const int left = kParentLeft + kX;
  const int top = kParentTop + kY;
  EXPECT_FALSE(
      controltest::InkBox(host_, CRect(left, top, left + kW, top + kH), [](std::uint32_t p) {
        return p == 0xF5F5F5;
      }).IsRectEmpty());

  // The same glyphs, placed once at the middle and once against the right edge.
  CClientDC dc(&centred);
  const CSize extent = dc.GetTextExtent(L"ENGLISH", 7);
  EXPECT_EQ(c.top, r.top);
  EXPECT_EQ(c.bottom, r.bottom);
  EXPECT_EQ((kW - extent.cx) - (kW - extent.cx) / 2, r.left - c.left);

  // Another text replaces it, centred again.
  centred.SetWindowTextW(L"EN");
  Settle();
  const CRect shorter = Ink(centred);
  EXPECT_LT(shorter.Width(), c.Width());
  EXPECT_LE(std::abs((shorter.left + shorter.right) - (c.left + c.right)), 2);
}

TEST_F(LabelTest, AFontChangeRepaintsOnlyWhenAskedTo) {
  CMPStatic label;
  Make(label, L"Lights Qty");
  const auto before = Snapshot();
  const CRect small = Ink(label);

  CFont bold;
  LOGFONTW lf{};
  lf.lfHeight = 18;
  lf.lfWeight = FW_BOLD;
  wcscpy(lf.lfFaceName, L"Arial");
  ASSERT_TRUE(bold.CreateFontIndirect(&lf));
  label.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(bold.GetSafeHandle()), FALSE);
  Settle();
  EXPECT_EQ(static_cast<HFONT>(bold), label.m_hFont);
  EXPECT_EQ(before, Snapshot());
  label.Invalidate(TRUE);  // the next paint uses it
  Settle();
  const CRect large = Ink(label);
  EXPECT_NE(small, large);

  label.SendMessage(WM_SETFONT, 0, TRUE);  // back to the default font, with a redraw
  Settle();
  EXPECT_EQ(before, Snapshot());
}

TEST_F(LabelTest, AClickDoesNothing) {
  CMPStatic label;
  Make(label, L"8");
  const auto before = Snapshot();
  host_.MovePointer({kParentLeft + kX + 40, kParentTop + kY + 9});
  host_.PressButton();
  host_.ReleaseButton();
  Settle();
  EXPECT_EQ(std::vector<Msg>{}, parent_.received);  // no STN_CLICKED from underneath
  EXPECT_EQ(0, parent_.presses);
  EXPECT_EQ(before, Snapshot());
}

TEST_F(LabelTest, CarriesItsRunTimeClass) {
  CMPStatic label;
  const CRuntimeClass* cls = label.GetRuntimeClass();
  EXPECT_STREQ("CMPStatic", cls->m_lpszClassName);
  EXPECT_EQ(RUNTIME_CLASS(CStatic), cls->GetBaseClass());
  EXPECT_EQ(nullptr, cls->CreateObject());
}

}  // namespace
