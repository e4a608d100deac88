// Start-up: every control in its place with its picture.
#include "main_window.h"

namespace dialog::test {
namespace {

using app::test::RunningApp;

TEST(StartupTest, ShowsEveryControlWithItsPictureWhereItBelongs) {
  RunningApp app;
  app.Start();
  CHalcyraDlg* dlg = app.MainDialog();
  ASSERT_NE(nullptr, dlg);
  CRect window;
  dlg->GetWindowRect(&window);
  EXPECT_EQ(800, window.Width());
  EXPECT_EQ(540, window.Height());

  int shown = 0;
  for (UINT id = CHalcyraDlg::kFirstControlId; id < CHalcyraDlg::kFirstControlId + 47; ++id) {
    SCOPED_TRACE(id);
    HWND control = ::GetDlgItem(dlg->m_hWnd, static_cast<int>(id));
    ASSERT_NE(nullptr, control);
    if (!::IsWindowVisible(control)) continue;
    ++shown;
    // A button takes its normal picture's size, and the screen shows that picture.
    auto* button = dynamic_cast<CMPButton*>(CWnd::FromHandlePermanent(control));
    if (button == nullptr) continue;
    CRect rect;
    button->GetClientRect(&rect);
    // Off probe, where no button draws its text.
    const POINT probe = {rect.Width() / 4, rect.Height() / 4};
    EXPECT_EQ(PictureColor(app, button->m_nBmpNormal, probe.x, probe.y),
              app.Pixel(RunningApp::OnWindow(control, probe)));
  }
  // Only the page tabs and Synchronize are hidden.
  EXPECT_EQ(44, shown);
  EXPECT_FALSE(dlg->m_btnArgbPage.IsWindowVisible());
  EXPECT_FALSE(dlg->m_btnVrgbPage.IsWindowVisible());
  EXPECT_FALSE(dlg->m_btnSync.IsWindowVisible());

  CRect rect;
  dlg->m_btnColorWheel.GetWindowRect(&rect);
  dlg->ScreenToClient(&rect);
  EXPECT_EQ(CRect(584, 45, 755, 216), rect);
  dlg->m_stLightsQty.GetWindowRect(&rect);
  dlg->ScreenToClient(&rect);
  EXPECT_EQ(CRect(493, 39, 523, 57), rect);
}

}  // namespace
}  // namespace dialog::test
