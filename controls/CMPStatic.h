// The skinned label: one line of text in m_clrText on a solid m_clrBack, in a window whose corners
// are cut by a 2 x 2 rounded-rectangle region. It repaints itself when its text changes, and when
// its font changes with the redraw flag; it takes no input.
#pragma once

#include "CMPWndBmp.h"
#include "afxwin.h"

class CMPStatic : public CStatic, public CMPWndBmp {
  DECLARE_DYNAMIC(CMPStatic)

 public:
  CMPStatic() = default;
  ~CMPStatic() override = default;

  COLORREF m_clrBack = 0x050505;  // background fill
  COLORREF m_clrText = 0xF5F5F5;  // text colour
  HFONT m_hFont = nullptr;        // from WM_SETFONT; borrowed

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  afx_msg BOOL OnEraseBkgnd(CDC* dc);

  DECLARE_MESSAGE_MAP()

 private:
  void RoundCorners();
  void Paint();
};
