#include "demo_dlg.h"

#include <algorithm>
#include <iterator>

#include "CBmpRgn.h"
#include "CMemDCC.h"
#include "demo_about_dlg.h"
#include "picture.h"
#include "requests.h"
#include "resource.h"

namespace demo {
namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
// Far below any point of the 540-pixel window: every point of it drags while it is shown normally.
constexpr LONG kCaptionDepth = 700;

}  // namespace

BEGIN_MESSAGE_MAP(CDemoDlg, CDialogEx)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_NCHITTEST()
ON_WM_SYSCOMMAND()
ON_WM_QUERYDRAGICON()
END_MESSAGE_MAP()

CDemoDlg::CDemoDlg(CWnd* parent) : CDialogEx(IDD_DEMO_DIALOG, parent) {}

CDemoDlg::~CDemoDlg() = default;

BOOL CDemoDlg::OnInitDialog() {
  CDialogEx::OnInitDialog();
  AddAboutItem();
  m_hIcon = ::LoadIconW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(kIconId));
  SetIcon(m_hIcon, TRUE);
  SetIcon(m_hIcon, FALSE);
  CreateButtons();
  CreateToolTips();
  // Without a controller Apply sends nowhere; nothing to tell the user in a demonstration.
  m_device.FindDevice();
  ApplySkin();
  return TRUE;
}

void CDemoDlg::AddAboutItem() {
  CMenu* menu = GetSystemMenu(FALSE);
  if (menu == nullptr) return;
  CString about;
  about.LoadString(IDS_ABOUTBOX);
  if (about.IsEmpty()) return;
  menu->AppendMenu(MF_SEPARATOR);
  menu->AppendMenu(MF_STRING, IDM_ABOUTBOX, about);
}

void CDemoDlg::CreateButtons() {
  m_btnMinimize.CreatePicture(this, IDC_DEMO_MINIMIZE, kMinimizeAt.x, kMinimizeAt.y,
                              kMinimizeNormal, kMinimizeHover);
  m_btnClose.CreatePicture(this, IDC_DEMO_CLOSE, kCloseAt.x, kCloseAt.y, kCloseNormal, kCloseHover);

  LOGFONTW lf{};
  lf.lfHeight = 18;
  lf.lfWeight = FW_BOLD;
  lf.lfQuality = DRAFT_QUALITY;
  const wchar_t face[] = L"Arial";
  std::copy(std::begin(face), std::end(face), lf.lfFaceName);
  m_fontApply.CreateFontIndirect(&lf);
  m_btnApply.CreatePicture(this, IDC_DEMO_APPLY, kApplyAt.x, kApplyAt.y, kApplyNormal, kApplyHover,
                           L"Apply");
  m_btnApply.SetFont(&m_fontApply, FALSE);
}

void CDemoDlg::CreateToolTips() {
  m_toolTip.Create(this);
  m_toolTip.AddTool(&m_btnMinimize, L"Minimize");
  m_toolTip.AddTool(&m_btnClose, L"Exit");
  m_toolTip.AddTool(&m_btnApply, L"Apply all settings to the device.");
  m_toolTip.SetDelayTime(TTDT_AUTOMATIC, 200);
  m_toolTip.Activate(TRUE);
}

void CDemoDlg::ApplySkin() {
  {
    CBmpRgn rgn;
    rgn.m_hTargetWnd = m_hWnd;
    rgn.m_hBitmap = ::LoadBitmapW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(kSkinPicture));
    rgn.m_clrKey = kWhite;
    rgn.m_nInsetLeft = 1;
    POINT holes[] = {{0, 0}};
    rgn.ShapeWindow(holes, 1);
  }
  m_bmpBack.DeleteObject();
  m_bmpBack.LoadBitmap(kSkinPicture);
  ::SetPropW(m_hWnd, L"MPBmpProp", m_bmpBack.GetSafeHandle());
  Invalidate(FALSE);
}

BOOL CDemoDlg::PreTranslateMessage(MSG* msg) {
  // The tooltip learns of the pointer only through the moves it is handed.
  if (msg->message == WM_MOUSEMOVE && m_toolTip.m_hWnd != nullptr) m_toolTip.RelayEvent(msg);
  return CDialogEx::PreTranslateMessage(msg);
}

BOOL CDemoDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  const HWND from = reinterpret_cast<HWND>(lParam);
  if (from != nullptr && from == m_btnMinimize.m_hWnd) {
    ShowWindow(SW_MINIMIZE);
    return TRUE;
  }
  if (from != nullptr && from == m_btnClose.m_hWnd) {
    OnOK();
    return TRUE;
  }
  if (from != nullptr && from == m_btnApply.m_hWnd) {
    SendApply();
    return TRUE;
  }
  // Enter, Escape and the system menu's close name no control: the window closes only by its
  // own close button.
  if (from == nullptr && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) return FALSE;
  return CDialogEx::OnCommand(wParam, lParam);
}

void CDemoDlg::SendApply() {
  device::LightingSettings settings;
  settings.effect = kApplyEffect;
  settings.color = 0;  // the custom colour
  settings.red = kApplyRed;
  settings.green = kApplyGreen;
  settings.blue = kApplyBlue;
  device::ApplyArgbSettings(m_device.m_hDevice, settings);
}

void CDemoDlg::OnPaint() {
  CPaintDC dc(this);
  if (IsIconic()) return;
  CRect client;
  GetClientRect(&client);
  CMemDCC mem(&dc, &client);
  if (m_bmpBack.GetSafeHandle() != nullptr) {
    BITMAP bm{};
    m_bmpBack.GetBitmap(&bm);
    CDC skin;
    skin.CreateCompatibleDC(&dc);
    CBitmap* old = skin.SelectObject(&m_bmpBack);
    mem->BitBlt(0, 0, bm.bmWidth, bm.bmHeight, &skin, 0, 0, SRCCOPY);
    skin.SelectObject(old);
  }
  DrawPictureKeyed(mem, kEffectTilePicture, kEffectTileAt.x, kEffectTileAt.y, kWhite);
  DrawPictureKeyed(mem, kColorWheelPicture, kColorWheelAt.x, kColorWheelAt.y, kWhite);
}

BOOL CDemoDlg::OnEraseBkgnd(CDC*) {
  return TRUE;  // the skin covers everything
}

LRESULT CDemoDlg::OnNcHitTest(CPoint point) {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  GetWindowPlacement(&placement);
  if (placement.showCmd == SW_SHOWNORMAL &&
      point.y - placement.rcNormalPosition.top < kCaptionDepth) {
    return HTCAPTION;
  }
  return CDialogEx::OnNcHitTest(point);
}

void CDemoDlg::OnSysCommand(UINT id, LPARAM lParam) {
  if ((id & 0xFFF0) == IDM_ABOUTBOX) {
    CDemoAboutDlg about(this);
    about.DoModal();
    return;
  }
  CDialogEx::OnSysCommand(id, lParam);
}

HCURSOR CDemoDlg::OnQueryDragIcon() {
  return m_hIcon;
}

}  // namespace demo
