// A new host starts a new session: nothing of the last run is left, registrations stay.
#include <ostream>

#include "user_test_support.h"
#include "winbase.h"

namespace user {

// Readable failures.
void PrintTo(const LiveObjects& live, std::ostream* out) {
  *out << "windows " << live.windows << ", timers " << live.timers << ", menus " << live.menus
       << ", hooks " << live.hooks << ", kernel handles " << live.kernel_handles << ", bitmaps "
       << live.gdi.bitmaps << ", DCs " << live.gdi.device_contexts << ", regions "
       << live.gdi.regions << ", brushes " << live.gdi.brushes << ", pens " << live.gdi.pens
       << ", fonts " << live.gdi.fonts;
}

}  // namespace user

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
  ASSERT_TRUE(AppendMenuW(menu, MF_SEPARATOR, 0, nullptr));
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
  EXPECT_FALSE(AppendMenuW(menu, MF_SEPARATOR, 0, nullptr));  // the old handle is gone
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

  // Registrations and the handle counter carry on: the old handle is not reused.
  ASSERT_NE(fresh, nullptr);
  EXPECT_NE(fresh, old);
  EXPECT_EQ(shown, 2);
}

// Each count follows its own kind, so a soak can say which kind grows.
TEST_F(SessionTest, LiveObjectCountsFollowEachKindAndComeBackWhenAllIsReleased) {
  const auto window = [this] {
    HWND top = TopLevel(0, 0, 100, 100, WS_POPUP | WS_VISIBLE | WS_SYSMENU);
    Child(top, 1, 0, 0, 10, 10);
    Pump();
    return top;
  };
  // A first window loads what the layer keeps for the process (the backgrounds' brushes).
  DestroyWindow(window());
  Pump();
  const user::LiveObjects start = user::LiveObjectCounts();

  HWND top = window();
  SetTimer(top, 1, 100, nullptr);
  GetSystemMenu(top, FALSE);
  HANDLE semaphore = CreateSemaphoreW(nullptr, 1, 1, L"halcyra-live-count");
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateBitmap(4, 4, 1, 32, nullptr);
  HRGN region = CreateRectRgn(0, 0, 1, 1);
  HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
  LOGFONTW lf{};
  lf.lfHeight = 12;
  HFONT font = CreateFontIndirectW(&lf);

  user::LiveObjects live = user::LiveObjectCounts();
  EXPECT_EQ(start.windows + 2, live.windows);
  EXPECT_EQ(start.timers + 1, live.timers);
  EXPECT_EQ(start.menus + 1, live.menus);
  EXPECT_EQ(start.kernel_handles + 1, live.kernel_handles);
  // The window's picture is a bitmap of its own.
  EXPECT_LE(start.gdi.bitmaps + 1, live.gdi.bitmaps);
  EXPECT_EQ(start.gdi.device_contexts + 1, live.gdi.device_contexts);
  EXPECT_EQ(start.gdi.brushes + 1, live.gdi.brushes);
  EXPECT_EQ(start.gdi.pens + 1, live.gdi.pens);
  EXPECT_EQ(start.gdi.fonts + 1, live.gdi.fonts);
  EXPECT_LE(start.gdi.regions + 1, live.gdi.regions);

  for (HGDIOBJ object :
       {static_cast<HGDIOBJ>(bitmap), static_cast<HGDIOBJ>(region), static_cast<HGDIOBJ>(brush),
        static_cast<HGDIOBJ>(pen), static_cast<HGDIOBJ>(font)}) {
    DeleteObject(object);
  }
  DeleteDC(dc);
  CloseHandle(semaphore);
  DestroyWindow(top);  // takes its child, its timer and its menu along
  Pump();
  EXPECT_EQ(start, user::LiveObjectCounts());
}

}  // namespace
}  // namespace usertest
