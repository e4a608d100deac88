// Taking over standard windows: the object handles what it wants, the class does the rest.
#include <algorithm>
#include <vector>

#include "test_support.h"

namespace {

// Records every message its window receives, then behaves as a plain button.
class CProbeButton : public CButton {
 public:
  std::vector<UINT> seen;
  BOOL eatPresses = FALSE;
  BOOL failCreate = FALSE;
  int ncDestroyed = 0;

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    seen.push_back(message);
    if (message == WM_CREATE && failCreate) return -1;
    if (eatPresses && (message == WM_LBUTTONDOWN || message == WM_LBUTTONUP)) return 0;
    return CButton::WindowProc(message, wParam, lParam);
  }
  void PostNcDestroy() override { ++ncDestroyed; }
};

// A parent that records the commands its children send.
class CParent : public CWnd {
 public:
  std::vector<std::pair<WPARAM, LPARAM>> commands;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    commands.emplace_back(wParam, lParam);
    return TRUE;
  }
};

class SubclassTest : public test::HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    ASSERT_TRUE(parent_.CreateEx(0, nullptr, L"parent", WS_POPUP | WS_VISIBLE, 200, 200, 300, 200,
                                 nullptr, nullptr));
  }
  CParent parent_;
};

TEST_F(SubclassTest, TheObjectSeesTheFirstMessagesAndTheButtonStillClicks) {
  CProbeButton button;
  ASSERT_TRUE(button.Create(L"Button", L"go", WS_CHILD | WS_VISIBLE, CRect(10, 10, 90, 40),
                            &parent_, 1509));
  const auto nccreate = std::find(button.seen.begin(), button.seen.end(), WM_NCCREATE);
  const auto create = std::find(button.seen.begin(), button.seen.end(), WM_CREATE);
  ASSERT_NE(button.seen.end(), create);
  EXPECT_LT(nccreate, create);
  EXPECT_EQ(&button, CWnd::FromHandlePermanent(button.m_hWnd));
  EXPECT_EQ(reinterpret_cast<LONG_PTR>(&AfxWndProc),
            ::GetWindowLongPtrW(button.m_hWnd, GWLP_WNDPROC));
  EXPECT_EQ(1509, button.GetDlgCtrlID());

  // The presses pass through the object to the standard button, which tells the parent.
  ThenClick(200 + 30, 200 + 20);
  Pump();
  ASSERT_EQ(1u, parent_.commands.size());
  EXPECT_EQ(MAKEWPARAM(1509, BN_CLICKED), parent_.commands[0].first);
  EXPECT_EQ(reinterpret_cast<LPARAM>(button.m_hWnd), parent_.commands[0].second);
  EXPECT_NE(button.seen.end(), std::find(button.seen.begin(), button.seen.end(), WM_LBUTTONUP));
}

TEST_F(SubclassTest, MessagesTheObjectHandlesNeverReachTheStandardButton) {
  CProbeButton button;
  button.eatPresses = TRUE;
  ASSERT_TRUE(
      button.Create(L"BUTTON", L"", WS_CHILD | WS_VISIBLE, CRect(10, 10, 90, 40), &parent_, 1510));
  ThenClick(200 + 30, 200 + 20);
  Pump();
  EXPECT_TRUE(parent_.commands.empty());
}

TEST_F(SubclassTest, FailedCreationLeavesTheObjectWithoutAWindow) {
  CProbeButton button;
  button.failCreate = TRUE;
  EXPECT_FALSE(button.Create(L"Button", L"", WS_CHILD, CRect(0, 0, 10, 10), &parent_, 1));
  EXPECT_EQ(nullptr, button.m_hWnd);
  EXPECT_EQ(1, button.ncDestroyed);
  // The object can try again.
  button.failCreate = FALSE;
  EXPECT_TRUE(button.Create(L"Button", L"", WS_CHILD, CRect(0, 0, 10, 10), &parent_, 1));
  // A window class nobody registered fails cleanly.
  CWnd nothing;
  EXPECT_FALSE(nothing.Create(L"NoSuchClass", L"", WS_CHILD, CRect(0, 0, 1, 1), &parent_, 2));
  EXPECT_EQ(nullptr, nothing.m_hWnd);
}

TEST_F(SubclassTest, DestroyingTheParentDetachesTheChildObject) {
  CProbeButton button;
  ASSERT_TRUE(button.Create(L"Button", L"", WS_CHILD, CRect(0, 0, 10, 10), &parent_, 3));
  HWND h = button.m_hWnd;
  parent_.DestroyWindow();
  EXPECT_EQ(nullptr, parent_.m_hWnd);
  EXPECT_EQ(nullptr, button.m_hWnd);
  EXPECT_EQ(1, button.ncDestroyed);
  EXPECT_EQ(static_cast<UINT>(WM_NCDESTROY), button.seen.back());
  EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(h));
}

TEST_F(SubclassTest, DestroyingTheObjectDestroysItsWindowWithoutCallingBack) {
  HWND h = nullptr;
  {
    CProbeButton button;
    ASSERT_TRUE(button.Create(L"Button", L"", WS_CHILD, CRect(0, 0, 10, 10), &parent_, 4));
    h = button.m_hWnd;
  }
  EXPECT_FALSE(::IsWindow(h));
  EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(h));
}

TEST_F(SubclassTest, TemporaryWrappersForWindowsNobodyOwns) {
  HWND plain = ::CreateWindowExW(0, L"Static", L"plain", WS_CHILD, 0, 0, 10, 10, parent_.m_hWnd,
                                 nullptr, nullptr, nullptr);
  ASSERT_NE(nullptr, plain);
  EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(plain));
  CWnd* temp = CWnd::FromHandle(plain);
  ASSERT_NE(nullptr, temp);
  EXPECT_EQ(plain, temp->m_hWnd);
  EXPECT_EQ(temp, CWnd::FromHandle(plain));
  EXPECT_EQ(&parent_, temp->GetParent());
  EXPECT_EQ(nullptr, CWnd::FromHandle(nullptr));
}

TEST_F(SubclassTest, DefaultPassesTheCurrentMessageOn) {
  // Default() passes the message on: the button's own procedure stores the text.
  class CTextButton : public CButton {
   public:
    int setTexts = 0;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
      if (message == WM_SETTEXT) {
        ++setTexts;
        return Default();
      }
      return CButton::WindowProc(message, wParam, lParam);
    }
  } button;
  ASSERT_TRUE(button.Create(L"Button", L"first", WS_CHILD, CRect(0, 0, 10, 10), &parent_, 5));
  button.SetWindowTextW(L"second");
  CString text;
  button.GetWindowTextW(text);
  EXPECT_EQ(CString(L"second"), text);
  EXPECT_GE(button.setTexts, 1);
}

}  // namespace
