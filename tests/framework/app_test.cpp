// The application object: AfxWinMain runs InitInstance, which runs the main dialog.
#include <string>

#include "test_support.h"

namespace {

constexpr UINT kMainTemplate = 310;

class CMainDlg : public CDialogEx {
 public:
  CMainDlg() : CDialogEx(kMainTemplate) { m_nEffect = 8; }
  int m_nEffect = 0;
};

class CProgramApp : public CWinApp {
 public:
  using CWinApp::CWinApp;
  INT_PTR dialogResult = 0;
  int effect = 0;
  BOOL mainWasSet = FALSE;
  BOOL answer = FALSE;

  BOOL InitInstance() override {
    CWinApp::InitInstance();
    SetRegistryKey(L"local key");
    {
      CMainDlg dlg;
      m_pMainWnd = &dlg;
      mainWasSet = AfxGetMainWnd() == &dlg;
      dialogResult = dlg.DoModal();
      effect = dlg.m_nEffect;
    }
    return answer;
  }
};

class AppTest : public test::HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    resources_.AddDialog(kMainTemplate,
                         "STYLE 0x90080048\nEXSTYLE 0x00040000\nSIZE 100 50\nCAPTION \"\"\n"
                         "FONT 9 400 \"MS Shell Dlg\"\n");
    resources_.Install();
  }
};

TEST_F(AppTest, InitInstanceReturningFalseEndsTheProgramAfterTheDialog) {
  CProgramApp app(L"halcyra");
  EXPECT_EQ(&app, AfxGetApp());
  ThenKey(VK_ESCAPE);
  EXPECT_EQ(0, AfxWinMain());
  EXPECT_EQ(IDCANCEL, app.dialogResult);
  EXPECT_EQ(8, app.effect);
  EXPECT_TRUE(app.mainWasSet);
  // The main window's destruction let go of it.
  EXPECT_EQ(nullptr, app.m_pMainWnd);
  EXPECT_EQ(std::wstring(L"local key"), app.m_pszRegistryKey);
  EXPECT_EQ(std::wstring(L"halcyra"), app.m_pszAppName);
  // No window is left.
  EXPECT_TRUE(host_.VisibleWindows().empty());
}

TEST_F(AppTest, WithoutANameTheInstanceNameIsUsed) {
  user::SetInstanceName(L"halcyra-headless");
  CProgramApp app;
  ThenKey(VK_ESCAPE);
  AfxWinMain();
  EXPECT_EQ(std::wstring(L"halcyra-headless"), app.m_pszAppName);
  EXPECT_NE(nullptr, AfxGetInstanceHandle());
}

TEST_F(AppTest, InitInstanceReturningTrueRunsTheLoopUntilTheMainWindowGoes) {
  class CFrameApp : public CWinApp {
   public:
    CFrameApp() : CWinApp(L"frame") {}
    CWnd frame;
    BOOL InitInstance() override {
      frame.CreateEx(0, nullptr, L"frame", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr);
      m_pMainWnd = &frame;
      return TRUE;
    }
  } app;
  Then([&] { app.frame.PostMessage(WM_CLOSE); });
  EXPECT_EQ(0, AfxWinMain());
  EXPECT_EQ(nullptr, app.frame.m_hWnd);
}

TEST(AppWithoutObjectTest, NoApplicationObjectMeansNoProgram) {
  EXPECT_EQ(nullptr, AfxGetApp());
  EXPECT_EQ(-1, AfxWinMain());
  EXPECT_EQ(nullptr, AfxGetMainWnd());
}

using AppServicesTest = test::HostTest;

TEST_F(AppServicesTest, StringsLoad) {
  resources_.AddString(3101, "关于 Halcyra(&A)...\n");
  resources_.Install();
  CString about;
  EXPECT_TRUE(about.LoadString(3101));
  EXPECT_EQ(CString(L"关于 Halcyra(&A)..."), about);
  CString missing(L"stale");
  EXPECT_FALSE(missing.LoadString(3999));
  EXPECT_TRUE(missing.IsEmpty());
}

TEST_F(AppServicesTest, BitmapsAreFoundInTheProgramsResources) {
  resources_.AddBitmap(3196, test::MakeBmp(24, 28, [](int, int) { return 0x102030u; }));
  resources_.Install();
  LPCWSTR name = MAKEINTRESOURCEW(3196);
  HINSTANCE module = AfxFindResourceHandle(name, RT_BITMAP);
  EXPECT_EQ(AfxGetResourceHandle(), module);
  EXPECT_NE(nullptr, ::FindResourceW(module, name, RT_BITMAP));
  CBitmap bitmap;
  ASSERT_TRUE(bitmap.LoadBitmap(3196));
  BITMAP bm{};
  ASSERT_NE(0, bitmap.GetBitmap(&bm));
  EXPECT_EQ(24, bm.bmWidth);
  // A missing picture: the look-up still names a module, and loading from it fails.
  EXPECT_EQ(AfxGetResourceHandle(), AfxFindResourceHandle(MAKEINTRESOURCEW(3197), RT_BITMAP));
}

TEST_F(AppServicesTest, TheProgramsIconLoadsAndDraws) {
  resources_.AddIcon(3128, test::MakeBmp(32, 32, [](int, int) { return 0xC08040u; }));
  resources_.Install();
  CWinApp app(L"halcyra");
  HICON icon = app.LoadIcon(3128);
  ASSERT_NE(nullptr, icon);
  EXPECT_EQ(icon, app.LoadIcon(3128));  // loaded once, shared
  EXPECT_EQ(nullptr, app.LoadIcon(3129));
  CBitmap canvas;  // outlives the context it is selected into
  ASSERT_TRUE(canvas.CreateBitmap(40, 40, 1, 32, nullptr));
  CDC dc;
  ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
  dc.SelectObject(&canvas);
  EXPECT_TRUE(dc.DrawIcon(4, 4, icon));
  EXPECT_EQ(RGB(0xC0, 0x80, 0x40), dc.GetPixel(20, 20));
}

}  // namespace
