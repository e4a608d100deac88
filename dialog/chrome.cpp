// The window's chrome: its skin and shape, painting, dragging by the background, the tooltip
// relay, the system menu's about box and the media player member.
#include "CAboutDlg.h"
#include "CHalcyraDlg.h"
#include "resource_ids.h"
#include "window_areas.h"
#include "window_skin.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
// Deeper than the 540-pixel window: while it is shown normally, every point of its own surface
// acts as its caption.
constexpr LONG kCaptionDepth = 700;

constexpr UINT kMediaPlayerId = 500;
constexpr DISPID kDispidControls = 4;  // the player's controls object

// The sample colour of each preset choice 1..8 (entry 0 is the picked colour, taken elsewhere).
constexpr COLORREF kPresetSamples[] = {
    0,
    RGB(255, 255, 255),
    RGB(219, 23, 48),
    RGB(239, 189, 44),
    RGB(255, 255, 60),
    RGB(104, 183, 74),
    RGB(67, 119, 197),
    RGB(231, 149, 201),
    RGB(97, 54, 160),
};

}  // namespace

void CHalcyraDlg::ApplySkin() {
  m_nBackId = IDB_SKIN;
  m_hBmpBack = ApplyWindowSkin(m_hWnd, IDB_SKIN);
  Invalidate(FALSE);
}

COLORREF CHalcyraDlg::SampleColor() const {
  if (m_nColor == 0) return m_btnColorWheel.m_clrPicked;
  if (m_nColor >= 1 && m_nColor <= 8) return kPresetSamples[m_nColor];
  return kWhite;
}

void CHalcyraDlg::OnPaint() {
  if (IsIconic()) {
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    CRect client;
    GetClientRect(&client);
    const int x = (client.Width() - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.Height() - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    dc.DrawIcon(x, y, m_hIcon);
    return;
  }

  CPaintDC dc(this);
  PaintWindowSkin(dc, m_hBmpBack.get());
  dc.SetBkMode(TRANSPARENT);

  // The sample is filled through the window's own context, whatever part is being repainted.
  CDC* window = GetDC();
  if (window != nullptr) {
    CBrush brush(SampleColor());
    window->FillRect(&kColorSampleRect, &brush);
  }
  DrawColorValues(&dc);
  if (window != nullptr) ReleaseDC(window);
}

void CHalcyraDlg::DrawColorValues(CDC* dc) {
  const CBitmapSlider* sliders[] = {&m_sliderRed, &m_sliderGreen, &m_sliderBlue};
  for (std::size_t i = 0; i < kColorValueTexts.size(); ++i) {
    CString value;
    value.Format(L"%3d", sliders[i]->m_nPos);
    dc->SetTextColor(kColorValueTexts[i].color);
    dc->SetBkMode(TRANSPARENT);
    dc->TextOutW(kColorValueTexts[i].origin.x, kColorValueTexts[i].origin.y, value);
  }
}

LRESULT CHalcyraDlg::OnNcHitTest(CPoint point) {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  GetWindowPlacement(&placement);
  if (placement.showCmd == SW_SHOWNORMAL &&
      point.y - placement.rcNormalPosition.top < kCaptionDepth) {
    return HTCAPTION;
  }
  return CDialogEx::OnNcHitTest(point);
}

HCURSOR CHalcyraDlg::OnQueryDragIcon() {
  return m_hIcon;
}

BOOL CHalcyraDlg::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) {
  return CDialogEx::OnSetCursor(wnd, hitTest, message);
}

void CHalcyraDlg::OnSysCommand(UINT id, LPARAM lParam) {
  if ((id & 0xFFF0) == IDM_ABOUTBOX) {
    CAboutDlg about;
    about.DoModal();
    return;
  }
  CDialogEx::OnSysCommand(id, lParam);
}

BOOL CHalcyraDlg::PreTranslateMessage(MSG* msg) {
  // The tooltip does not watch the controls itself: it learns of the pointer from these moves.
  if (msg->message == WM_MOUSEMOVE) m_toolTip.RelayEvent(msg);
  return CDialog::PreTranslateMessage(msg);
}

BOOL CHalcyraDlg::OnToolTipNeedText(UINT /*id*/, NMHDR* header, LRESULT* result) {
  // The framework's own tooltips stay empty: the tips that show are m_toolTip's.
  static WCHAR empty[1] = {0};
  auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
  info->szText[0] = 0;
  info->lpszText = empty;
  *result = 0;
  return TRUE;
}

void CHalcyraDlg::CreateMediaPlayer() {
  LPDISPATCH controls = nullptr;
  // Where the player is not installed the window is not made, and no controls object is read.
  if (m_wmp.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this,
                   kMediaPlayerId)) {
    m_wmp.GetProperty(kDispidControls, VT_DISPATCH, &controls);
  }
  m_pWmpControls = std::make_unique<COleDispatchDriver>(controls, TRUE);
}
