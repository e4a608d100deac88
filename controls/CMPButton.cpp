#include "CMPButton.h"

#include <cstdint>
#include <cstdlib>

#include "CBmpRgn.h"

IMPLEMENT_DYNAMIC(CMPButton, CButton)

BEGIN_MESSAGE_MAP(CMPButton, CButton)
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

namespace {

// Rows kept free below a one-line text: the pictures have their label area above a bottom rim.
constexpr int kTextBottomMargin = 6;
constexpr UINT kTextFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE;

}  // namespace

void CMPButton::SetBitmaps(UINT normal, UINT hover, UINT third) {
  m_nBmpNormal = normal;
  m_nBmpHover = hover;
  m_nBmpThird = third;
  if (::IsWindow(m_hWnd)) Invalidate(FALSE);
}

BOOL CMPButton::OnEraseBkgnd(CDC* /*dc*/) {
  return TRUE;  // the picture covers the whole shape
}

LRESULT CMPButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      if (CButton::WindowProc(message, wParam, lParam) == -1) return -1;
      ShapeFromNormalPicture();
      return 0;
    case WM_ENABLE: {
      const LRESULT result = CButton::WindowProc(message, wParam, lParam);
      Invalidate(FALSE);
      return result;
    }
    case WM_SETTEXT:
      // The text is only stored: the standard button would draw itself over the picture.
      ::DefWindowProcW(m_hWnd, message, wParam, lParam);
      Invalidate(FALSE);
      return 0;
    case WM_PAINT:
      Paint();
      return 0;
    case WM_SETFONT:
      m_hFont = reinterpret_cast<HFONT>(wParam);
      return 0;
    case WM_TIMER:
      if (wParam == kHoverTimerId) CheckPointerStillOver();
      return 0;
    case WM_MOUSEMOVE:
      TrackPointer(static_cast<UINT>(wParam), CPoint(lParam));
      return 0;
    case WM_LBUTTONDOWN:
      Press(CPoint(lParam));
      return 0;
    case WM_LBUTTONUP:
      Release();
      return 0;
    default:
      return CButton::WindowProc(message, wParam, lParam);
  }
}

void CMPButton::ShapeFromNormalPicture() {
  CBmpRgn rgn;
  rgn.m_hTargetWnd = m_hWnd;
  rgn.m_hBitmap = ::LoadBitmapW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(m_nBmpNormal));
  rgn.m_clrKey = RGB(255, 255, 255);
  rgn.ShapeWindow(nullptr, 0);
}

void CMPButton::Paint() {
  CRect client;
  GetClientRect(&client);
  CPaintDC dc(this);
  const int width = client.Width();
  const int height = client.Height();

  const UINT picture = (m_bHover || m_bPressed) ? m_nBmpHover : m_nBmpNormal;
  if (picture != 0) {
    CBitmap bitmap;
    if (bitmap.LoadBitmap(picture)) {
      BITMAP bm{};
      bitmap.GetBitmap(&bm);
      CDC mem;
      mem.CreateCompatibleDC(nullptr);
      CBitmap* old = mem.SelectObject(&bitmap);
      dc.SetStretchBltMode(HALFTONE);
      dc.StretchBlt(0, 0, width, height, &mem, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
      mem.SelectObject(old);
    }
  }

  HGDIOBJ oldFont = m_hFont != nullptr ? ::SelectObject(dc, m_hFont) : nullptr;
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(RGB(255, 255, 255));
  DrawCaption(dc, width, height);
  if (oldFont != nullptr) ::SelectObject(dc, oldFont);
}

void CMPButton::DrawCaption(CDC& dc, int width, int height) {
  WCHAR text[kMaxTextLength + 1] = {};
  const int length = GetWindowTextW(text, kMaxTextLength + 1);
  if (length <= 0) return;

  int feed = -1;
  for (int i = 0; i < length; ++i) {
    if (text[i] == L'\n') {
      feed = i;
      break;
    }
  }
  if (feed < 0) {
    CRect line(0, 0, width, height - kTextBottomMargin);
    dc.DrawTextW(text, length, &line, kTextFormat);
    return;
  }
  // Two lines; a pressed button nudges them one pixel to the left.
  const int left = m_bPressed ? 0 : 1;
  const int right = m_bPressed ? width - 1 : width;
  CRect first(left, 6, right, height / 2 + 4);
  CRect second(left, height / 2, right, height - 1);
  dc.DrawTextW(text, feed, &first, kTextFormat);
  dc.DrawTextW(text + feed + 1, length - feed - 1, &second, kTextFormat);
}

BOOL CMPButton::IsUnder(POINT screen) const {
  return ::WindowFromPoint(screen) == m_hWnd ? TRUE : FALSE;
}

void CMPButton::TrackPointer(UINT flags, CPoint point) {
  ClientToScreen(&point);
  const BOOL hover = IsUnder(point);
  const BOOL changed = hover != m_bHover;
  m_bHover = hover;
  if (hover) {
    if (::GetCapture() != m_hWnd) SetCapture();
    SetTimer(kHoverTimerId, kHoverTimerMs);
  } else if ((flags & MK_LBUTTON) == 0 && ::GetCapture() == m_hWnd) {
    // While the left button is held the capture stays, so that the release still comes here.
    ::ReleaseCapture();
  }
  if (changed) Invalidate(FALSE);
}

void CMPButton::CheckPointerStillOver() {
  POINT cursor{};
  ::GetCursorPos(&cursor);
  m_bHover = IsUnder(cursor);
  if (m_bHover) return;
  // The pointer left without a move reaching this button (another window held the mouse).
  KillTimer(kHoverTimerId);
  Invalidate(FALSE);
}

void CMPButton::Press(CPoint point) {
  // Normally the hover has taken the capture already; a press that came without a move first (the
  // button appeared under a resting pointer) takes it here, so that its release still comes back.
  if (::GetCapture() != m_hWnd) SetCapture();
  m_dwPressTick = ::GetTickCount();
  m_bPressed = TRUE;
  Invalidate(FALSE);
  if (!m_bPickColor) return;
  // Straight to the screen: the repaint already asked for draws the button over the mark.
  CClientDC dc(this);
  m_clrPicked = dc.GetPixel(point);
  dc.MoveTo(point.x - 3, point.y - 3);
  dc.LineTo(point.x + 3, point.y - 3);
  dc.LineTo(point.x + 3, point.y + 3);
  dc.LineTo(point.x - 3, point.y + 3);
  dc.LineTo(point.x - 3, point.y - 3);
}

void CMPButton::Release() {
  m_bPressed = FALSE;
  Invalidate(FALSE);
  // Wherever the pointer is now: the capture brought the release here. Only a long press (or a
  // tick count that wrapped far away) posts nothing.
  const auto elapsed = static_cast<std::int32_t>(::GetTickCount() - m_dwPressTick);
  if (std::llabs(static_cast<long long>(elapsed)) >= static_cast<long long>(kLongPressMs)) return;
  HWND parent = ::GetParent(m_hWnd);
  if (parent == nullptr) return;
  ::PostMessageW(parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID()), BN_CLICKED),
                 reinterpret_cast<LPARAM>(m_hWnd));
}
