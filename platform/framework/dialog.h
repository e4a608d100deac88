// Dialogs built from a template of the program's resources and run modally.
//
// DoModal disables the owner (the given parent, else the application's main window), creates the
// dialog from its template with this object attached, calls OnInitDialog, and runs a message loop
// in which every message passes PreTranslateMessage (the dialog keyboard interface: Escape,
// Enter) before it is dispatched. The dialog is shown when the queue first runs empty. EndDialog
// re-enables the owner, hides the dialog and ends the loop; DoModal then destroys the window and
// returns the result.
#pragma once

#include "wnd.h"

class CDialog : public CWnd {
  DECLARE_DYNAMIC(CDialog)

 public:
  explicit CDialog(UINT templateId, CWnd* parent = nullptr);
  ~CDialog() override;

  // The result given to EndDialog; -1 when the dialog could not be created.
  virtual INT_PTR DoModal();
  // WM_INITDIALOG. TRUE lets the window system give the focus to the first control.
  virtual BOOL OnInitDialog();
  // The IDOK and IDCANCEL commands: end the dialog with IDOK / IDCANCEL.
  virtual void OnOK();
  virtual void OnCancel();
  void EndDialog(int result);

  // The dialog keyboard interface for keys and mouse messages of the dialog and its controls.
  BOOL PreTranslateMessage(MSG* msg) override;
  // Commands nobody in the dialog handles go on to the application object.
  BOOL OnCmdMsg(UINT nID, int nCode) override;

  UINT m_nIDHelp = 0;
  UINT m_nIDTemplate = 0;
  CWnd* m_pParentWnd = nullptr;

 protected:
  HWND FindOwner() const;

  DECLARE_MESSAGE_MAP()

 private:
  HWND disabled_owner_ = nullptr;  // the owner DoModal disabled, re-enabled by EndDialog
};

// The dialog class with the framework's extended look; it behaves as CDialog here.
class CDialogEx : public CDialog {
  DECLARE_DYNAMIC(CDialogEx)

 public:
  explicit CDialogEx(UINT templateId, CWnd* parent = nullptr);

  DECLARE_MESSAGE_MAP()
};

// The dialog procedure of every framework dialog: calls OnInitDialog.
INT_PTR AfxDlgProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
