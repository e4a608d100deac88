#include "app.h"

#include "user.h"
#include "wnd.h"

namespace {
CWinApp* g_app = nullptr;
const CRuntimeClass* g_visualManager = nullptr;
}  // namespace

IMPLEMENT_DYNAMIC(CWinApp, CCmdTarget)

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
END_MESSAGE_MAP()

CWinApp::CWinApp(LPCWSTR appName) {
  if (appName != nullptr) SetAppName(appName);
  g_app = this;
}

CWinApp::~CWinApp() {
  if (g_app == this) g_app = nullptr;
}

void CWinApp::SetAppName(const std::wstring& name) {
  app_name_ = name;
  m_pszAppName = app_name_.c_str();
}

BOOL CWinApp::InitInstance() {
  return TRUE;
}

int CWinApp::Run() {
  in_run_ = TRUE;
  for (;;) {
    MSG peek;
    if (!::PeekMessageW(&peek, nullptr, 0, 0, PM_NOREMOVE)) AfxOnIdle();
    if (!AfxPumpMessage()) {
      exit_code_ = static_cast<int>(AfxGetCurrentMessage()->wParam);
      break;
    }
  }
  in_run_ = FALSE;
  return ExitInstance();
}

int CWinApp::ExitInstance() {
  return exit_code_;
}

void CWinApp::SetRegistryKey(LPCWSTR key) {
  registry_key_ = key != nullptr ? key : L"";
  m_pszRegistryKey = registry_key_.c_str();
}

CWinApp* AfxGetApp() {
  return g_app;
}

CWnd* AfxGetMainWnd() {
  return g_app != nullptr ? g_app->m_pMainWnd : nullptr;
}

HINSTANCE AfxGetInstanceHandle() {
  if (g_app != nullptr && g_app->m_hInstance != nullptr) return g_app->m_hInstance;
  return ::GetModuleHandleW(nullptr);
}

HINSTANCE AfxGetResourceHandle() {
  return AfxGetInstanceHandle();
}

HICON CWinApp::LoadIcon(UINT id) const {
  LPCWSTR name = MAKEINTRESOURCEW(id);
  return ::LoadIconW(AfxFindResourceHandle(name, RT_GROUP_ICON), name);
}

HINSTANCE AfxFindResourceHandle(LPCWSTR name, LPCWSTR type) {
  HINSTANCE resources = AfxGetResourceHandle();
  if (::FindResourceW(resources, name, type) != nullptr) return resources;
  HINSTANCE program = AfxGetInstanceHandle();
  if (program != resources && ::FindResourceW(program, name, type) != nullptr) return program;
  return resources;
}

int AfxWinMain() {
  CWinApp* app = AfxGetApp();
  if (app == nullptr) return -1;
  if (app->m_hInstance == nullptr) app->m_hInstance = ::GetModuleHandleW(nullptr);
  if (app->m_pszAppName == nullptr) app->SetAppName(user::InstanceName());
  if (!app->InitInstance()) {
    CWnd* main = app->m_pMainWnd;
    if (main != nullptr && ::IsWindow(main->m_hWnd)) main->DestroyWindow();
    return app->ExitInstance();
  }
  return app->Run();
}

IMPLEMENT_DYNCREATE(CMFCVisualManager, CObject)
IMPLEMENT_DYNCREATE(CMFCVisualManagerWindows, CMFCVisualManager)

void CMFCVisualManager::SetDefaultManager(const CRuntimeClass* managerClass) {
  g_visualManager = managerClass;
}

const CRuntimeClass* CMFCVisualManager::GetDefaultManager() {
  return g_visualManager;
}
