// The demonstration window's picture button. It takes over a standard "Button" window: its shape
// is the non-white part of its normal picture, it shows the hover picture while the pointer is
// over it or it is pressed, and a release after a press posts WM_COMMAND (its identifier, its
// handle) to the parent.
//
// It holds the capture while the pointer is over it and while it is pressed, so that it sees the
// pointer leave and the release still arrives when it happens outside.
#pragma once

#include "CMPWndBmp.h"
#include "afxwin.h"

namespace demo {

class CDemoButton : public CButton, public CMPWndBmp {
 public:
  CDemoButton() = default;
  ~CDemoButton() override = default;

  // Creates the button at (x, y) as a child of `parent`; it takes the size of its normal picture.
  BOOL CreatePicture(CWnd* parent, UINT id, int x, int y, UINT normal, UINT hover,
                     LPCWSTR text = L"");

  BOOL IsHovered() const { return m_bHover; }
  BOOL IsPressed() const { return m_bPressed; }

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Shape();
  void Paint();
  void TrackPointer(WPARAM keys, CPoint client);
  void Press();
  void Release();
  void SetHover(BOOL hover);

  BOOL m_bHover = FALSE;
  BOOL m_bPressed = FALSE;
  HFONT m_hFont = nullptr;  // borrowed from whoever sent WM_SETFONT
};

}  // namespace demo
