// Start-up services: the desktop walk, strings, icons, metrics, the common controls.
#include "user_test_support.h"

namespace usertest {
namespace {

class StartupTest : public UserTest {};

TEST_F(StartupTest, TheDesktopWalkFindsAnotherProcessWindowByItsMarker) {
  ForwardingHost fh(host_.get());
  fh.foreign = {
      {9001, {}, false, 0}, {9002, {{"user_tests", 1}}, true, 9003}, {9003, {}, false, 0}};
  user::SetHost(&fh);
  HWND mine = TopLevel(0, 0, 10, 10);
  HWND found = nullptr;
  int walked = 0;
  for (HWND h = GetWindow(GetDesktopWindow(), GW_CHILD); h && IsWindow(h);
       h = GetWindow(h, GW_HWNDNEXT)) {
    ++walked;
    if (GetPropW(h, L"User_Tests")) {
      found = h;
      break;
    }
  }
  EXPECT_EQ(walked, 3);  // this process's window, then 9001, then 9002
  ASSERT_NE(found, nullptr);
  EXPECT_NE(found, mine);
  EXPECT_EQ(GetPropW(found, L"USER_TESTS"), reinterpret_cast<HANDLE>(1));
  EXPECT_TRUE(IsIconic(found));
  ShowWindow(found, SW_RESTORE);
  EXPECT_FALSE(IsIconic(found));
  SetForegroundWindow(found);
  HWND popup = GetLastActivePopup(found);
  ASSERT_NE(popup, nullptr);
  EXPECT_NE(popup, found);
  SetForegroundWindow(popup);
  EXPECT_EQ(fh.calls, (std::vector<std::string>{"restore 9002", "activate 9002", "activate 9003"}));
  EXPECT_EQ(GetLastActivePopup(GetWindow(mine, GW_HWNDNEXT)), GetWindow(mine, GW_HWNDNEXT));
  user::SetHost(host_.get());
}

TEST_F(StartupTest, StringsIconsAndTheModuleComeFromTheResources) {
  wchar_t buf[64];
  EXPECT_EQ(LoadStringW(GetModuleHandleW(nullptr), 101, buf, 64), 17);
  EXPECT_EQ(std::wstring(buf), L"关于 Halcyra(&A)...");
  EXPECT_EQ(LoadStringW(nullptr, 101, buf, 5), 4);
  EXPECT_EQ(std::wstring(buf), L"关于 H");
  EXPECT_EQ(LoadStringW(nullptr, 4242, buf, 64), 0);
  EXPECT_EQ(buf[0], 0);
  HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(128));
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(LoadIconW(nullptr, MAKEINTRESOURCEW(999)), nullptr);
  EXPECT_NE(GetModuleHandleW(nullptr), nullptr);
  EXPECT_EQ(user::InstanceName(), L"user_tests");
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
  EXPECT_TRUE(InitCommonControlsEx(&icc));
  icc.dwSize = 4;
  EXPECT_FALSE(InitCommonControlsEx(&icc));
  const INITCOMMONCONTROLSEX asTheProgramFillsIt{8, 0xFF};
  EXPECT_TRUE(InitCommonControlsEx(&asTheProgramFillsIt));
}

TEST_F(StartupTest, MetricsAgreeWithTheFrameTheWindowSystemDraws) {
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1280);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 800);
  EXPECT_EQ(GetSystemMetrics(SM_CXICON), 32);
  HWND w = TopLevel(10, 10, 200, 100, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE);
  RECT wr, cr;
  GetWindowRect(w, &wr);
  GetClientRect(w, &cr);
  int frame = GetSystemMetrics(SM_CXDLGFRAME);
  EXPECT_EQ(wr.right - wr.left - cr.right, 2 * frame);
  EXPECT_EQ(wr.bottom - wr.top - cr.bottom,
            GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYDLGFRAME));
  POINT origin{0, 0};
  ClientToScreen(w, &origin);
  EXPECT_EQ(origin.y, 10 + GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYDLGFRAME));
  // The title bar is the caption: a drag there moves the window.
  Pump();
  host_->MovePointer({60, 10 + frame + 5});
  host_->PressButton();
  host_->MovePointer({70, 10 + frame + 25});
  host_->ReleaseButton();
  Pump();
  GetWindowRect(w, &wr);
  EXPECT_EQ(wr.left, 20);
  EXPECT_EQ(wr.top, 30);
}

}  // namespace
}  // namespace usertest
