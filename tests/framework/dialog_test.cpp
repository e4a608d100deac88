// Modal dialogs: first messages in order, keys through PreTranslateMessage, ways to end.
#include <string>
#include <vector>

#include "test_support.h"

namespace {

constexpr UINT kTemplate = 300;
constexpr UINT kTemplateNoButtons = 301;
constexpr UINT kMissingTemplate = 399;

// A test application: records the Help commands that reach it.
class CTestApp : public CWinApp {
 public:
  CTestApp() : CWinApp(L"dialogtest") {}
  int helps = 0;
  void OnHelpProbe() { ++helps; }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CTestApp, CWinApp)
ON_COMMAND(ID_HELP, &CTestApp::OnHelpProbe)
END_MESSAGE_MAP()

class CProbeDlg : public CDialogEx {
 public:
  explicit CProbeDlg(UINT id = kTemplate, CWnd* parent = nullptr) : CDialogEx(id, parent) {}

  std::vector<std::string> log;
  BOOL eatEscape = FALSE;
  BOOL endInInit = FALSE;
  BOOL failCreate = FALSE;
  BOOL visibleAtInit = TRUE;
  BOOL ownerEnabledAtInit = TRUE;
  BOOL ownerEnabledAtHide = FALSE;
  HWND owner = nullptr;

  BOOL OnInitDialog() override {
    CDialogEx::OnInitDialog();
    log.push_back("init");
    visibleAtInit = IsWindowVisible();
    owner = ::GetParent(m_hWnd);
    ownerEnabledAtInit = owner != nullptr && ::IsWindowEnabled(owner);
    if (endInInit) EndDialog(42);
    return TRUE;
  }
  BOOL PreTranslateMessage(MSG* msg) override {
    if (msg->message == WM_KEYDOWN) {
      log.push_back("pretranslate key " + std::to_string(msg->wParam));
      if (eatEscape && msg->wParam == VK_ESCAPE) return TRUE;
    }
    return CDialogEx::PreTranslateMessage(msg);
  }
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    log.push_back("command " + std::to_string(LOWORD(wParam)) + (lParam != 0 ? " ctl" : " none"));
    return CDialogEx::OnCommand(wParam, lParam);
  }
  void OnOK() override {
    log.push_back("ok");
    CDialogEx::OnOK();
  }
  void OnCancel() override {
    log.push_back("cancel");
    CDialogEx::OnCancel();
  }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_WINDOWPOSCHANGED) {
      const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
      if ((pos->flags & SWP_HIDEWINDOW) != 0 && owner != nullptr) {
        ownerEnabledAtHide = ::IsWindowEnabled(owner);
      }
    }
    return CDialogEx::WindowProc(message, wParam, lParam);
  }

 protected:
  int OnCreate(LPCREATESTRUCTW cs) {
    if (CDialogEx::OnCreate(cs) == -1) return -1;
    log.push_back("create");
    return failCreate ? -1 : 0;
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CProbeDlg, CDialogEx)
ON_WM_CREATE()
END_MESSAGE_MAP()

class DialogTest : public test::HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    resources_.AddDialog(kTemplate,
                         "STYLE 0x80080048\nEXSTYLE 0\nSIZE 120 60\nCAPTION \"\"\n"
                         "FONT 8 400 \"MS Shell Dlg\"\n"
                         "CONTROL 1 \"Button\" 0x50010001 10 10 40 14 \"OK\"\n");
    resources_.AddDialog(kTemplateNoButtons,
                         "STYLE 0x80080048\nEXSTYLE 0\nSIZE 120 60\nCAPTION \"\"\n"
                         "FONT 8 400 \"MS Shell Dlg\"\n");
    resources_.Install();
    ASSERT_TRUE(main_.CreateEx(0, nullptr, L"main", WS_POPUP | WS_VISIBLE, 10, 10, 400, 300,
                               nullptr, nullptr));
    app_.m_pMainWnd = &main_;
  }
  void TearDown() override {
    app_.m_pMainWnd = nullptr;
    HostTest::TearDown();
  }

  CTestApp app_;
  CWnd main_;
};

TEST_F(DialogTest, EscapeCancelsAfterTheFirstMessagesInOrder) {
  CProbeDlg dlg;
  ThenKey(VK_ESCAPE);
  EXPECT_EQ(IDCANCEL, dlg.DoModal());
  EXPECT_EQ((std::vector<std::string>{"create", "init", "pretranslate key 27", "command 2 none",
                                      "cancel"}),
            dlg.log);
  // Shown only once the queue ran empty, after initialisation.
  EXPECT_FALSE(dlg.visibleAtInit);
  EXPECT_EQ(nullptr, dlg.m_hWnd);
}

TEST_F(DialogTest, PreTranslateMessageSeesKeysFirstAndCanEatThem) {
  CProbeDlg dlg;
  dlg.eatEscape = TRUE;
  ThenKey(VK_ESCAPE);
  ThenKey(VK_RETURN);
  EXPECT_EQ(IDOK, dlg.DoModal());
  EXPECT_EQ((std::vector<std::string>{"create", "init", "pretranslate key 27",
                                      "pretranslate key 13", "command 1 ctl", "ok"}),
            dlg.log);
}

TEST_F(DialogTest, EndingDuringInitialisationNeverShowsTheDialog) {
  CProbeDlg dlg;
  dlg.endInInit = TRUE;
  EXPECT_EQ(42, dlg.DoModal());
  EXPECT_EQ((std::vector<std::string>{"create", "init"}), dlg.log);
  EXPECT_TRUE(host_.VisibleWindows().size() == 1u);  // only the main window was ever shown
  EXPECT_TRUE(main_.IsWindowEnabled());
}

TEST_F(DialogTest, CreationFailuresReturnMinusOne) {
  CProbeDlg failing;
  failing.failCreate = TRUE;
  EXPECT_EQ(-1, failing.DoModal());
  EXPECT_EQ(nullptr, failing.m_hWnd);
  EXPECT_TRUE(main_.IsWindowEnabled());

  CProbeDlg missing(kMissingTemplate);
  EXPECT_EQ(-1, missing.DoModal());
  EXPECT_TRUE(main_.IsWindowEnabled());
}

TEST_F(DialogTest, UnhandledCommandsGoOnToTheApplication) {
  CProbeDlg dlg;
  Then([&] { dlg.SendMessage(WM_COMMAND, ID_HELP, 0); });
  ThenKey(VK_ESCAPE);
  dlg.DoModal();
  EXPECT_EQ(1, app_.helps);
}

// Filters commands as a skinned main window does: Help and cancels naming no control drop.
class CFilteringDlg : public CDialogEx {
 public:
  CFilteringDlg() : CDialogEx(kTemplateNoButtons) {}

  CButton closeButton;      // a member: its click ends the dialog
  HWND stranger = nullptr;  // a child window no member owns
  std::vector<std::string> log;

  BOOL OnInitDialog() override {
    CDialogEx::OnInitDialog();
    closeButton.Create(L"x", WS_CHILD | WS_VISIBLE, CRect(0, 0, 20, 20), this, 1514);
    stranger = ::CreateWindowExW(0, L"Button", L"?", WS_CHILD | WS_VISIBLE, 30, 0, 20, 20, m_hWnd,
                                 reinterpret_cast<HMENU>(UINT_PTR{1509}), nullptr, nullptr);
    return TRUE;
  }
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    if (wParam == ID_HELP || (wParam == IDCANCEL && lParam == 0)) {
      log.push_back("dropped " + std::to_string(wParam));
      return FALSE;
    }
    if (lParam != 0 && reinterpret_cast<HWND>(lParam) == closeButton.m_hWnd) OnOK();
    const BOOL routed = CWnd::OnCommand(wParam, lParam);
    log.push_back("passed " + std::to_string(LOWORD(wParam)) + (routed ? " routed" : " unrouted"));
    return routed;
  }
  void OnOK() override {
    log.push_back("ok");
    CDialogEx::OnOK();
  }
  void OnCancel() override {
    log.push_back("cancel");
    CDialogEx::OnCancel();
  }
};

TEST_F(DialogTest, DroppedCancelsKeepTheDialogOpenAndStrangersPassHarmlessly) {
  CFilteringDlg dlg;
  ThenKey(VK_ESCAPE);
  Then([&] {
    // Posted messages keep their order: the cancel the close posts comes before the rest.
    dlg.SendMessage(WM_SYSCOMMAND, SC_CLOSE);
    dlg.PostMessage(WM_COMMAND, ID_HELP, 0);
    dlg.PostMessage(WM_COMMAND, MAKEWPARAM(1509, BN_CLICKED),
                    reinterpret_cast<LPARAM>(dlg.stranger));
    // IDOK from a window that is no member: the default routing ends the dialog.
    dlg.PostMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                    reinterpret_cast<LPARAM>(dlg.stranger));
  });
  EXPECT_EQ(IDOK, dlg.DoModal());
  EXPECT_EQ((std::vector<std::string>{"dropped 2", "dropped 2", "dropped 57670",
                                      "passed 1509 unrouted", "ok", "passed 1 routed"}),
            dlg.log);
  EXPECT_EQ(0, app_.helps);
}

TEST_F(DialogTest, AMemberThatEndsTheDialogStillPassesItsCommandOn) {
  CFilteringDlg closing;
  Then([&] {
    RECT rc;
    ::GetWindowRect(closing.closeButton.m_hWnd, &rc);
    host_.MovePointer({rc.left + 5, rc.top + 5});
    host_.PressButton();
    host_.ReleaseButton();
  });
  EXPECT_EQ(IDOK, closing.DoModal());
  EXPECT_EQ((std::vector<std::string>{"ok", "passed 1514 unrouted"}), closing.log);

  // A cancel that names a control window is not dropped: the default routing cancels.
  CFilteringDlg cancelled;
  Then([&] {
    cancelled.PostMessage(WM_COMMAND, IDCANCEL, reinterpret_cast<LPARAM>(cancelled.stranger));
  });
  EXPECT_EQ(IDCANCEL, cancelled.DoModal());
  EXPECT_EQ((std::vector<std::string>{"cancel", "passed 2 routed"}), cancelled.log);
}

TEST_F(DialogTest, AMinimisedDialogReportsItsRestoreRectangleUntilTheHostRestoresIt) {
  CFilteringDlg dlg;
  CRect before;
  WINDOWPLACEMENT minimised{};
  WINDOWPLACEMENT restored{};
  host::NativeWindow native = 0;
  Then([&] {
    dlg.GetWindowRect(&before);
    for (host::NativeWindow n : host_.VisibleWindows()) {
      if (host_.WindowRect(n)->left == before.left && host_.WindowRect(n)->top == before.top)
        native = n;
    }
    dlg.ShowWindow(SW_MINIMIZE);
    dlg.GetWindowPlacement(&minimised);
    host::Event ev;
    ev.type = host::EventType::kWindowState;
    ev.window = native;
    ev.minimized = false;
    host_.PostEvent(ev);  // the user brings it back from the taskbar
  });
  Then([&] {
    dlg.GetWindowPlacement(&restored);
    dlg.EndDialog(IDOK);
  });
  EXPECT_EQ(IDOK, dlg.DoModal());
  ASSERT_NE(0u, native);
  EXPECT_EQ(static_cast<UINT>(SW_SHOWMINIMIZED), minimised.showCmd);
  EXPECT_EQ(before, CRect(minimised.rcNormalPosition));
  EXPECT_EQ(static_cast<UINT>(SW_SHOWNORMAL), restored.showCmd);
  EXPECT_EQ(before, CRect(restored.rcNormalPosition));
}

TEST_F(DialogTest, NestedDialogsOwnTheLastActiveWindow) {
  class COuter : public CProbeDlg {
   public:
    CProbeDlg inner;
    INT_PTR innerResult = 0;
    HWND innerOwner = nullptr;
    HWND self = nullptr;
    BOOL OnInitDialog() override {
      CProbeDlg::OnInitDialog();
      PostMessage(WM_APP);
      return TRUE;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
      if (message == WM_APP) {
        self = m_hWnd;
        innerResult = inner.DoModal();
        innerOwner = inner.owner;
        return 0;
      }
      return CProbeDlg::WindowProc(message, wParam, lParam);
    }
  } outer;
  app_.m_pMainWnd = &outer;
  ThenKey(VK_RETURN);  // ends the inner dialog
  ThenKey(VK_ESCAPE);  // then the outer one
  EXPECT_EQ(IDCANCEL, outer.DoModal());
  EXPECT_EQ(IDOK, outer.innerResult);
  EXPECT_EQ(outer.self, outer.innerOwner);
  EXPECT_FALSE(outer.inner.ownerEnabledAtInit);
  EXPECT_TRUE(outer.inner.ownerEnabledAtHide);
}

}  // namespace
