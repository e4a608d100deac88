// The window's chrome: the about box from the system menu, and closings that do not close.
#include "main_window.h"

namespace dialog::test {
namespace {

using ChromeTest = MainWindowTest;

TEST_F(ChromeTest, TheSystemMenuOffersTheAboutBox) {
  // The menu opens on its first item, Close; the about item is next.
  app_.Key(VK_SPACE, host::kModAlt);
  app_.Key(VK_DOWN);
  app_.Key(VK_RETURN);
  const HWND about = app_.TopWindowOfClass(L"#32770");
  ASSERT_NE(dlg_->m_hWnd, about);
  EXPECT_EQ(L"关于 Halcyra", app_.TextOf(about));
  EXPECT_FALSE(dlg_->IsWindowEnabled());  // it is modal
  app_.Key(VK_RETURN);
  EXPECT_FALSE(::IsWindow(about));
  EXPECT_TRUE(dlg_->IsWindowEnabled());
}

TEST_F(ChromeTest, NeitherAltF4NorTheWindowManagersCloseEndsTheProgram) {
  app_.Key(VK_F4, host::kModAlt);
  app_.WindowManager([&](host::HeadlessHost& host) {
    host::Event close;
    close.type = host::EventType::kCloseRequest;
    close.window = app_.MainNative();
    host.PostEvent(close);
  });
  EXPECT_TRUE(app_.Running());
  EXPECT_TRUE(dlg_->IsWindowVisible());
}

}  // namespace
}  // namespace dialog::test
