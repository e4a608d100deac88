// Graphics-object and DC wrappers: ownership, selections, paint contexts, the ActiveX stub.
#include "test_support.h"

namespace {

TEST(GdiObjectTest, OwnersFreeWhatTheyHoldUnlessDetached) {
  HBITMAP kept = nullptr;
  HBITMAP freed = nullptr;
  {
    CBitmap a;
    CBitmap b;
    ASSERT_TRUE(a.CreateBitmap(4, 4, 1, 32, nullptr));
    ASSERT_TRUE(b.CreateBitmap(4, 4, 1, 32, nullptr));
    freed = a;
    kept = static_cast<HBITMAP>(b.Detach());
    BITMAP bm{};
    EXPECT_EQ(static_cast<int>(sizeof(bm)), a.GetBitmap(&bm));
    EXPECT_EQ(4, bm.bmWidth);
  }
  EXPECT_EQ(0u, ::GetObjectType(freed));
  EXPECT_EQ(OBJ_BITMAP, ::GetObjectType(kept));
  ::DeleteObject(kept);

  CBrush brush(RGB(1, 2, 3));
  EXPECT_EQ(OBJ_BRUSH, ::GetObjectType(brush));
  EXPECT_FALSE(CBitmap().LoadBitmap(12345));  // no such resource: nothing held
}

TEST(DeviceContextTest, SelectionHandsBackThePreviousObjectAndSolidFillsKeepTheBackground) {
  CDC dc;
  ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
  CBitmap bitmap;
  ASSERT_TRUE(bitmap.CreateBitmap(8, 8, 1, 32, nullptr));
  CBitmap* old = dc.SelectObject(&bitmap);
  ASSERT_NE(nullptr, old);
  EXPECT_NE(bitmap.m_hObject, old->m_hObject);
  EXPECT_EQ(bitmap.m_hObject, dc.GetCurrentBitmap()->m_hObject);

  dc.SetBkColor(RGB(9, 9, 9));
  dc.FillSolidRect(CRect(2, 2, 6, 6), RGB(200, 10, 20));
  EXPECT_EQ(RGB(9, 9, 9), dc.GetBkColor());
  EXPECT_EQ(RGB(200, 10, 20), dc.GetPixel(2, 2));
  EXPECT_EQ(RGB(200, 10, 20), dc.GetPixel(5, 5));
  EXPECT_EQ(RGB(0, 0, 0), dc.GetPixel(6, 6));

  dc.SelectObject(old);
  // The wrapper of the previous bitmap borrows it: dropping the temporaries frees nothing.
  HBITMAP previous = *old;
  AfxOnIdle();
  EXPECT_EQ(OBJ_BITMAP, ::GetObjectType(previous));
}

TEST(ActiveXTest, NoControlCanBeCreatedAndReadsThroughNothingDoNothing) {
  static const CLSID kPlayer = {
      0x6BF52A52, 0x394A, 0x11D3, {0xB1, 0x53, 0x00, 0xC0, 0x4F, 0x79, 0xFA, 0xA6}};
  CWnd player;
  EXPECT_FALSE(player.CreateControl(kPlayer, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0),
                                    nullptr, 500));
  EXPECT_EQ(nullptr, player.m_hWnd);

  LPDISPATCH controls = reinterpret_cast<LPDISPATCH>(0x1);  // anything: the read must clear it
  player.InvokeHelper(4, DISPATCH_PROPERTYGET, VT_DISPATCH, &controls, nullptr);
  EXPECT_EQ(nullptr, controls);
  controls = reinterpret_cast<LPDISPATCH>(0x1);
  player.GetProperty(4, VT_DISPATCH, &controls);
  EXPECT_EQ(nullptr, controls);

  COleDispatchDriver driver(controls, TRUE);
  LONG value = 17;
  driver.GetProperty(1, VT_I4, &value);
  EXPECT_EQ(17, value);
  EXPECT_EQ(nullptr, driver.m_lpDispatch);
}

TEST(PointTest, AMouseMessagesPointIsSigned) {
  // Under capture a point left of or above the window arrives as negative 16-bit values.
  const CPoint p(MAKELPARAM(static_cast<WORD>(-3), 540));
  EXPECT_EQ(-3, p.x);
  EXPECT_EQ(540, p.y);
  const CPoint q(MAKELPARAM(131, static_cast<WORD>(-1)));
  EXPECT_EQ(131, q.x);
  EXPECT_EQ(-1, q.y);
}

class CPainted : public CWnd {
 public:
  int paints = 0;

 protected:
  void OnPaint() {
    ++paints;
    CPaintDC dc(this);
    dc.FillSolidRect(CRect(0, 0, 20, 20), RGB(0, 0, 255));
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CPainted, CWnd)
ON_WM_PAINT()
END_MESSAGE_MAP()

class PaintContextTest : public test::HostTest {};

TEST_F(PaintContextTest, PaintAndClientContextsDrawIntoTheWindow) {
  CPainted wnd;
  ASSERT_TRUE(
      wnd.CreateEx(0, nullptr, L"", WS_POPUP | WS_VISIBLE, 100, 50, 60, 40, nullptr, nullptr));
  Pump();
  EXPECT_EQ(1, wnd.paints);
  EXPECT_EQ(0x0000FFu, host_.PixelAt(100 + 5, 50 + 5));
  {
    CClientDC dc(&wnd);
    dc.FillSolidRect(CRect(30, 10, 40, 20), RGB(255, 0, 0));
  }
  CDC* dc = wnd.GetDC();
  ASSERT_NE(nullptr, dc);
  EXPECT_EQ(RGB(255, 0, 0), dc->GetPixel(35, 15));
  EXPECT_EQ(RGB(0, 0, 255), dc->GetPixel(5, 5));
  wnd.ReleaseDC(dc);
  Pump();
  EXPECT_EQ(0xFF0000u, host_.PixelAt(100 + 35, 50 + 15));
}

}  // namespace
