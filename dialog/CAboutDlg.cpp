#include "CAboutDlg.h"

#include "resource_ids.h"

IMPLEMENT_DYNAMIC(CAboutDlg, CDialogEx)

BEGIN_MESSAGE_MAP(CAboutDlg, CDialogEx)
END_MESSAGE_MAP()

CAboutDlg::CAboutDlg(CWnd* parent) : CDialogEx(IDD_ABOUTBOX, parent) {}
