// Construction, initialisation and destruction of the main window.
#include "CHalcyraDlg.h"

#include "resource_ids.h"

namespace {

// The window property that marks the running main window for a second start of the program.
LPCWSTR InstanceName() {
  CWinApp* app = AfxGetApp();
  return app != nullptr && app->m_pszAppName != nullptr ? app->m_pszAppName : L"";
}

}  // namespace

BEGIN_MESSAGE_MAP(CHalcyraDlg, CDialogEx)
ON_WM_SYSCOMMAND()
ON_WM_PAINT()
ON_WM_QUERYDRAGICON()
ON_WM_NCHITTEST()
ON_MESSAGE(WM_SLIDER_TRACK, &CHalcyraDlg::OnSliderNotify)
ON_MESSAGE(WM_SLIDER_SET, &CHalcyraDlg::OnSliderNotify)
ON_WM_SETCURSOR()
ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTW, 0, 0xFFFF, &CHalcyraDlg::OnToolTipNeedText)
ON_WM_DESTROY()
END_MESSAGE_MAP()

CHalcyraDlg::CHalcyraDlg(CWnd* parent) : CDialogEx(IDD_HALCYRA_DIALOG, parent) {
  CWinApp* app = AfxGetApp();
  m_hIcon = app != nullptr ? app->LoadIcon(IDR_MAINFRAME) : nullptr;
  m_nEffect = 8;
  m_nPage = 1;
  m_nLanguage = 0;
}

CHalcyraDlg::~CHalcyraDlg() = default;

BOOL CHalcyraDlg::OnInitDialog() {
  CDialogEx::OnInitDialog();

  if (CMenu* menu = GetSystemMenu(FALSE)) {
    CString about;
    about.LoadString(IDS_ABOUTBOX);
    if (!about.IsEmpty()) {
      menu->AppendMenu(MF_SEPARATOR);
      menu->AppendMenu(MF_STRING, IDM_ABOUTBOX, about);
    }
  }

  SetIcon(m_hIcon, TRUE);
  SetIcon(m_hIcon, FALSE);
  EnableToolTips(TRUE);

  CreateControls();

  m_toolTip.Create(this, 0);
  SetLanguage(0);
  m_toolTip.SetDelayTime(TTDT_AUTOMATIC, 200);
  m_toolTip.SetTipTextColor(RGB(0x80, 0x64, 0xFF));
  m_toolTip.SetTipBkColor(RGB(0xFF, 0xFF, 0xFF));
  m_toolTip.Activate(TRUE);

  FindDevice();
  // The window opens all the same: every request then goes nowhere.
  if (!DeviceFound()) MessageBox(L"Hardware detection failed.", nullptr, MB_OK);

  BYTE inOut = 0;
  ReadDeviceColor(inOut);
  ReadLightsQty(m_nLightsQty);
  CString qty;
  qty.Format(L"%d", m_nLightsQty);
  m_stLightsQty.SetWindowTextW(qty);

  ::SetPropW(m_hWnd, InstanceName(), reinterpret_cast<HANDLE>(1));

  // The page tabs and Synchronize stay hidden: the window always shows the ARGB page.
  m_btnArgbPage.ShowWindow(SW_HIDE);
  m_btnVrgbPage.ShowWindow(SW_HIDE);
  m_btnSync.ShowWindow(SW_HIDE);

  ApplySkin();
  return TRUE;
}

void CHalcyraDlg::OnDestroy() {
  CDialogEx::OnDestroy();
  ::RemovePropW(m_hWnd, InstanceName());
}

BOOL CHalcyraDlg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
  return CDialogEx::OnNotify(wParam, lParam, result);
}
