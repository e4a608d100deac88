// The application object: fonts, and a start beside a running instance.
#include <gtest/gtest.h>

#include "CHalcyraApp.h"
#include "CHalcyraDlg.h"
#include "running_app.h"

namespace app::test {
namespace {

TEST(ApplicationTest, FontsAreArialAndEachControlGetsItsEntry) {
  RunningApp app;
  app.Start();
  CHalcyraDlg* dlg = app.MainDialog();
  ASSERT_NE(nullptr, dlg);
  // "Arial" is there (as its metric-compatible substitute): no font file was added.
  EXPECT_FALSE(theApp.m_fontFiles[0].installNeeded);

  LOGFONTW normal{};
  LOGFONTW bold{};
  ASSERT_NE(0, ::GetObjectW(theApp.m_hFonts[0], sizeof normal, &normal));
  ASSERT_NE(0, ::GetObjectW(theApp.m_hFonts[1], sizeof bold, &bold));
  EXPECT_EQ(std::wstring(L"Arial"), normal.lfFaceName);
  EXPECT_EQ(14, normal.lfHeight);
  EXPECT_EQ(18, bold.lfHeight);
  EXPECT_EQ(FW_BOLD, bold.lfWeight);

  EXPECT_EQ(theApp.m_hFonts[1], dlg->m_btnApply.m_hFont);
  EXPECT_EQ(theApp.m_hFonts[0], dlg->m_btnColorBreathe.m_hFont);
  EXPECT_EQ(nullptr, dlg->m_btnRainbow.m_hFont);
  EXPECT_EQ(theApp.m_hFonts[1], dlg->m_stLightsQty.m_hFont);
}

// Another instance's main window: a top-level window with the property named after the program.
class RunningInstanceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // The other instance holds the marker.
    marker_ = ::CreateSemaphoreW(nullptr, 1, 1, user::InstanceName().c_str());
    ASSERT_NE(nullptr, marker_);
  }
  void TearDown() override { ::CloseHandle(marker_); }

  HWND Window(HWND owner, int x) {
    return ::CreateWindowExW(0, L"Static", L"other", WS_POPUP | WS_VISIBLE, x, 10, 100, 50, owner,
                             nullptr, nullptr, nullptr);
  }

  RunningApp app_;
  HANDLE marker_ = nullptr;
};

TEST_F(RunningInstanceTest, ASecondStartRestoresTheFirstAndShowsNothing) {
  const HWND other = Window(nullptr, 10);
  ::SetPropW(other, user::InstanceName().c_str(), reinterpret_cast<HANDLE>(1));
  ::ShowWindow(other, SW_MINIMIZE);
  const HWND elsewhere = Window(nullptr, 300);
  ::SetActiveWindow(elsewhere);
  const std::size_t shown = app_.TopLevelEvents().size();

  app_.Start();
  EXPECT_FALSE(app_.Running());
  EXPECT_EQ(0, app_.ExitCode());
  EXPECT_TRUE(app_.Reports().empty()) << "the controller is left to the first";
  EXPECT_FALSE(::IsIconic(other));
  EXPECT_EQ(other, ::GetActiveWindow());
  // Only the restored window came back into view.
  ASSERT_EQ(shown + 1, app_.TopLevelEvents().size());
  EXPECT_EQ(other, app_.TopLevelEvents().back().hwnd);
}

TEST_F(RunningInstanceTest, ASecondStartActivatesTheFirstsModalDialog) {
  const HWND other = Window(nullptr, 10);
  ::SetPropW(other, user::InstanceName().c_str(), reinterpret_cast<HANDLE>(1));
  const HWND modal = Window(other, 50);
  ::SetActiveWindow(modal);
  ::SetActiveWindow(Window(nullptr, 300));

  app_.Start();
  EXPECT_FALSE(app_.Running());
  EXPECT_EQ(modal, ::GetActiveWindow());
}

TEST_F(RunningInstanceTest, WithoutAMainWindowToShowTheProgramStarts) {
  app_.Start();
  EXPECT_TRUE(app_.Running());
  ASSERT_NE(nullptr, app_.MainDialog());
  // The window carries the property that a later start looks for.
  EXPECT_EQ(reinterpret_cast<HANDLE>(1),
            ::GetPropW(app_.MainDialog()->m_hWnd, user::InstanceName().c_str()));
}

}  // namespace
}  // namespace app::test
