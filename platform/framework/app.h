// The application object: one per program, created as a global before the program's entry point.
//
// A program's main installs a host and calls AfxWinMain(), which runs the application's
// InitInstance. When InitInstance returns FALSE the program is done (AfxWinMain returns the exit
// code at once, without a message loop of its own); TRUE enters Run(), the message loop, which
// ends with WM_QUIT.
#pragma once

#include <string>

#include "msgmap.h"
#include "winuser.h"

class CWnd;

// The framework's Help command.
constexpr UINT ID_HELP = 0xE146;
// Restart-manager support flags (stored, nothing acts on them here).
constexpr DWORD AFX_RESTART_MANAGER_SUPPORT_RESTART = 0x01;

class CWinApp : public CCmdTarget {
  DECLARE_DYNAMIC(CWinApp)

 public:
  // appName null: the instance name (the executable's file name without its extension).
  explicit CWinApp(LPCWSTR appName = nullptr);
  ~CWinApp() override;
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  virtual BOOL InitInstance();
  virtual int Run();
  virtual int ExitInstance();

  // Remembers the registry key under which settings would be kept. Nothing is read or written.
  void SetRegistryKey(LPCWSTR key);
  // The framework's default Help handler: there is no help to show, so it does nothing.
  void OnHelp() {}
  // Icon resource `id` of the program; null when it is missing.
  HICON LoadIcon(UINT id) const;

  CWnd* m_pMainWnd = nullptr;
  LPCWSTR m_pszAppName = nullptr;
  LPCWSTR m_pszRegistryKey = nullptr;
  HINSTANCE m_hInstance = nullptr;
  DWORD m_dwRestartManagerSupportFlags = 0;

  // Framework use: AfxWinMain fills in the name and instance; Run's loop records the exit code.
  void SetAppName(const std::wstring& name);
  BOOL InRunLoop() const { return in_run_; }

 protected:
  DECLARE_MESSAGE_MAP()

 private:
  std::wstring app_name_;
  std::wstring registry_key_;
  BOOL in_run_ = FALSE;
  int exit_code_ = 0;
};

// The program's one application object (null before it is constructed or after it is gone).
CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
// The module that holds resource `name` of type `type` (the resource module first, then the
// program's own); the resource module when none does, so that loading from it fails as usual.
HINSTANCE AfxFindResourceHandle(LPCWSTR name, LPCWSTR type);

// Runs the application object: InitInstance, then Run when it returned TRUE. Returns the exit
// code (0 when InitInstance returned FALSE; -1 when there is no application object).
int AfxWinMain();

// The shell manager and the visual managers of the framework: a program creates them and picks
// one; the look of this system's windows does not depend on them.
class CShellManager : public CObject {};

class CMFCVisualManager : public CObject {
  DECLARE_DYNCREATE(CMFCVisualManager)

 public:
  static void SetDefaultManager(const CRuntimeClass* managerClass);
  static const CRuntimeClass* GetDefaultManager();
};

class CMFCVisualManagerWindows : public CMFCVisualManager {
  DECLARE_DYNCREATE(CMFCVisualManagerWindows)
};
