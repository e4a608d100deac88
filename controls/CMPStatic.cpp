#include "CMPStatic.h"

IMPLEMENT_DYNAMIC(CMPStatic, CStatic)

BEGIN_MESSAGE_MAP(CMPStatic, CStatic)
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

namespace {

constexpr int kCornerEllipse = 2;
constexpr UINT kTextFormat = DT_SINGLELINE | DT_VCENTER | DT_RIGHT;

}  // namespace

BOOL CMPStatic::OnEraseBkgnd(CDC* /*dc*/) {
  return TRUE;  // the paint fills what it repaints
}

LRESULT CMPStatic::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      RoundCorners();
      return CStatic::WindowProc(message, wParam, lParam);
    case WM_SETTEXT:
      // The text is only stored: the standard static would draw itself in its own colours.
      ::DefWindowProcW(m_hWnd, message, wParam, lParam);
      Invalidate(TRUE);
      return 0;
    case WM_PAINT:
      Paint();
      return 0;
    case WM_SETFONT:
      m_hFont = reinterpret_cast<HFONT>(wParam);
      if (lParam != 0) Invalidate(TRUE);
      return 0;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
      return 0;  // a label takes no input, and tells its parent of no click
    default:
      return CStatic::WindowProc(message, wParam, lParam);
  }
}

void CMPStatic::RoundCorners() {
  CRect client;
  GetClientRect(&client);
  CRgn region;
  if (!region.CreateRoundRectRgn(0, 0, client.Width(), client.Height(), kCornerEllipse,
                                 kCornerEllipse))
    return;
  if (SetWindowRgn(region, TRUE) != 0) region.Detach();  // the window owns it now
}

void CMPStatic::Paint() {
  CRect update;
  GetUpdateRect(&update, FALSE);
  CRect client;
  GetClientRect(&client);
  CPaintDC dc(this);

  CBrush back(m_clrBack);
  dc.FillRect(&update, &back);

  CString text;
  GetWindowTextW(text);
  if (text.IsEmpty()) return;

  dc.SetTextColor(m_clrText);
  dc.SetBkMode(TRANSPARENT);
  HGDIOBJ oldFont = m_hFont != nullptr ? ::SelectObject(dc, m_hFont) : nullptr;
  UINT format = kTextFormat;
  if ((GetStyle() & SS_CENTER) != 0) format |= DT_CENTER;
  dc.DrawTextW(text, text.GetLength(), &client, format);
  if (oldFont != nullptr) ::SelectObject(dc, oldFont);
}
