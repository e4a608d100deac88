// The lights-quantity dialog: a small skinned modal dialog with one slider from 4 to 64, the
// value as a number, a reset button (8) and a confirm button. Either button sends the quantity to
// the controller, updates the main window's quantity and its display, and closes the dialog;
// Escape closes it without sending anything.
#pragma once

#include "CBitmapSlider.h"
#include "CMPButton.h"
#include "afxwin.h"
#include "gdi_owners.h"
#include "report.h"

class CHalcyraDlg;

class CNumDlg : public CDialogEx {
  DECLARE_DYNAMIC(CNumDlg)

 public:
  static constexpr int kMinQty = device::kMinLightsQty;
  static constexpr int kMaxQty = device::kMaxLightsQty;
  static constexpr int kResetQty = 8;

  explicit CNumDlg(CWnd* parent = nullptr);
  ~CNumDlg() override = default;
  CNumDlg(const CNumDlg&) = delete;
  CNumDlg& operator=(const CNumDlg&) = delete;

  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

  gdi::UniqueBitmap m_hBmpBack;  // also the window property "MPBmpProp", for the slider
  UINT m_nBackId = 0;
  CMPButton m_btnReset;
  CMPButton m_btnConfirm;
  CMPButton m_btnDismiss;  // made and hidden at once
  CBitmapSlider m_sliderQty;

 protected:
  afx_msg LRESULT OnNcHitTest(CPoint point);
  afx_msg void OnPaint();
  afx_msg int OnCreate(LPCREATESTRUCTW cs);
  afx_msg LRESULT OnSliderNotify(WPARAM wParam, LPARAM lParam);

  DECLARE_MESSAGE_MAP()

 private:
  // The main window, whose language, quantity and display the dialog uses; null without one.
  static CHalcyraDlg* MainDialog();
  static int Language();
  // Shows `qty` in the main window and makes it the main window's quantity.
  void ShowInMainWindow(int qty);
};
