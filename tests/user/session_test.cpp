// A new host starts a new session of the window system: nothing of the previous host's run is
// left, while what the process registered once stays.
#include "user_test_support.h"

namespace usertest {
namespace {

int g_hook_calls = 0;
LRESULT CountingHook(int code, WPARAM wParam, LPARAM lParam) {
  ++g_hook_calls;
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

int g_timer_calls = 0;
void CountingTimer(HWND, UINT, UINT_PTR, DWORD) {
  ++g_timer_calls;
}

class SessionTest : public UserTest {
 protected:
  void TearDown() override {
    user::SetTopLevelObserver(nullptr);
    UserTest::TearDown();
  }
};

TEST_F(SessionTest, ANewHostStartsCleanAfterARunThatLeftEverythingBehind) {
  int shown = 0;
  user::SetTopLevelObserver([&](const user::TopLevelEvent& e) {
    shown += e.kind == user::TopLevelEvent::Kind::kShown ? 1 : 0;
  });
  HWND old = TopLevel(0, 0, 100, 100, WS_POPUP | WS_VISIBLE | WS_SYSMENU);
  host_->KeyDown(VK_SHIFT);
  Pump();
  SetCapture(old);
  SetTimer(nullptr, 0, 10, CountingTimer);  // belongs to no window, so no window takes it along
  PostMessageW(nullptr, WM_USER, 0, 0);
  PostQuitMessage(5);
  HHOOK hook = SetWindowsHookExW(WH_CBT, CountingHook, nullptr, GetCurrentThreadId());
  HMENU menu = GetSystemMenu(old, FALSE);
  HDC dc = GetDC(nullptr);  // never released
  ASSERT_EQ(GetCapture(), old);
  ASSERT_TRUE(GetKeyState(VK_SHIFT) & 0x8000);
  ASSERT_GT(GetMenuItemCount(menu), 0);
  ASSERT_EQ(shown, 1);

  // As one test ends and the next begins.
  user::SetHost(nullptr);
  host_ = std::make_unique<host::HeadlessHost>();
  user::SetHost(host_.get());

  EXPECT_FALSE(IsWindow(old));
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(GetFocus(), nullptr);
  EXPECT_EQ(GetActiveWindow(), nullptr);
  EXPECT_EQ(GetKeyState(VK_SHIFT), 0);
  EXPECT_EQ(GetAsyncKeyState(VK_SHIFT), 0);
  EXPECT_EQ(GetMenuItemCount(menu), -1);
  EXPECT_EQ(ReleaseDC(nullptr, dc), 0);
  MSG m;
  EXPECT_FALSE(PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE));  // neither the message nor the quit

  g_hook_calls = 0;
  g_timer_calls = 0;
  HWND fresh = TopLevel(0, 0, 50, 50);
  Wait(100);
  EXPECT_EQ(g_hook_calls, 0);
  EXPECT_EQ(g_timer_calls, 0);
  EXPECT_FALSE(UnhookWindowsHookEx(hook));

  // The class registered once, the observer installed once and the handle counter carry on: the
  // old handle does not come back as the new window.
  ASSERT_NE(fresh, nullptr);
  EXPECT_NE(fresh, old);
  EXPECT_EQ(shown, 2);
}

}  // namespace
}  // namespace usertest
