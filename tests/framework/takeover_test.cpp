// Standard windows taken over as the skinned controls take them.
#include <vector>

#include "test_support.h"

namespace {

// Records the scroll notifications its trackbars send.
class CScrollParent : public CWnd {
 public:
  std::vector<WORD> scrolls;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_HSCROLL) scrolls.push_back(LOWORD(wParam));
    return CWnd::WindowProc(message, wParam, lParam);
  }
};

// Over a trackbar: paints blue, never erases, claims all keys unless Tab is down.
class CSliderProbe : public CStatic {
 public:
  int paints = 0;
  int erases = 0;
  std::vector<UINT> keys;

 protected:
  void OnPaint() {
    ++paints;
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    dc.FillSolidRect(&rc, RGB(0, 0, 255));
  }
  BOOL OnEraseBkgnd(CDC*) {
    ++erases;
    return TRUE;
  }
  UINT OnGetDlgCode() {
    if (::GetKeyState(VK_TAB) < 0) return CStatic::OnGetDlgCode();
    return DLGC_WANTALLKEYS;
  }
  void OnKeyDown(UINT ch, UINT repeat, UINT flags) {
    keys.push_back(ch);
    CStatic::OnKeyDown(ch, repeat, flags);
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CSliderProbe, CStatic)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_GETDLGCODE()
ON_WM_KEYDOWN()
END_MESSAGE_MAP()

// A framework window whose class brush erases, with or without a map entry that skips it.
class CErasing : public CWnd {
 public:
  BOOL skipErase = FALSE;
  BOOL eraseFails = FALSE;
  BOOL fErase = FALSE;

 protected:
  BOOL OnEraseBkgnd(CDC* dc) {
    if (eraseFails) return FALSE;
    return skipErase ? TRUE : CWnd::OnEraseBkgnd(dc);
  }
  void OnPaint() {
    CPaintDC dc(this);
    fErase = dc.m_ps.fErase;
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CErasing, CWnd)
ON_WM_ERASEBKGND()
ON_WM_PAINT()
END_MESSAGE_MAP()

class TakeoverTest : public test::HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    ASSERT_TRUE(parent_.CreateEx(0, nullptr, L"parent", WS_POPUP | WS_VISIBLE, 100, 100, 300, 100,
                                 nullptr, nullptr));
  }
  CScrollParent parent_;
};

TEST_F(TakeoverTest, AStaticObjectOverATrackbarPaintsItselfAndLeavesInputToTheTrackbar) {
  CSliderProbe slider;
  ASSERT_TRUE(
      slider.Create(TRACKBAR_CLASSW, nullptr, 0x52000100, CRect(10, 10, 142, 22), &parent_, 1539));
  EXPECT_STREQ("CStatic", slider.GetRuntimeClass()->m_lpszClassName);
  WCHAR cls[32];
  ::GetClassNameW(slider.m_hWnd, cls, 32);
  EXPECT_STREQ(TRACKBAR_CLASSW, cls);
  slider.SendMessage(TBM_SETRANGE, FALSE, MAKELPARAM(0, 255));
  slider.SendMessage(TBM_SETPOS, FALSE, 61);

  // The object paints, and the trackbar's own picture never appears.
  Pump();
  EXPECT_GE(slider.paints, 1);
  EXPECT_GE(slider.erases, 1);
  EXPECT_EQ(0x0000FFu, host_.PixelAt(100 + 10 + 3, 100 + 10 + 3));

  // Keys reach the object first, then the trackbar, which moves and tells the parent.
  slider.SetFocus();
  host_.PressKey(VK_RIGHT);
  Pump();
  EXPECT_EQ(std::vector<UINT>{VK_RIGHT}, slider.keys);
  EXPECT_EQ(62, slider.SendMessage(TBM_GETPOS));
  EXPECT_EQ((std::vector<WORD>{TB_LINEDOWN, TB_ENDTRACK}), parent_.scrolls);

  // All keys are claimed, except while Tab is down: then the trackbar answers.
  EXPECT_EQ(DLGC_WANTALLKEYS, slider.SendMessage(WM_GETDLGCODE));
  parent_.SetFocus();
  host_.KeyDown(VK_TAB);
  Pump();
  EXPECT_EQ(DLGC_WANTARROWS, slider.SendMessage(WM_GETDLGCODE));
  host_.KeyUp(VK_TAB);
  Pump();
  EXPECT_EQ(DLGC_WANTALLKEYS, slider.SendMessage(WM_GETDLGCODE));

  // A press the object does not map goes straight to the trackbar: focus, capture, position.
  parent_.scrolls.clear();
  host_.MovePointer({100 + 10 + 126, 100 + 10 + 5});
  host_.PressButton();
  Pump();
  EXPECT_EQ(slider.m_hWnd, ::GetFocus());
  EXPECT_EQ(slider.m_hWnd, ::GetCapture());
  EXPECT_EQ(255, slider.SendMessage(TBM_GETPOS));
  host_.ReleaseButton();
  Pump();
  EXPECT_EQ(nullptr, ::GetCapture());
  EXPECT_EQ((std::vector<WORD>{TB_THUMBTRACK, TB_THUMBPOSITION, TB_ENDTRACK}), parent_.scrolls);
}

TEST_F(TakeoverTest, AnEraseHandlerThatAnswersTrueKeepsTheClassBrushOff) {
  CErasing plain;
  CErasing skinned;
  skinned.skipErase = TRUE;
  ASSERT_TRUE(plain.Create(nullptr, L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 40, 40), &parent_, 1));
  ASSERT_TRUE(
      skinned.Create(nullptr, L"", WS_CHILD | WS_VISIBLE, CRect(50, 0, 90, 40), &parent_, 2));
  Pump();
  for (CErasing* w : {&plain, &skinned}) {
    CClientDC dc(w);
    dc.FillSolidRect(CRect(0, 0, 40, 40), RGB(255, 0, 0));
  }
  plain.Invalidate(TRUE);
  skinned.Invalidate(TRUE);
  Pump();
  const COLORREF window = ::GetSysColor(COLOR_WINDOW);
  const std::uint32_t erased =
      (GetRValue(window) << 16) | (GetGValue(window) << 8) | GetBValue(window);
  ASSERT_NE(0xFF0000u, erased);
  EXPECT_EQ(erased, host_.PixelAt(100 + 20, 100 + 20));
  EXPECT_FALSE(plain.fErase);
  EXPECT_EQ(0xFF0000u, host_.PixelAt(100 + 70, 100 + 20));  // nothing erased it
  EXPECT_FALSE(skinned.fErase);                             // and nobody has to

  // Only an erase that was asked for and not done is left to the paint handler.
  plain.Invalidate(FALSE);
  Pump();
  EXPECT_FALSE(plain.fErase);
  plain.eraseFails = TRUE;
  plain.Invalidate(TRUE);
  Pump();
  EXPECT_TRUE(plain.fErase);
}

TEST_F(TakeoverTest, TextStoredByTheDefaultProcedureIsTheButtonsText) {
  // A skinned button keeps its text with the default procedure and bypasses the button's own.
  class CTextKeeper : public CButton {
   public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
      if (message == WM_SETTEXT) {
        ::DefWindowProcW(m_hWnd, message, wParam, lParam);
        return 0;
      }
      return CButton::WindowProc(message, wParam, lParam);
    }
  } button;
  // The class is named as a layout table names it; the look-up ignores case.
  ASSERT_TRUE(
      button.Create(L"button", L"灯效应用", 0x52000100, CRect(0, 0, 194, 49), &parent_, 1509));
  WCHAR text[64];
  ::GetClassNameW(button.m_hWnd, text, 64);
  EXPECT_STREQ(L"Button", text);
  EXPECT_EQ(4, button.GetWindowTextW(text, 64));
  EXPECT_STREQ(L"灯效应用", text);
  button.SetWindowTextW(L"Apply");
  EXPECT_EQ(5, button.GetWindowTextW(text, 64));
  EXPECT_STREQ(L"Apply", text);
}

}  // namespace
