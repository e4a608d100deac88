// Start-up with a controller that answers: what the main window shows, and what it asked.
#include "main_window.h"

namespace dialog::test {
namespace {

using app::test::RunningApp;

TEST(StartupTest, ShowsTheControllersColourAndLedCount) {
  RunningApp app(Controller());
  app.Start();
  CHalcyraDlg* dlg = app.MainDialog();
  ASSERT_NE(nullptr, dlg);
  EXPECT_TRUE(app.MessageBoxes().empty());

  // The colour is asked first, then the LED count; nothing else is sent.
  ASSERT_EQ(2u, app.Reports().size());
  EXPECT_EQ(Hex(ReportOf("00 80 0B 01 03 00 00 00 03")), Hex(app.Reports()[0]));
  EXPECT_EQ(Hex(ReportOf("00 80 0D 01 00 03")), Hex(app.Reports()[1]));

  EXPECT_EQ(10, dlg->m_sliderRed.m_nPos);
  EXPECT_EQ(20, dlg->m_sliderGreen.m_nPos);
  EXPECT_EQ(30, dlg->m_sliderBlue.m_nPos);
  EXPECT_EQ(30, dlg->m_nLightsQty);
  EXPECT_EQ(L"30", app.TextOf(dlg->m_stLightsQty));
  EXPECT_EQ(L"ENGLISH", app.TextOf(dlg->m_stLanguage));
  EXPECT_EQ(L"Lights Qty", app.TextOf(dlg->m_stLightsQtyLabel));
  EXPECT_EQ(L"Apply", app.TextOf(dlg->m_btnApply));
  EXPECT_EQ(1, dlg->m_nPage);
  EXPECT_EQ(8, dlg->m_nEffect);
  EXPECT_EQ(0, dlg->m_nColor);
  EXPECT_EQ(0, dlg->m_nLanguage);
  EXPECT_EQ(0, g_bSync);
}

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
