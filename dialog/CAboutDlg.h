// The about box: dialog template 100 (the icon, the program's name and version, one line about
// it, and an OK button that closes it).
#pragma once

#include "afxwin.h"

class CAboutDlg : public CDialogEx {
  DECLARE_DYNAMIC(CAboutDlg)

 public:
  explicit CAboutDlg(CWnd* parent = nullptr);
  ~CAboutDlg() override = default;

  DECLARE_MESSAGE_MAP()
};
