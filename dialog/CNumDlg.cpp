#include "CNumDlg.h"

#include "CHalcyraDlg.h"
#include "app_fonts.h"
#include "bitmap_size.h"
#include "language.h"
#include "resource_ids.h"
#include "window_skin.h"

namespace {

// Deeper than the 195-pixel dialog: the whole dialog drags while it is shown normally.
constexpr LONG kCaptionDepth = 500;
// WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN.
constexpr DWORD kControlStyle = 0x52000000;

constexpr UINT kResetId = 1500;
constexpr UINT kConfirmId = 1501;
constexpr UINT kDismissId = 1502;
constexpr UINT kSliderId = 1503;

// Where the number goes on each background, and what a slider move repaints around it.
struct ValuePlace {
  POINT origin;
  RECT area;
};
constexpr ValuePlace kEnglishValue = {{245, 67}, {237, 64, 262, 84}};
constexpr ValuePlace kChineseValue = {{210, 65}, {210, 66, 237, 84}};

const ValuePlace& ValuePlaceFor(int language) {
  return language != kEnglish ? kChineseValue : kEnglishValue;
}

}  // namespace

IMPLEMENT_DYNAMIC(CNumDlg, CDialogEx)

BEGIN_MESSAGE_MAP(CNumDlg, CDialogEx)
ON_WM_NCHITTEST()
ON_WM_PAINT()
ON_WM_CREATE()
ON_MESSAGE(WM_SLIDER_TRACK, &CNumDlg::OnSliderNotify)
ON_MESSAGE(WM_SLIDER_SET, &CNumDlg::OnSliderNotify)
END_MESSAGE_MAP()

CNumDlg::CNumDlg(CWnd* parent) : CDialogEx(IDD_NUM_DIALOG, parent) {}

CHalcyraDlg* CNumDlg::MainDialog() {
  return dynamic_cast<CHalcyraDlg*>(AfxGetMainWnd());
}

int CNumDlg::Language() {
  const CHalcyraDlg* main = MainDialog();
  return main != nullptr ? main->m_nLanguage : kEnglish;
}

int CNumDlg::OnCreate(LPCREATESTRUCTW cs) {
  if (CDialogEx::OnCreate(cs) == -1) return -1;

  m_nBackId = Language() != kEnglish ? IDB_NUM_BACK_CHINESE : IDB_NUM_BACK_ENGLISH;
  m_hBmpBack = ApplyWindowSkin(m_hWnd, m_nBackId);
  Invalidate(FALSE);

  const struct {
    CMPButton& button;
    UINT normal;
    UINT hover;
    POINT at;
    UINT id;
  } buttons[] = {
      {m_btnReset, 241, 242, {49, 146}, kResetId},
      {m_btnConfirm, 243, 244, {178, 146}, kConfirmId},
      {m_btnDismiss, 196, 197, {309, 11}, kDismissId},
  };
  for (const auto& b : buttons) {
    b.button.SetBitmaps(b.normal, b.hover, 0);
    const CRect rect(b.at, BitmapSize(b.normal));
    b.button.Create(L"Button", nullptr, kControlStyle, rect, this, b.id);
    b.button.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(AppFont(CAppFonts::kNoFont)), 0);
  }
  m_sliderQty.Create(L"msctls_trackbar32", nullptr, kControlStyle,
                     CRect(49, 106, 49 + 243, 106 + 16), this, kSliderId);
  m_sliderQty.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(AppFont(CAppFonts::kNormalFont)), 0);

  m_sliderQty.m_nTrackStyle = 3;
  m_sliderQty.LoadThumbBitmap(247);
  m_sliderQty.SetRange(kMinQty, kMaxQty);
  m_sliderQty.SetPos(kResetQty);
  if (const CHalcyraDlg* main = MainDialog()) m_sliderQty.SetPos(main->m_nLightsQty);

  m_btnDismiss.ShowWindow(SW_HIDE);
  return 0;
}

void CNumDlg::OnPaint() {
  CPaintDC dc(this);
  PaintWindowSkin(dc, m_hBmpBack.get());
  dc.SetBkMode(TRANSPARENT);
  CString value;
  value.Format(L"%d", m_sliderQty.m_nPos);
  const POINT at = ValuePlaceFor(Language()).origin;
  dc.TextOutW(at.x, at.y, value);
}

LRESULT CNumDlg::OnNcHitTest(CPoint point) {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  GetWindowPlacement(&placement);
  if (placement.showCmd == SW_SHOWNORMAL &&
      point.y - placement.rcNormalPosition.top < kCaptionDepth) {
    return HTCAPTION;
  }
  return CDialogEx::OnNcHitTest(point);
}

LRESULT CNumDlg::OnSliderNotify(WPARAM wParam, LPARAM /*lParam*/) {
  if (m_sliderQty.m_hWnd != nullptr && static_cast<WPARAM>(m_sliderQty.GetDlgCtrlID()) == wParam) {
    InvalidateRect(&ValuePlaceFor(Language()).area, TRUE);
  }
  return 0;
}

BOOL CNumDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (wParam == ID_HELP) return FALSE;
  const HWND from = reinterpret_cast<HWND>(lParam);
  CHalcyraDlg* main = MainDialog();
  if (from != nullptr && from == m_btnReset.m_hWnd) {
    if (main != nullptr) main->SetLightsQty(kResetQty);
    m_sliderQty.SetPos(kResetQty);
    Invalidate(TRUE);
    ShowInMainWindow(kResetQty);
    OnOK();
    return FALSE;
  }
  if (from != nullptr && from == m_btnConfirm.m_hWnd) {
    const int qty = m_sliderQty.m_nPos;
    // The controller hears of it first; the main window follows whether or not it was reached.
    if (main != nullptr) main->SetLightsQty(static_cast<BYTE>(qty));
    ShowInMainWindow(qty);
    OnOK();
    return FALSE;
  }
  if (from != nullptr && from == m_btnDismiss.m_hWnd) {
    OnOK();
    return FALSE;
  }
  return CDialogEx::OnCommand(wParam, lParam);
}

void CNumDlg::ShowInMainWindow(int qty) {
  CHalcyraDlg* main = MainDialog();
  if (main == nullptr) return;
  CString text;
  text.Format(L"%d", qty);
  main->m_stLightsQty.SetWindowTextW(text);
  main->m_nLightsQty = qty;
}
