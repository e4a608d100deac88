// A small shaped window driven as a person would: its corners cut away, a child that captures the
// pointer, a tooltip, and a screenshot of the result.
#include <cstdio>
#include <fstream>

#include "user_test_support.h"

namespace usertest {
namespace {

class ScenarioTest : public UserTest {};

TEST_F(ScenarioTest, ShapedWindowWithCapturingChildTooltipAndScreenshot) {
  constexpr COLORREF kSkin = RGB(20, 40, 160);
  J().handlers[WM_PAINT] = [&](HWND h, WPARAM, LPARAM) -> LRESULT {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(h, &ps);
    RECT rc;
    GetClientRect(h, &rc);
    HBRUSH b = CreateSolidBrush(GetParent(h) ? RGB(200, 30, 30) : kSkin);
    FillRect(dc, &rc, b);
    DeleteObject(b);
    EndPaint(h, &ps);
    return 0;
  };
  J().handlers[WM_NCHITTEST] = [](HWND h, WPARAM w, LPARAM l) -> LRESULT {
    return GetParent(h) ? DefWindowProcW(h, WM_NCHITTEST, w, l) : HTCAPTION;
  };
  J().handlers[WM_LBUTTONDOWN] = [](HWND h, WPARAM, LPARAM) -> LRESULT {
    SetCapture(h);
    return 0;
  };
  J().handlers[WM_LBUTTONUP] = [](HWND h, WPARAM, LPARAM) -> LRESULT {
    if (GetCapture() == h) ReleaseCapture();
    PostMessageW(GetParent(h), WM_COMMAND, 1500, reinterpret_cast<LPARAM>(h));
    return 0;
  };
  HWND skin = TopLevel(200, 150, 120, 80);
  // The corners of the picture are white and cut away: the window keeps a cross shape.
  HRGN shape = CreateRectRgn(4, 0, 116, 80);
  HRGN middle = CreateRectRgn(0, 4, 120, 76);
  CombineRgn(shape, shape, middle, RGN_OR);
  DeleteObject(middle);
  SetWindowRgn(skin, shape, TRUE);
  HWND button = Child(skin, 1500, 40, 20, 40, 30);
  HWND tip =
      CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, 0, 0, 0, 0, 0, skin, nullptr, nullptr, nullptr);
  TTTOOLINFOW ti{sizeof ti,
                 TTF_IDISHWND,
                 skin,
                 reinterpret_cast<UINT_PTR>(button),
                 {},
                 nullptr,
                 const_cast<LPWSTR>(L"Apply"),
                 0,
                 nullptr};
  SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
  SendMessageW(tip, TTM_SETDELAYTIME, TTDT_AUTOMATIC, 200);
  relay_ = [tip](const MSG& m) {
    if (m.message == WM_MOUSEMOVE)
      SendMessageW(tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&m));
  };
  Pump();
  EXPECT_EQ(Pixel(200, 150), host::HeadlessHost::kDesktopColor);  // a cut corner
  EXPECT_EQ(Pixel(204, 150), Screen(kSkin));
  EXPECT_EQ(Pixel(250, 180), Screen(RGB(200, 30, 30)));

  // Press on the child, leave it while held, release outside: the child keeps the pointer.
  host_->MovePointer({250, 180});
  host_->PressButton();
  host_->MovePointer({400, 400});
  host_->ReleaseButton();
  Pump();
  EXPECT_EQ(Count(skin, WM_COMMAND), 1);
  EXPECT_EQ(GetCapture(), nullptr);

  // Drag the window by its background, then rest on the child for the tip.
  host_->MovePointer({210, 160});
  host_->PressButton();
  host_->MovePointer({230, 170});
  host_->ReleaseButton();
  Pump();
  RECT rc;
  GetWindowRect(skin, &rc);
  EXPECT_EQ(rc.left, 220);
  EXPECT_EQ(Pixel(220, 160), host::HeadlessHost::kDesktopColor);
  host_->MovePointer({275, 190});
  Pump();
  Wait(200);
  EXPECT_TRUE(IsWindowVisible(tip));

  std::string path = ::testing::TempDir() + "user_scenario.png";
  std::string error;
  ASSERT_TRUE(host_->Screenshot(path, &error)) << error;
  std::ifstream png(path, std::ios::binary);
  char signature[8] = {};
  png.read(signature, 8);
  EXPECT_EQ(std::string(signature + 1, 3), "PNG");
  std::remove(path.c_str());
}

}  // namespace
}  // namespace usertest
