// Window life, show states, properties, regions, placement, per-window data and the desktop walk.
#include "user_test_support.h"

namespace usertest {
namespace {

class WindowTest : public UserTest {};

TEST_F(WindowTest, CreationAndDestructionSendTheirMessagesInOrder) {
  J().ignored = {WM_NCHITTEST, WM_SETCURSOR, WM_GETTEXT};
  HWND top = TopLevel(0, 0, 100, 100, WS_POPUP);
  HWND child = Child(top, 5, 0, 0, 10, 10);
  ASSERT_TRUE(top && child);
  auto seq = MessagesOf(top);
  ASSERT_GE(seq.size(), 2u);
  EXPECT_EQ(seq[0], static_cast<UINT>(WM_NCCREATE));
  EXPECT_EQ(seq[1], static_cast<UINT>(WM_CREATE));
  EXPECT_EQ(GetDlgItem(top, 5), child);
  EXPECT_EQ(GetDlgCtrlID(child), 5);
  EXPECT_EQ(GetParent(child), top);
  J().recs.clear();
  EXPECT_TRUE(DestroyWindow(top));
  std::vector<std::pair<HWND, UINT>> order;
  for (const auto& r : J().recs)
    if (r.msg == WM_DESTROY || r.msg == WM_NCDESTROY) order.push_back({r.hwnd, r.msg});
  EXPECT_EQ(
      order,
      (std::vector<std::pair<HWND, UINT>>{
          {top, WM_DESTROY}, {child, WM_DESTROY}, {child, WM_NCDESTROY}, {top, WM_NCDESTROY}}));
  EXPECT_FALSE(IsWindow(top));
  EXPECT_FALSE(IsWindow(child));
  EXPECT_FALSE(DestroyWindow(top));
}

TEST_F(WindowTest, CreateReturningMinusOneFailsTheCreation) {
  J().handlers[WM_CREATE] = [](HWND, WPARAM, LPARAM) -> LRESULT { return -1; };
  HWND w = TopLevel(0, 0, 10, 10);
  EXPECT_EQ(w, nullptr);
  ASSERT_FALSE(J().recs.empty());
  EXPECT_EQ(J().recs.back().msg, static_cast<UINT>(WM_NCDESTROY));
  EXPECT_FALSE(IsWindow(J().recs.back().hwnd));
  EXPECT_TRUE(host_->VisibleWindows().empty());
  EXPECT_EQ(
      CreateWindowExW(0, L"NoSuchClass", L"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr),
      nullptr);
}

TEST_F(WindowTest, StaleHandlesFailQuietly) {
  HWND w = TopLevel(0, 0, 10, 10);
  DestroyWindow(w);
  RECT rc{1, 2, 3, 4};
  EXPECT_FALSE(GetWindowRect(w, &rc));
  EXPECT_FALSE(ShowWindow(w, SW_SHOW));
  EXPECT_FALSE(SetWindowTextW(w, L"x"));
  EXPECT_EQ(GetPropW(w, L"p"), nullptr);
  EXPECT_EQ(GetWindowLongPtrW(w, GWL_STYLE), 0);
  EXPECT_EQ(SetWindowRgn(w, nullptr, FALSE), 0);
  EXPECT_FALSE(PostMessageW(w, WM_USER, 0, 0));
  EXPECT_EQ(GetDC(w), nullptr);
  EXPECT_EQ(BeginPaint(w, nullptr), nullptr);
  EXPECT_FALSE(IsWindowVisible(w));
}

TEST_F(WindowTest, ShowWindowReturnsThePreviousVisibility) {
  HWND w = TopLevel(0, 0, 10, 10, WS_POPUP);
  EXPECT_FALSE(ShowWindow(w, SW_SHOW));
  EXPECT_TRUE(ShowWindow(w, SW_SHOW));
  EXPECT_TRUE(ShowWindow(w, SW_HIDE));
  EXPECT_FALSE(ShowWindow(w, SW_HIDE));
  EXPECT_FALSE(IsWindowVisible(w));
  HWND child = Child(w, 1, 0, 0, 5, 5);
  EXPECT_FALSE(IsWindowVisible(child));  // its parent is hidden
}

TEST_F(WindowTest, MinimiseActivatesTheNextWindowAndRestoreReturnsToTheNormalRectangle) {
  HWND other = TopLevel(300, 300, 50, 50);
  HWND w = TopLevel(10, 20, 100, 80);
  EXPECT_EQ(GetActiveWindow(), w);
  EXPECT_TRUE(ShowWindow(w, SW_MINIMIZE));
  EXPECT_TRUE(IsIconic(w));
  EXPECT_TRUE(IsWindowVisible(w));
  EXPECT_EQ(GetActiveWindow(), other);
  WINDOWPLACEMENT wp{};
  wp.length = sizeof wp;
  ASSERT_TRUE(GetWindowPlacement(w, &wp));
  EXPECT_EQ(wp.showCmd, static_cast<UINT>(SW_SHOWMINIMIZED));
  EXPECT_EQ(wp.rcNormalPosition.left, 10);
  EXPECT_EQ(wp.rcNormalPosition.bottom, 100);
  SetForegroundWindow(w);  // does not restore
  EXPECT_TRUE(IsIconic(w));
  ShowWindow(w, SW_RESTORE);
  EXPECT_FALSE(IsIconic(w));
  EXPECT_EQ(GetActiveWindow(), w);
  ASSERT_TRUE(GetWindowPlacement(w, &wp));
  EXPECT_EQ(wp.showCmd, static_cast<UINT>(SW_SHOWNORMAL));
  RECT rc;
  GetWindowRect(w, &rc);
  EXPECT_EQ(rc.top, 20);
  EXPECT_EQ(rc.right, 110);
}

TEST_F(WindowTest, PropertiesIgnoreCaseAndTopLevelOnesArePublished) {
  HWND w = TopLevel(0, 0, 10, 10);
  HWND child = Child(w, 1, 0, 0, 5, 5);
  auto one = reinterpret_cast<HANDLE>(1);
  EXPECT_TRUE(SetPropW(w, L"Halcyra", one));
  EXPECT_EQ(GetPropW(w, L"HALCYRA"), one);
  EXPECT_EQ(GetPropW(w, L"other"), nullptr);
  auto shown = host_->VisibleWindows();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(host_->Marker(shown[0], "halcyra"), 1);
  EXPECT_EQ(RemovePropW(w, L"halcyra"), one);
  EXPECT_EQ(GetPropW(w, L"Halcyra"), nullptr);
  EXPECT_FALSE(host_->Marker(shown[0], "halcyra").has_value());
  SetPropW(child, L"MPBmpProp", reinterpret_cast<HANDLE>(7));
  EXPECT_EQ(GetPropW(child, L"mpbmpprop"), reinterpret_cast<HANDLE>(7));
}

TEST_F(WindowTest, TheWindowOwnsARegionOnceItIsGiven) {
  HWND w = TopLevel(0, 0, 50, 50);
  HRGN first = CreateRectRgn(0, 0, 10, 10);
  HRGN second = CreateRectRgn(0, 0, 20, 20);
  EXPECT_NE(SetWindowRgn(w, first, FALSE), 0);
  EXPECT_EQ(GetObjectType(first), OBJ_REGION);
  EXPECT_NE(SetWindowRgn(w, second, FALSE), 0);
  EXPECT_EQ(GetObjectType(first), 0u);  // the replaced region is freed by the system
  HRGN copy = CreateRectRgn(0, 0, 0, 0);
  EXPECT_NE(GetWindowRgn(w, copy), ERROR);
  RECT box;
  GetRgnBox(copy, &box);
  EXPECT_EQ(box.right, 20);
  DeleteObject(copy);
  DestroyWindow(w);
  EXPECT_EQ(GetObjectType(second), 0u);
  // A failed call leaves the region with the caller.
  HRGN kept = CreateRectRgn(0, 0, 1, 1);
  EXPECT_EQ(SetWindowRgn(w, kept, FALSE), 0);
  EXPECT_EQ(GetObjectType(kept), OBJ_REGION);
  DeleteObject(kept);
}

TEST_F(WindowTest, CoordinatesMapBetweenClientAreasAndTheScreen) {
  HWND top = TopLevel(100, 50, 200, 200);
  HWND child = Child(top, 1, 10, 20, 50, 50);
  POINT p{1, 2};
  ClientToScreen(child, &p);
  EXPECT_EQ(p.x, 111);
  EXPECT_EQ(p.y, 72);
  ScreenToClient(top, &p);
  EXPECT_EQ(p.x, 11);
  POINT q{0, 0};
  MapWindowPoints(child, top, &q, 1);
  EXPECT_EQ(q.y, 20);
  WINDOWPLACEMENT wp{};
  wp.length = sizeof wp;
  GetWindowPlacement(child, &wp);
  EXPECT_EQ(wp.rcNormalPosition.left, 10);  // a child's placement is in its parent's client area
  MoveWindow(child, 30, 40, 5, 6, TRUE);
  RECT rc;
  GetClientRect(child, &rc);
  EXPECT_EQ(rc.right, 5);
  GetWindowRect(child, &rc);
  EXPECT_EQ(rc.left, 130);
}

// Replacing the procedure is pinned in tests/framework SubclassTest.
TEST_F(WindowTest, UserDataAndIdentifiersAreKeptPerWindow) {
  HWND w = TopLevel(0, 0, 10, 10);
  SetWindowLongPtrW(w, GWLP_USERDATA, 1234);
  EXPECT_EQ(GetWindowLongPtrW(w, GWLP_USERDATA), 1234);
  HWND child = Child(w, 3, 0, 0, 1, 1);
  SetWindowLongPtrW(child, GWLP_ID, 9);
  EXPECT_EQ(GetDlgItem(w, 9), child);
}

TEST_F(WindowTest, TheDesktopWalkSeesTopLevelWindowsInZOrderWithTheirProperties) {
  HWND a = TopLevel(0, 0, 10, 10);
  HWND b = TopLevel(0, 0, 10, 10, WS_POPUP);  // hidden windows are part of the walk
  SetPropW(b, L"marker", reinterpret_cast<HANDLE>(1));
  std::vector<HWND> seen;
  for (HWND h = GetWindow(GetDesktopWindow(), GW_CHILD); h && IsWindow(h);
       h = GetWindow(h, GW_HWNDNEXT))
    seen.push_back(h);
  EXPECT_EQ(seen, (std::vector<HWND>{b, a}));
  EXPECT_EQ(GetPropW(seen[0], L"MARKER"), reinterpret_cast<HANDLE>(1));
  HWND popup = TopLevel(0, 0, 5, 5, WS_POPUP | WS_VISIBLE, a);
  EXPECT_EQ(GetWindow(popup, GW_OWNER), a);
  EXPECT_EQ(GetLastActivePopup(a), popup);
  DestroyWindow(popup);
  EXPECT_EQ(GetLastActivePopup(a), a);
}

TEST_F(WindowTest, EnableWindowSendsWmEnableOnChangesOnly) {
  HWND w = TopLevel(0, 0, 10, 10);
  J().recs.clear();
  EnableWindow(w, FALSE);
  EnableWindow(w, FALSE);
  EnableWindow(w, TRUE);
  EXPECT_EQ(Count(w, WM_ENABLE), 2);
  EXPECT_EQ(Count(w, WM_CANCELMODE), 1);
  EXPECT_TRUE(IsWindowEnabled(w));
}

TEST_F(WindowTest, DisablingAWindowTakesTheMouseFromItsChildren) {
  // A control of the owner holds the mouse when a modal window disables the owner.
  HWND owner = TopLevel(0, 0, 100, 100);
  HWND button = Child(owner, 1542, 10, 10, 17, 16);
  HWND other = TopLevel(200, 0, 50, 50);
  SetCapture(button);
  J().recs.clear();
  EnableWindow(owner, FALSE);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(Count(button, WM_CAPTURECHANGED), 1);
  auto seq = MessagesOf(owner);
  ASSERT_FALSE(seq.empty());
  EXPECT_EQ(seq.front(), static_cast<UINT>(WM_CANCELMODE));  // before anything else changes
  EnableWindow(owner, TRUE);
  // Another window's capture is none of its business.
  SetCapture(other);
  EnableWindow(owner, FALSE);
  EXPECT_EQ(GetCapture(), other);
  ReleaseCapture();
}

TEST_F(WindowTest, WindowTextGoesThroughTheProcedure) {
  HWND w = TopLevel(0, 0, 10, 10);
  SetWindowTextW(w, L"中文 text");
  wchar_t buf[4];
  EXPECT_EQ(GetWindowTextW(w, buf, 4), 3);
  EXPECT_EQ(std::wstring(buf), L"中文 ");
  EXPECT_EQ(GetWindowTextLengthW(w), 7);
  EXPECT_EQ(host_->Description(host_->VisibleWindows()[0])->title, "中文 text");
}

TEST_F(WindowTest, TheHostKnowsWhoseWindowItIsAndShowsTheIconItWasGiven) {
  const std::wstring instance = user::InstanceName();
  user::SetInstanceName(L"halcyra");
  HWND w = TopLevel(0, 0, 10, 10);
  user::SetInstanceName(instance);
  const host::NativeWindow native = host_->VisibleWindows().at(0);
  EXPECT_EQ(host_->Description(native)->application, "halcyra");
  EXPECT_TRUE(host_->Icon(native).empty());

  // The icon's pixels as the window system itself draws them.
  HICON icon = LoadIconW(nullptr, MAKEINTRESOURCEW(128));
  ASSERT_NE(icon, nullptr);
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP drawn = CreateBitmap(32, 32, 1, 32, nullptr);
  HGDIOBJ old = SelectObject(memory, drawn);
  ASSERT_TRUE(DrawIcon(memory, 0, 0, icon));
  SelectObject(memory, old);
  std::vector<std::uint32_t> expected(32 * 32);
  GetBitmapBits(drawn, 32 * 32 * 4, expected.data());
  DeleteObject(drawn);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);

  // One icon as both big and small is one picture, opaque.
  SendMessageW(w, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  SendMessageW(w, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  auto images = host_->Icon(native);
  ASSERT_EQ(images.size(), 1u);
  ASSERT_EQ(images[0].width, 32);
  ASSERT_EQ(images[0].height, 32);
  for (std::size_t i = 0; i < expected.size(); ++i)
    ASSERT_EQ(images[0].pixels[i], 0xFF000000u | (expected[i] & 0xFFFFFFu)) << i;

  SendMessageW(w, WM_SETICON, ICON_BIG, 0);
  EXPECT_EQ(host_->Icon(native).size(), 1u) << "the small icon is still set";
  SendMessageW(w, WM_SETICON, ICON_SMALL, 0);
  EXPECT_TRUE(host_->Icon(native).empty());
}

}  // namespace
}  // namespace usertest
