#include "demo_app.h"

#include "demo_dlg.h"

namespace demo {

CDemoApp::CDemoApp() = default;

BOOL CDemoApp::InitInstance() {
  CWinApp::InitInstance();
  CDemoDlg dlg;
  m_pMainWnd = &dlg;
  dlg.DoModal();
  m_pMainWnd = nullptr;
  // The window is closed: end the program without a message loop of its own.
  return FALSE;
}

}  // namespace demo

// The one application object.
demo::CDemoApp theApp;
