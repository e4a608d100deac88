#include "window_skin.h"

#include "CBmpRgn.h"

gdi::UniqueBitmap ApplyWindowSkin(HWND wnd, UINT id) {
  {
    CBmpRgn rgn;
    rgn.m_hTargetWnd = wnd;
    rgn.m_hBitmap = ::LoadBitmapW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(id));
    rgn.m_clrKey = RGB(255, 255, 255);
    rgn.m_nInsetLeft = 1;
    rgn.m_nInsetRight = 0;
    POINT holes[] = {{0, 0}};
    rgn.ShapeWindow(holes, 1);
  }
  gdi::UniqueBitmap back(::LoadBitmapW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(id)));
  ::SetPropW(wnd, L"MPBmpProp", back.get());
  return back;
}

void PaintWindowSkin(CDC& dc, HBITMAP back) {
  if (back == nullptr) return;
  BITMAP bm{};
  ::GetObjectW(back, sizeof bm, &bm);
  CDC picture;
  picture.CreateCompatibleDC(&dc);
  HGDIOBJ old = picture.SelectObject(static_cast<HGDIOBJ>(back));
  dc.BitBlt(0, 0, bm.bmWidth, bm.bmHeight, &picture, 0, 0, SRCCOPY);
  picture.SelectObject(old);
}
