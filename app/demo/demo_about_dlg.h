// The about box: dialog template 100, closed by its OK button.
#pragma once

#include "afxwin.h"

namespace demo {

constexpr UINT IDD_ABOUTBOX = 100;

class CDemoAboutDlg : public CDialogEx {
 public:
  explicit CDemoAboutDlg(CWnd* parent = nullptr) : CDialogEx(IDD_ABOUTBOX, parent) {}
};

}  // namespace demo
