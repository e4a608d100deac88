// The window's chrome: dragging, minimise, the about box, slider values, and what closes it.
#include "main_window.h"

namespace dialog::test {
namespace {

class ChromeTest : public MainWindowTest {
 protected:
  CRect WindowRect() {
    CRect rect;
    dlg_->GetWindowRect(&rect);
    return rect;
  }
  // The pixels of exactly `color` in the first character cell of a slider value ("2" of "255",
  // a blank in "  0").
  int FirstDigitPixels(int top, std::uint32_t color) {
    int count = 0;
    for (int y = top; y < top + 16; ++y) {
      for (int x = 753; x < 759; ++x) count += PixelAt({x, y}) == color ? 1 : 0;
    }
    return count;
  }
};

TEST_F(ChromeTest, TheBackgroundDragsTheWindowAndAControlDoesNot) {
  const CRect before = WindowRect();
  app_.Drag(app_.OnMain(kBackground), app_.OnMain({kBackground.x + 40, kBackground.y + 30}));
  CRect after = WindowRect();
  EXPECT_EQ(before.left + 40, after.left);
  EXPECT_EQ(before.top + 30, after.top);

  app_.Drag(app_.OnMain(EffectButton(1)), app_.OnMain({EffectButton(1).x + 40, 400}));
  EXPECT_EQ(after, WindowRect());
}

TEST_F(ChromeTest, MinimiseAndRestore) {
  Click(kMinimize);
  EXPECT_TRUE(dlg_->IsIconic());
  EXPECT_TRUE(app_.Host().VisibleWindows().empty());

  app_.WindowManager([&](host::HeadlessHost& host) { host.Restore(app_.MainNative()); });
  EXPECT_FALSE(dlg_->IsIconic());
  EXPECT_EQ(PictureColor(app_, 251, 100, 100), PixelAt({100, 100}));
}

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

TEST_F(ChromeTest, SliderValuesAreDrawnRightAlignedInTheSlidersColours) {
  // Keys move the slider that was pressed last.
  Click({586 + 60, 369});
  app_.Key(VK_END);
  EXPECT_EQ(255, dlg_->m_sliderRed.m_nPos);
  EXPECT_GT(FirstDigitPixels(360, 0xFF0000), 0);
  app_.Key(VK_HOME);
  EXPECT_EQ(0, dlg_->m_sliderRed.m_nPos);
  EXPECT_EQ(0, FirstDigitPixels(360, 0xFF0000));

  Click({586 + 131, 449});
  EXPECT_EQ(255, dlg_->m_sliderBlue.m_nPos);
  EXPECT_GT(FirstDigitPixels(438, 0x0000FF), 0);
  // Moving a slider leaves the sample alone: it shows the wheel's first colour still.
  EXPECT_EQ(0x3D45FFu, PixelAt(kSample));
}

TEST_F(ChromeTest, OnlyTheCloseButtonClosesTheWindow) {
  app_.Key(VK_ESCAPE);
  app_.Key(VK_F4, host::kModAlt);
  app_.WindowManager([&](host::HeadlessHost& host) {
    host::Event close;
    close.type = host::EventType::kCloseRequest;
    close.window = app_.MainNative();
    host.PostEvent(close);
  });
  EXPECT_TRUE(app_.Running());
  EXPECT_TRUE(dlg_->IsWindowVisible());

  Click(kClose);
  EXPECT_FALSE(app_.Running());
  EXPECT_EQ(0, app_.ExitCode());
  EXPECT_TRUE(app_.Host().VisibleWindows().empty());
}

TEST_F(ChromeTest, EnterEndsTheWindowAsTheCloseButtonDoes) {
  // OK names no control of the window, so it is not held back as Escape is.
  app_.Key(VK_RETURN);
  EXPECT_FALSE(app_.Running());
  EXPECT_EQ(0, app_.ExitCode());
}

}  // namespace
}  // namespace dialog::test
