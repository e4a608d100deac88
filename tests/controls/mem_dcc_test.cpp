// The off-screen surface: starting content, coordinates, and one copy to the target at its end.
#include "CMemDCC.h"
#include "test_support.h"

namespace {

constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);

// A 16 x 16 memory context filled with blue, background colour green.
class Target {
 public:
  Target() {
    dc.CreateCompatibleDC(nullptr);
    bitmap.CreateBitmap(16, 16, 1, 32, nullptr);
    old = dc.SelectObject(&bitmap);
    dc.FillSolidRect(0, 0, 16, 16, kBlue);
    dc.SetBkColor(kGreen);
  }
  ~Target() { dc.SelectObject(old); }
  CDC dc;
  CBitmap bitmap;
  CBitmap* old = nullptr;
};

TEST(MemDCCTest, StartsWithTheTargetsBackgroundColourAndLandsOnlyAtTheEnd) {
  Target t;
  const CRect area(4, 4, 10, 10);
  {
    CMemDCC mem(&t.dc, &area);
    // Drawing uses the target's coordinates.
    mem.FillSolidRect(5, 5, 2, 2, kRed);
    EXPECT_EQ(kGreen, mem.GetPixel(4, 4));
    EXPECT_EQ(kRed, mem.GetPixel(5, 5));
    // Nothing has reached the target yet.
    EXPECT_EQ(kBlue, t.dc.GetPixel(4, 4));
    EXPECT_EQ(kBlue, t.dc.GetPixel(5, 5));
  }
  EXPECT_EQ(kGreen, t.dc.GetPixel(4, 4));
  EXPECT_EQ(kGreen, t.dc.GetPixel(9, 9));
  EXPECT_EQ(kRed, t.dc.GetPixel(6, 6));
  // Outside the area the target is untouched.
  EXPECT_EQ(kBlue, t.dc.GetPixel(3, 3));
  EXPECT_EQ(kBlue, t.dc.GetPixel(10, 10));
  // The target's own state is as before.
  EXPECT_EQ(kGreen, t.dc.GetBkColor());
  EXPECT_EQ(t.bitmap.m_hObject, t.dc.GetCurrentBitmap()->m_hObject);
}

TEST(MemDCCTest, CopyingStartsFromTheTargetsPixels) {
  Target t;
  t.dc.FillSolidRect(6, 6, 1, 1, kRed);
  const CRect area(4, 4, 10, 10);
  {
    CMemDCC mem(&t.dc, &area, TRUE);
    EXPECT_EQ(kBlue, mem.GetPixel(4, 4));
    EXPECT_EQ(kRed, mem.GetPixel(6, 6));
    mem.FillSolidRect(8, 8, 1, 1, kGreen);
  }
  EXPECT_EQ(kBlue, t.dc.GetPixel(4, 4));
  EXPECT_EQ(kRed, t.dc.GetPixel(6, 6));
  EXPECT_EQ(kGreen, t.dc.GetPixel(8, 8));
}

TEST(MemDCCTest, WithoutARectangleItCoversTheClipBox) {
  Target t;
  {
    CMemDCC mem(&t.dc);
    mem.FillSolidRect(15, 15, 1, 1, kRed);
  }
  EXPECT_EQ(kGreen, t.dc.GetPixel(0, 0));
  EXPECT_EQ(kRed, t.dc.GetPixel(15, 15));
}

TEST(MemDCCTest, APrintingTargetIsDrawnStraightAndKeepsItsContext) {
  Target t;
  t.dc.m_bPrinting = TRUE;
  const CRect area(0, 0, 4, 4);
  {
    CMemDCC mem(&t.dc, &area);
    EXPECT_EQ(t.dc.m_hDC, mem.m_hDC);
    mem.FillSolidRect(1, 1, 1, 1, kRed);
    EXPECT_EQ(kRed, t.dc.GetPixel(1, 1));
  }
  // The borrowed context survived the surface.
  EXPECT_EQ(OBJ_MEMDC, ::GetObjectType(t.dc.m_hDC));
  EXPECT_EQ(kGreen, t.dc.GetPixel(0, 0));
}

// Paints through the surface: its paint context's background colour fills what is not drawn.
class CBuffered : public CWnd {
 protected:
  void OnPaint() {
    CPaintDC dc(this);
    dc.SetBkColor(RGB(10, 20, 30));
    CRect client;
    GetClientRect(&client);
    CMemDCC mem(&dc, &client);
    mem.FillSolidRect(0, 0, 10, 10, kRed);
  }
  BOOL OnEraseBkgnd(CDC*) { return TRUE; }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CBuffered, CWnd)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

class MemDCCWindowTest : public test::HostTest {};

TEST_F(MemDCCWindowTest, OnePaintReachesTheScreen) {
  CBuffered wnd;
  ASSERT_TRUE(
      wnd.CreateEx(0, nullptr, L"", WS_POPUP | WS_VISIBLE, 300, 200, 40, 30, nullptr, nullptr));
  Pump();
  EXPECT_EQ(0xFF0000u, host_.PixelAt(305, 205));
  EXPECT_EQ(0x0A141Eu, host_.PixelAt(320, 220));
}

}  // namespace
