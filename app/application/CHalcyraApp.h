// The application object: one instance at a time per desktop, the fonts every skinned control
// borrows, and the main window run modally. The program ends when the main window closes.
#pragma once

#include <memory>

#include "afxwin.h"
#include "app_fonts.h"

class CHalcyraApp : public CWinApp, public CAppFonts {
 public:
  CHalcyraApp();
  ~CHalcyraApp() override;

  // Brings a running instance to the front instead of starting a second one; otherwise prepares
  // the framework and the fonts and runs the main window. Always FALSE: when it returns, the
  // program is done.
  BOOL InitInstance() override;

  // Makes sure each face of the font table is there (adding its font file where it is missing),
  // then creates the normal and the bold font. FALSE, creating no font, when a missing face
  // cannot be added.
  BOOL InitFonts();

  // A font the program needs, and the file that provides it where the system lacks it.
  struct FontFile {
    LPCWSTR face;
    LPCWSTR file;
    BOOL installNeeded;
  };
  FontFile m_fontFiles[1] = {{L"Arial", L"arial.ttf", TRUE}};

 protected:
  DECLARE_MESSAGE_MAP()

 private:
  // The running main window of another instance, or null when none is shown.
  CWnd* FindRunningInstance() const;
  void ReleaseFonts();

  // The single-instance marker; held, never closed, until the process ends.
  HANDLE m_hInstanceMarker = nullptr;
  std::unique_ptr<CShellManager> m_pShellManager;
};

// The program's one application object.
extern CHalcyraApp theApp;
