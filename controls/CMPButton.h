// The skinned push button: a picture from the resources (normal, or hover while the pointer is over
// it or it is pressed), a window cut to the non-white part of its normal picture, its window text
// drawn over the picture in white, and a click posted to the parent as WM_COMMAND with the
// button's own window as lParam.
//
// The button follows the pointer itself: a move onto its shape takes the mouse capture and starts
// timer 3 (200 ms), which notices when the pointer has gone; a release less than 2000 ms after the
// press clicks, wherever the pointer is. In pick mode every press also samples the screen pixel
// under the pointer into m_clrPicked, before the click it leads to is posted.
#pragma once

#include "CMPWndBmp.h"
#include "afxwin.h"

class CMPButton : public CButton, public CMPWndBmp {
  DECLARE_DYNAMIC(CMPButton)

 public:
  static constexpr UINT_PTR kHoverTimerId = 3;
  static constexpr UINT kHoverTimerMs = 200;
  static constexpr DWORD kLongPressMs = 2000;  // a release this late after the press clicks nothing
  static constexpr int kMaxTextLength = 63;    // characters of the window text that are drawn

  CMPButton() = default;
  ~CMPButton() override = default;

  // Stores the three picture identifiers; when the window exists, repaints it without erasing.
  void SetBitmaps(UINT normal, UINT hover, UINT third);

  DWORD m_dwPressTick = 0;          // tick count of the last left-button press
  BOOL m_bHover = FALSE;            // the pointer is over the visible part of the button
  BOOL m_bPressed = FALSE;          // the left button went down here and has not come up
  HFONT m_hFont = nullptr;          // from WM_SETFONT; borrowed
  BOOL m_bPickColor = FALSE;        // sample the pixel under each press into m_clrPicked
  COLORREF m_clrPicked = 0xFF453D;  // red 61, green 69, blue 255 until the first pick

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  afx_msg BOOL OnEraseBkgnd(CDC* dc);

  DECLARE_MESSAGE_MAP()

 private:
  void ShapeFromNormalPicture();
  void Paint();
  void DrawCaption(CDC& dc, int width, int height);
  BOOL IsUnder(POINT screen) const;
  void TrackPointer(UINT flags, CPoint point);
  void CheckPointerStillOver();
  void Press(CPoint point);
  void Release();
};
