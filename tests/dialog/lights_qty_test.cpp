// The lights-quantity dialog at the low end of its slider; the rest is in the transcripts.
#include "main_window.h"

namespace dialog::test {
namespace {

using LightsQtyTest = MainWindowTest;

TEST_F(LightsQtyTest, DraggedPastTheLeftEndItSendsFourAndTheMainWindowShowsIt) {
  EXPECT_EQ(L"30", app_.TextOf(dlg_->m_stLightsQty));
  CNumDlg* num = OpenLightsQty(app_);
  ASSERT_NE(nullptr, num);
  EXPECT_FALSE(num->m_btnDismiss.IsWindowVisible());
  app_.Drag(app_.OnWindow(num->m_hWnd, {49 + 100, 114}), app_.OnWindow(num->m_hWnd, {0, 114}));
  EXPECT_EQ(4, num->m_sliderQty.m_nPos);
  app_.Click(app_.OnWindow(num->m_hWnd, kQtyConfirm));
  EXPECT_EQ(Hex(ReportOf("00 80 0D 02 04 03")), LastReport());
  EXPECT_EQ(L"4", app_.TextOf(dlg_->m_stLightsQty));
}

}  // namespace
}  // namespace dialog::test
