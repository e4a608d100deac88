// The skinned horizontal slider, over a standard trackbar window that it takes over: the parent's
// own background (its "MPBmpProp" picture) under a track picture, a filled-part picture from the
// left end to the thumb, and a thumb with a transparent colour. It keeps m_nPos inside
// [m_nMin, m_nMax], and posts WM_SLIDER_TRACK to its parent while the thumb is pressed or dragged
// and WM_SLIDER_SET at each release and after each handled key (wParam the control identifier,
// lParam the new position).
//
// The owner creates the window, sets m_nTrackStyle, calls LoadThumbBitmap (which takes the
// geometry), then SetRange and SetPos, and reads m_nPos directly.
#pragma once

#include "afxwin.h"

constexpr UINT WM_SLIDER_TRACK = 0x28D1;
constexpr UINT WM_SLIDER_SET = 0x28D2;

class CBitmapSlider : public CStatic {
 public:
  CBitmapSlider() = default;
  ~CBitmapSlider() override = default;

  // Replaces the thumb picture and prepares its mask, takes the window's client rectangle as the
  // slider's geometry. FALSE, changing nothing, when the bitmap cannot be loaded.
  BOOL LoadThumbBitmap(UINT id);
  // Stores the range; no repaint, the position is not clamped.
  void SetRange(int min, int max);
  // Clamps `pos` (at most m_nMax, then at least m_nMin), stores it and repaints with erasing.
  void SetPos(int pos);

  // The thumb's centre pixel for value `value`, and the value of pixel `x`, as the slider maps
  // them.
  int PixelOfValue(int value) const;
  int ValueOfPixel(int x) const;

  int m_nMax = 100;
  int m_nMin = 0;
  int m_nPos = 0;
  int m_nPage = 20;  // step of Page Up and Page Down
  CRect m_rcClient;  // taken by LoadThumbBitmap
  int m_nWidth = 0;
  int m_nHeight = 0;
  int m_nThumbWidth = 0;
  int m_nThumbHeight = 0;
  int m_nClickOffset = 0;  // press point minus the thumb's centre, kept during a drag
  BOOL m_bThumb = FALSE;   // a thumb picture is loaded
  BOOL m_bDragging = FALSE;
  CBitmap m_bmThumb;      // the thumb, its transparent pixels turned black
  CBitmap m_bmThumbMask;  // monochrome: set where the thumb is transparent
  int m_nTrackStyle = 0;  // 0 red, 1 blue, 2 green, 3 the lights-quantity track

 protected:
  afx_msg int OnCreate(LPCREATESTRUCTW cs);
  afx_msg void OnDestroy();
  afx_msg void OnSetFocus(CWnd* oldWnd);
  afx_msg void OnKillFocus(CWnd* newWnd);
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* dc);
  afx_msg UINT OnGetDlgCode();
  afx_msg void OnKeyDown(UINT ch, UINT repeat, UINT flags);
  afx_msg void OnMouseMove(UINT flags, CPoint point);
  afx_msg void OnLButtonDown(UINT flags, CPoint point);
  afx_msg void OnLButtonUp(UINT flags, CPoint point);

  DECLARE_MESSAGE_MAP()

 private:
  // Posts `message` to the parent with the control identifier and m_nPos.
  void Notify(UINT message);
  // One drag step towards pointer x (client coordinates).
  void DragTo(int x);
};
