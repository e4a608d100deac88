// A small skinned program (a shaped dialog, shaped buttons holding the capture, a tooltip, a modal
// dialog) driven by pointer and keys, checked through its messages and the screen.
#include <cstdint>
#include <string>
#include <vector>

#include "CBmpRgn.h"
#include "CMPToolTip.h"
#include "CMPWndBmp.h"
#include "CMemDCC.h"
#include "control_test_support.h"

namespace {

constexpr UINT kSkin = 600;
constexpr UINT kButtonPicture = 601;
constexpr UINT kMainTemplate = 610;
constexpr UINT kModalTemplate = 611;
constexpr UINT kOpenId = 1500;
constexpr UINT kCloseId = 1501;

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kSkinColour = 0x203080;
constexpr std::uint32_t kButtonColour = 0xE0A000;

constexpr int kLeft = 200;  // where the main window sits
constexpr int kTop = 150;

std::uint32_t SkinPixel(int x, int y) {
  const bool cornerX = x < 6 || x >= 114;
  const bool cornerY = y < 6 || y >= 74;
  if (cornerX && cornerY) return kWhite;
  if (x == 60 && y == 40) return kWhite;  // white inside the shape
  return kSkinColour;
}

std::uint32_t ButtonPixel(int x, int y) {
  const bool cornerX = x < 3 || x >= 27;
  const bool cornerY = y < 3 || y >= 17;
  return (cornerX && cornerY) ? kWhite : kButtonColour;
}

// Copies a bitmap resource to a device context at (0, 0), its full size.
void DrawPicture(CDC* dc, UINT id) {
  CBitmap picture;
  if (picture.LoadBitmap(id)) controltest::DrawBitmap(dc, picture);
}

// A "Button" shaped from its picture, holding the capture from press to release, then clicking.
class CCaptureButton : public CButton, public CMPWndBmp {
 public:
  std::vector<std::string> log;

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_CREATE: {
        if (CButton::WindowProc(message, wParam, lParam) == -1) return -1;
        CBmpRgn rgn;
        rgn.m_hTargetWnd = m_hWnd;
        rgn.m_hBitmap = ::LoadBitmapW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(m_nBmpNormal));
        rgn.m_clrKey = RGB(255, 255, 255);
        rgn.ShapeWindow(nullptr, 0);
        return 0;
      }
      case WM_PAINT: {
        CPaintDC dc(this);
        DrawPicture(&dc, m_nBmpNormal);
        return 0;
      }
      case WM_ERASEBKGND:
        return TRUE;
      case WM_LBUTTONDOWN:
        log.push_back("down");
        SetCapture();
        return 0;
      case WM_MOUSEMOVE:
        if (GetCapture() == this) {
          log.push_back("move " + std::to_string(GET_X_LPARAM(lParam)) + "," +
                        std::to_string(GET_Y_LPARAM(lParam)));
        }
        return 0;
      case WM_LBUTTONUP:
        log.push_back("up");
        ::ReleaseCapture();
        GetParent()->PostMessage(WM_COMMAND, static_cast<WPARAM>(GetDlgCtrlID()),
                                 reinterpret_cast<LPARAM>(m_hWnd));
        return 0;
    }
    return CButton::WindowProc(message, wParam, lParam);
  }
};

class CSmallDlg : public CDialogEx {
 public:
  CSmallDlg() : CDialogEx(kModalTemplate) {}
};

class CSkinDlg : public CDialogEx {
 public:
  CSkinDlg() : CDialogEx(kMainTemplate) {}

  CCaptureButton m_btnOpen;
  CCaptureButton m_btnClose;
  CToolTipCtrl m_toolTip;
  CMPToolTip m_mpToolTip;
  std::vector<std::string> log;
  INT_PTR modalResult = 0;
  BOOL ownerDisabledDuringModal = FALSE;

  BOOL OnInitDialog() override {
    CDialogEx::OnInitDialog();
    SetWindowPos(nullptr, kLeft, kTop, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    {
      CBmpRgn rgn;
      rgn.m_hTargetWnd = m_hWnd;
      rgn.m_hBitmap = ::LoadBitmapW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(kSkin));
      rgn.m_clrKey = RGB(255, 255, 255);
      POINT holes[] = {{0, 0}};
      rgn.ShapeWindow(holes, 1);
    }
    m_btnOpen.m_nBmpNormal = kButtonPicture;
    m_btnClose.m_nBmpNormal = kButtonPicture;
    m_btnOpen.Create(L"Button", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, CRect(20, 20, 21, 21),
                     this, kOpenId);
    m_btnClose.Create(L"Button", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                      CRect(70, 20, 71, 21), this, kCloseId);
    m_mpToolTip.Create(nullptr, 0);
    m_toolTip.Create(this, 0);
    m_toolTip.AddTool(&m_btnOpen, L"Open");
    m_toolTip.SetDelayTime(TTDT_AUTOMATIC, 200);
    m_toolTip.SetTipTextColor(RGB(0x80, 0x64, 0xFF));
    m_toolTip.SetTipBkColor(RGB(255, 255, 255));
    m_toolTip.Activate(TRUE);
    return TRUE;
  }

  BOOL PreTranslateMessage(MSG* msg) override {
    if (msg->message == WM_MOUSEMOVE) m_toolTip.RelayEvent(msg);
    return CDialogEx::PreTranslateMessage(msg);
  }

  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    if (wParam == IDCANCEL && lParam == 0) {
      log.push_back("escape ignored");
      return FALSE;
    }
    if (lParam == reinterpret_cast<LPARAM>(m_btnOpen.m_hWnd)) {
      log.push_back("open");
      CSmallDlg dlg;
      modalResult = dlg.DoModal();
      return FALSE;
    }
    if (lParam == reinterpret_cast<LPARAM>(m_btnClose.m_hWnd)) {
      log.push_back("close");
      OnOK();
    }
    return CDialogEx::OnCommand(wParam, lParam);
  }

 protected:
  void OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    CMemDCC mem(&dc, &client);
    DrawPicture(&mem, kSkin);
  }
  BOOL OnEraseBkgnd(CDC*) { return TRUE; }
  LRESULT OnNcHitTest(CPoint) { return HTCAPTION; }
  void OnLButtonDown(UINT, CPoint) { log.push_back("client press"); }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CSkinDlg, CDialogEx)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_NCHITTEST()
ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

class SkinnedWindowTest : public test::HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    resources_.AddBitmap(kSkin, test::MakeBmp(120, 80, SkinPixel));
    resources_.AddBitmap(kButtonPicture, test::MakeBmp(30, 20, ButtonPixel));
    resources_.AddDialog(kMainTemplate,
                         "STYLE 0x90080048\nEXSTYLE 0x00040000\nSIZE 100 60\nCAPTION \"\"\n"
                         "FONT 9 400 \"MS Shell Dlg\"\n");
    resources_.AddDialog(kModalTemplate,
                         "STYLE 0x80C800C8\nEXSTYLE 0\nSIZE 100 40\nCAPTION \"Small\"\n"
                         "FONT 9 400 \"MS Shell Dlg\"\n"
                         "CONTROL 1 \"Button\" 0x50010001 50 20 40 14 \"OK\"\n");
    resources_.Install();
  }

  std::uint32_t Pixel(int x, int y) const { return host_.PixelAt(x, y); }
};

TEST_F(SkinnedWindowTest, DrivenByPointerAndKeys) {
  CWinApp app(L"skinned");
  CSkinDlg dlg;
  app.m_pMainWnd = &dlg;
  const int openX = kLeft + 20 + 15;  // the middle of the open button
  const int openY = kTop + 20 + 10;

  // 1. The window is up: check the skin on the screen, then rest the pointer on the open button.
  Then([&] {
    EXPECT_EQ(host::HeadlessHost::kDesktopColor, Pixel(kLeft, kTop));  // white corner cut away
    EXPECT_EQ(host::HeadlessHost::kDesktopColor, Pixel(kLeft + 5, kTop + 5));
    EXPECT_EQ(kSkinColour, Pixel(kLeft + 6, kTop + 1));
    EXPECT_EQ(kSkinColour, Pixel(kLeft + 1, kTop + 6));
    EXPECT_EQ(kWhite, Pixel(kLeft + 60, kTop + 40));  // white inside is kept
    EXPECT_EQ(kButtonColour, Pixel(openX, openY));
    EXPECT_EQ(kSkinColour, Pixel(kLeft + 20, kTop + 20));  // the button's cut corner
    host_.MovePointer({openX, openY});
    host_.Wait(300);
  });
  // 2. The tooltip shows beside the pointer; press the button.
  Then([&] {
    EXPECT_TRUE(dlg.m_toolTip.IsWindowVisible());
    CRect tip;
    dlg.m_toolTip.GetWindowRect(&tip);
    EXPECT_GE(tip.top, openY);
    EXPECT_EQ(kWhite, Pixel(tip.left + 1, tip.top + 1));
    host_.PressButton();
  });
  // 3. Drag out of the window to the left, the capture keeps the moves coming.
  Then([&] {
    EXPECT_EQ(&dlg.m_btnOpen, CWnd::GetCapture());
    host_.MovePointer({kLeft - 30, openY});
  });
  // 4. Release outside: the button lets go and clicks; the modal dialog opens.
  Then([&] { host_.ReleaseButton(); });
  // 5. The modal dialog is up over a disabled owner; Escape closes it.
  Then([&] {
    EXPECT_EQ(nullptr, ::GetCapture());
    EXPECT_FALSE(dlg.IsWindowEnabled());
    EXPECT_GE(host_.VisibleWindows().size(), 2u);
    host_.PressKey(VK_ESCAPE);
  });
  // 6. Back on the main window: Escape there is ignored; drag the window by its background.
  Then([&] {
    EXPECT_EQ(IDCANCEL, dlg.modalResult);
    EXPECT_TRUE(dlg.IsWindowEnabled());
    host_.PressKey(VK_ESCAPE);
    host_.MovePointer({kLeft + 100, kTop + 60});
    host_.PressButton();
    for (int i = 1; i <= 20; ++i) host_.MovePointer({kLeft + 100 + i, kTop + 60 + i / 2});
    host_.ReleaseButton();
  });
  // 7. The window moved with the pointer, its shape with it; close by the close button.
  Then([&] {
    CRect r;
    dlg.GetWindowRect(&r);
    EXPECT_EQ(CPoint(kLeft + 20, kTop + 10), r.TopLeft());
    EXPECT_EQ(kSkinColour, Pixel(r.left + 6, r.top + 1));
    EXPECT_EQ(host::HeadlessHost::kDesktopColor, Pixel(r.left, r.top));
    EXPECT_EQ(kButtonColour, Pixel(r.left + 70 + 15, r.top + 20 + 10));
    EXPECT_EQ(host::HeadlessHost::kDesktopColor, Pixel(kLeft - 10, kTop + 100));
    host_.MovePointer({r.left + 70 + 15, r.top + 20 + 10});
    host_.PressButton();
    host_.ReleaseButton();
  });

  EXPECT_EQ(IDOK, dlg.DoModal());

  EXPECT_EQ((std::vector<std::string>{
                "down", "move " + std::to_string(kLeft - 30 - kLeft - 20) + ",10", "up"}),
            dlg.m_btnOpen.log);
  EXPECT_EQ((std::vector<std::string>{"open", "escape ignored", "close"}), dlg.log);
  EXPECT_EQ(nullptr, dlg.m_hWnd);
  EXPECT_EQ(nullptr, dlg.m_btnOpen.m_hWnd);
}

}  // namespace
