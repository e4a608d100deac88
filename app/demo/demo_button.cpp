#include "demo_button.h"

#include "CBmpRgn.h"
#include "picture.h"
#include "resource.h"

namespace demo {

BOOL CDemoButton::CreatePicture(CWnd* parent, UINT id, int x, int y, UINT normal, UINT hover,
                                LPCWSTR text) {
  m_nBmpNormal = normal;
  m_nBmpHover = hover;
  // The picture decides the size; the rectangle only places the window.
  return Create(WC_BUTTONW, text, WS_CHILD | WS_VISIBLE, CRect(x, y, x + 1, y + 1), parent, id);
}

LRESULT CDemoButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      if (CButton::WindowProc(message, wParam, lParam) == -1) return -1;
      Shape();
      return 0;
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ERASEBKGND:
      return TRUE;
    case WM_SETFONT:
      m_hFont = reinterpret_cast<HFONT>(wParam);
      return 0;
    case WM_SETTEXT: {
      // Store the text without the standard button's drawing.
      const LRESULT result = ::DefWindowProcW(m_hWnd, message, wParam, lParam);
      Invalidate(FALSE);
      return result;
    }
    case WM_MOUSEMOVE:
      TrackPointer(wParam, CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      Press();
      return 0;
    case WM_LBUTTONUP:
      Release();
      return 0;
    case WM_CAPTURECHANGED:
      // Someone else took the pointer (or the window went away under it): start afresh.
      if (reinterpret_cast<HWND>(lParam) != m_hWnd) {
        m_bPressed = FALSE;
        SetHover(FALSE);
      }
      return 0;
  }
  return CButton::WindowProc(message, wParam, lParam);
}

void CDemoButton::Shape() {
  CBmpRgn rgn;
  rgn.m_hTargetWnd = m_hWnd;
  rgn.m_hBitmap = ::LoadBitmapW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(m_nBmpNormal));
  rgn.m_clrKey = RGB(255, 255, 255);
  rgn.ShapeWindow(nullptr, 0);
}

void CDemoButton::Paint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  const UINT picture = (m_bHover || m_bPressed) ? m_nBmpHover : m_nBmpNormal;
  if (picture != 0) DrawPicture(&dc, picture, 0, 0);

  WCHAR text[64] = {};
  GetWindowTextW(text, 64);
  if (text[0] == 0) return;
  HGDIOBJ oldFont = m_hFont != nullptr ? ::SelectObject(dc, m_hFont) : nullptr;
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(RGB(255, 255, 255));
  // The pictures carry a shadow at the bottom: centre over the face above it.
  CRect face(0, 0, client.Width(), client.Height() - 6);
  dc.DrawTextW(text, -1, &face, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  if (oldFont != nullptr) ::SelectObject(dc, oldFont);
}

void CDemoButton::TrackPointer(WPARAM keys, CPoint client) {
  CPoint screen = client;
  ClientToScreen(&screen);
  // The topmost window at the point: outside the shape that is whatever lies beneath.
  const BOOL hover = ::WindowFromPoint(screen) == m_hWnd;
  if (hover) {
    if (::GetCapture() != m_hWnd) ::SetCapture(m_hWnd);
  } else if ((keys & MK_LBUTTON) == 0 && ::GetCapture() == m_hWnd) {
    ::ReleaseCapture();
  }
  SetHover(hover);
}

void CDemoButton::Press() {
  m_bPressed = TRUE;
  if (::GetCapture() != m_hWnd) ::SetCapture(m_hWnd);
  Invalidate(FALSE);
}

void CDemoButton::Release() {
  if (!m_bPressed) return;
  m_bPressed = FALSE;
  Invalidate(FALSE);
  POINT cursor{};
  ::GetCursorPos(&cursor);
  const BOOL hover = ::WindowFromPoint(cursor) == m_hWnd;
  if (!hover && ::GetCapture() == m_hWnd) ::ReleaseCapture();
  SetHover(hover);
  // Posted, so the parent acts after this release is fully handled.
  CWnd* parent = GetParent();
  if (parent != nullptr) {
    parent->PostMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID()), BN_CLICKED),
                        reinterpret_cast<LPARAM>(m_hWnd));
  }
}

void CDemoButton::SetHover(BOOL hover) {
  if (hover == m_bHover) return;
  m_bHover = hover;
  if (m_hWnd != nullptr) Invalidate(FALSE);
}

}  // namespace demo
