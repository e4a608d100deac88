// The skinned label: colours and cut corners, text placement, repaints, and no input.
#include <vector>

#include "CMPStatic.h"
#include "control_test_support.h"

namespace {

using controltest::Msg;

constexpr int kX = 40;
constexpr int kY = 30;
constexpr int kW = 90;
constexpr int kH = 18;
constexpr DWORD kStyle = 0x52000100;

class LabelTest : public controltest::ControlTest {
 protected:
  void Make(CMPStatic& label, LPCWSTR text, DWORD style = kStyle | SS_CENTER, int top = kY) {
    ASSERT_TRUE(
        label.Create(L"static", text, style, CRect(kX, top, kX + kW, top + kH), &parent_, 1546));
    Settle();
  }
  std::uint32_t At(int x, int y) const { return ParentPixel(kX + x, kY + y); }
  // Pixels of the label at `top` that differ from `back` (or equal `text`), in label coordinates.
  CRect Ink(int top, std::uint32_t back, bool textColourOnly = false) const {
    const int left = controltest::kParentLeft + kX;
    const int screenTop = controltest::kParentTop + top;
    return controltest::InkBox(
        host_, CRect(left + 1, screenTop + 1, left + kW - 2, screenTop + kH - 2),
        [=](std::uint32_t c) { return textColourOnly ? c == 0xF5F5F5 : c != back; },
        {left, screenTop});
  }
  std::vector<std::uint32_t> Snapshot() const {
    const int left = controltest::kParentLeft + kX;
    const int top = controltest::kParentTop + kY;
    return controltest::ScreenPixels(host_, CRect(left, top, left + kW, top + kH));
  }
};

TEST_F(LabelTest, FillsItsColourInsideCutCorners) {
  CMPStatic label;
  EXPECT_STREQ("CMPStatic", label.GetRuntimeClass()->m_lpszClassName);
  EXPECT_EQ(RUNTIME_CLASS(CStatic), label.GetRuntimeClass()->GetBaseClass());
  label.m_clrBack = 0x401400;
  Make(label, L"");
  EXPECT_EQ(CRect(), Ink(kY, 0x001440));  // an empty text paints only the background
  EXPECT_EQ(0x001440u, At(1, 0));
  EXPECT_EQ(0x001440u, At(kW - 3, kH - 2));
  // The 2 x 2 corner ellipse cuts each corner of a region one column and one row short.
  for (POINT p : {POINT{0, 0}, POINT{kW - 2, 0}, POINT{0, kH - 2}, POINT{kW - 2, kH - 2},
                  POINT{kW - 1, 5}, POINT{5, kH - 1}}) {
    EXPECT_EQ(controltest::ParentBackground(kX + p.x, kY + p.y), At(p.x, p.y)) << p.x << "," << p.y;
  }
}

TEST_F(LabelTest, NewTextShowsAtOnceCentredOrAgainstTheRightEdge) {
  CMPStatic centred;
  CMPStatic right;
  Make(centred, L"");
  Make(right, L"", kStyle, kY + 30);
  centred.SetWindowTextW(L"ENGLISH");
  right.SetWindowTextW(L"ENGLISH");
  Settle();
  const CRect c = Ink(kY, 0x050505);
  const CRect r = Ink(kY + 30, 0x050505);
  EXPECT_FALSE(Ink(kY, 0, true).IsRectEmpty());  // drawn in the text colour
  // The same glyphs at the middle and against the right edge.
  const CSize extent = CClientDC(&centred).GetTextExtent(L"ENGLISH", 7);
  EXPECT_EQ((kW - extent.cx) - (kW - extent.cx) / 2, r.left - c.left);
  EXPECT_EQ(c.top, r.top);

  centred.SetWindowTextW(L"EN");
  Settle();
  const CRect shorter = Ink(kY, 0x050505);
  EXPECT_LT(shorter.Width(), c.Width());
  EXPECT_LE(std::abs((shorter.left + shorter.right) - (c.left + c.right)), 2);
}

TEST_F(LabelTest, AFontChangeRepaintsOnlyWhenAskedTo) {
  CMPStatic label;
  Make(label, L"Lights Qty");
  const auto before = Snapshot();
  CFont bold;
  controltest::MakeArial(bold, 18, FW_BOLD);
  ASSERT_NE(nullptr, bold.GetSafeHandle());
  label.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(bold.GetSafeHandle()), FALSE);
  Settle();
  EXPECT_EQ(before, Snapshot());
  label.Invalidate(TRUE);  // the next paint uses it
  Settle();
  EXPECT_NE(before, Snapshot());
  label.SendMessage(WM_SETFONT, 0, TRUE);  // back to the default font, repainted at once
  Settle();
  EXPECT_EQ(before, Snapshot());
}

TEST_F(LabelTest, AClickDoesNothing) {
  CMPStatic label;
  Make(label, L"8");
  const auto before = Snapshot();
  MoveTo(controltest::kParentLeft + kX + 40, controltest::kParentTop + kY + 9);
  Press();
  Release();
  EXPECT_EQ(std::vector<Msg>{}, parent_.received);  // no STN_CLICKED from underneath
  EXPECT_EQ(0, parent_.presses);
  EXPECT_EQ(before, Snapshot());
}

}  // namespace
