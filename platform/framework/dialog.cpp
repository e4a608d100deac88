#include "dialog.h"

#include "app.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)
IMPLEMENT_DYNAMIC(CDialogEx, CDialog)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, &CDialog::OnOK)
ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CDialogEx, CDialog)
END_MESSAGE_MAP()

CDialog::CDialog(UINT templateId, CWnd* parent)
    : m_nIDHelp(templateId), m_nIDTemplate(templateId), m_pParentWnd(parent) {}

CDialog::~CDialog() = default;

CDialogEx::CDialogEx(UINT templateId, CWnd* parent) : CDialog(templateId, parent) {}

INT_PTR AfxDlgProc(HWND hwnd, UINT message, WPARAM /*wParam*/, LPARAM /*lParam*/) {
  if (message != WM_INITDIALOG) return FALSE;
  auto* dialog = dynamic_cast<CDialog*>(CWnd::FromHandlePermanent(hwnd));
  return dialog != nullptr ? dialog->OnInitDialog() : TRUE;
}

HWND CDialog::FindOwner() const {
  HWND h = m_pParentWnd != nullptr ? m_pParentWnd->m_hWnd : nullptr;
  const bool noParent = h == nullptr;
  if (noParent) {
    CWnd* main = AfxGetMainWnd();
    if (main != nullptr && main != this) h = main->m_hWnd;
  }
  // A dialog is owned by a top-level window.
  while (h != nullptr && (::GetWindowLongW(h, GWL_STYLE) & static_cast<LONG>(WS_CHILD)) != 0) {
    h = ::GetParent(h);
  }
  // Without a parent of its own the dialog goes over whatever the main window shows last.
  if (noParent && h != nullptr) h = ::GetLastActivePopup(h);
  return h;
}

INT_PTR CDialog::DoModal() {
  if (m_hWnd != nullptr) return -1;  // already running
  HWND owner = FindOwner();
  disabled_owner_ = nullptr;
  if (owner != nullptr && ::IsWindowEnabled(owner)) {
    ::EnableWindow(owner, FALSE);
    disabled_owner_ = owner;
  }

  m_nModalResult = -1;
  m_nFlags |= kContinueModal;
  AfxHookWindowCreate(this);
  HWND h = ::CreateDialogParamW(AfxGetResourceHandle(), MAKEINTRESOURCEW(m_nIDTemplate), owner,
                                &AfxDlgProc, 0);
  AfxUnhookWindowCreate();
  if (h == nullptr && m_hWnd != nullptr && !::IsWindow(m_hWnd)) Detach();

  if (h != nullptr) {
    if ((m_nFlags & kContinueModal) != 0) {
      DWORD flags = MLF_SHOWONIDLE;
      if ((GetStyle() & DS_NOIDLEMSG) != 0) flags |= MLF_NOIDLEMSG;
      RunModalLoop(flags);
    }
    if (m_hWnd != nullptr) {
      SetWindowPos(nullptr, 0, 0, 0, 0,
                   SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    }
  }
  if (disabled_owner_ != nullptr) {
    ::EnableWindow(disabled_owner_, TRUE);
    disabled_owner_ = nullptr;
  }
  if (owner != nullptr && m_hWnd != nullptr && ::GetActiveWindow() == m_hWnd) {
    ::SetActiveWindow(owner);
  }
  DestroyWindow();
  m_nFlags &= ~(kContinueModal | kModalLoop);
  return m_nModalResult;
}

void CDialog::EndDialog(int result) {
  if ((m_nFlags & (kModalLoop | kContinueModal)) != 0) EndModalLoop(result);
  // The owner comes back before the dialog disappears.
  if (disabled_owner_ != nullptr) {
    ::EnableWindow(disabled_owner_, TRUE);
    disabled_owner_ = nullptr;
  }
  ::EndDialog(m_hWnd, result);
}

BOOL CDialog::OnInitDialog() {
  return TRUE;
}

void CDialog::OnOK() {
  EndDialog(IDOK);
}

void CDialog::OnCancel() {
  EndDialog(IDCANCEL);
}

BOOL CDialog::PreTranslateMessage(MSG* msg) {
  if (CWnd::PreTranslateMessage(msg)) return TRUE;
  const bool key = msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST;
  const bool mouse = msg->message >= WM_MOUSEFIRST && msg->message <= WM_MOUSELAST;
  if (!key && !mouse) return FALSE;
  return ::IsDialogMessageW(m_hWnd, msg);
}

BOOL CDialog::OnCmdMsg(UINT nID, int nCode) {
  if (CWnd::OnCmdMsg(nID, nCode)) return TRUE;
  if (nCode != CN_COMMAND || nID >= 0xF000) return FALSE;
  CWinApp* app = AfxGetApp();
  return app != nullptr && app->OnCmdMsg(nID, nCode);
}
