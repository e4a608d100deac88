#include "CHalcyraApp.h"

#include <algorithm>
#include <iterator>

#include "CHalcyraDlg.h"

namespace {

// Ends the enumeration at the first family reported under exactly the face asked for.
int CALLBACK MatchFace(const LOGFONTW* lf, const TEXTMETRICW* /*tm*/, DWORD /*fontType*/,
                       LPARAM lParam) {
  auto* entry = reinterpret_cast<CHalcyraApp::FontFile*>(lParam);
  if (std::wcscmp(lf->lfFaceName, entry->face) != 0) return 1;
  entry->installNeeded = FALSE;
  return 0;
}

LOGFONTW FontRecord(LPCWSTR face, LONG height, LONG weight, BYTE quality) {
  LOGFONTW lf{};
  lf.lfHeight = height;
  lf.lfWeight = weight;
  lf.lfQuality = quality;
  const std::size_t length = std::min<std::size_t>(std::wcslen(face), LF_FACESIZE - 1);
  std::copy_n(face, length, lf.lfFaceName);
  return lf;
}

}  // namespace

BEGIN_MESSAGE_MAP(CHalcyraApp, CWinApp)
ON_COMMAND(ID_HELP, &CWinApp::OnHelp)
END_MESSAGE_MAP()

CHalcyraApp::CHalcyraApp() {
  m_dwRestartManagerSupportFlags = AFX_RESTART_MANAGER_SUPPORT_RESTART;
}

CHalcyraApp::~CHalcyraApp() = default;

CWnd* CHalcyraApp::FindRunningInstance() const {
  CWnd* desktop = CWnd::GetDesktopWindow();
  if (desktop == nullptr) return nullptr;
  for (CWnd* wnd = desktop->GetWindow(GW_CHILD); wnd != nullptr && ::IsWindow(wnd->m_hWnd);
       wnd = wnd->GetWindow(GW_HWNDNEXT)) {
    if (::GetPropW(wnd->m_hWnd, m_pszAppName) != nullptr) return wnd;
  }
  return nullptr;
}

BOOL CHalcyraApp::InitInstance() {
  HANDLE marker = ::CreateSemaphoreW(nullptr, 1, 1, m_pszAppName);
  if (::GetLastError() == ERROR_ALREADY_EXISTS) {
    ::CloseHandle(marker);
    // Without a main window to show (the other instance is starting or ending), this one runs.
    if (CWnd* running = FindRunningInstance()) {
      // The pop-up is taken first: bringing its owner forward must not make the owner its own
      // last active pop-up.
      CWnd* popup = running->GetLastActivePopup();
      if (running->IsIconic()) running->ShowWindow(SW_RESTORE);
      running->SetForegroundWindow();
      if (popup != nullptr) popup->SetForegroundWindow();
      return FALSE;
    }
  } else if (m_hInstanceMarker == nullptr) {
    m_hInstanceMarker = marker;
  } else {
    ::CloseHandle(marker);  // this process already holds its marker
  }

  INITCOMMONCONTROLSEX icc{};
  icc.dwSize = sizeof icc;
  icc.dwICC = ICC_WIN95_CLASSES;
  ::InitCommonControlsEx(&icc);

  CWinApp::InitInstance();
  AfxEnableControlContainer();
  m_pShellManager = std::make_unique<CShellManager>();
  CMFCVisualManager::SetDefaultManager(RUNTIME_CLASS(CMFCVisualManagerWindows));

  SetRegistryKey(L"应用程序向导生成的本地应用程序");

  InitFonts();

  {
    CHalcyraDlg dialog;
    m_pMainWnd = &dialog;
    dialog.DoModal();
    m_pMainWnd = nullptr;
  }

  m_pShellManager.reset();
  // Nothing is left that draws with the fonts.
  ReleaseFonts();
  return FALSE;
}

BOOL CHalcyraApp::InitFonts() {
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  for (FontFile& entry : m_fontFiles) {
    ::EnumFontFamiliesW(dc.m_hDC, entry.face, &MatchFace, reinterpret_cast<LPARAM>(&entry));
    if (entry.installNeeded && ::AddFontResourceW(entry.file) == 0) {
      dc.DeleteDC();
      return FALSE;
    }
  }
  dc.DeleteDC();

  ReleaseFonts();
  const LOGFONTW normal = FontRecord(m_fontFiles[0].face, 14, 0, PROOF_QUALITY);
  const LOGFONTW bold = FontRecord(m_fontFiles[0].face, 18, FW_BOLD, DRAFT_QUALITY);
  m_hFonts[kNormalFont] = ::CreateFontIndirectW(&normal);
  m_hFonts[kBoldFont] = ::CreateFontIndirectW(&bold);
  return TRUE;
}

void CHalcyraApp::ReleaseFonts() {
  for (HFONT& font : m_hFonts) {
    if (font != nullptr) ::DeleteObject(font);
    font = nullptr;
  }
}

CHalcyraApp theApp;
