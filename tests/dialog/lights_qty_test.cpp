// The lights-quantity dialog: confirm, reset and Escape, in both languages.
#include "main_window.h"

namespace dialog::test {
namespace {

constexpr POINT kSliderStart = {49, 114};  // the left end of the slider, client coordinates

class LightsQtyTest : public MainWindowTest {
 protected:
  CNumDlg* Open() { return OpenLightsQty(app_); }
  POINT On(CNumDlg* num, POINT client) { return app_.OnWindow(num->m_hWnd, client); }
  // Whether the dialog shows something other than its background picture in `area`: the number.
  bool DrawsOver(CNumDlg* num, UINT picture, const RECT& area) {
    for (int y = area.top; y < area.bottom; ++y) {
      for (int x = area.left; x < area.right; ++x) {
        if (app_.Pixel(On(num, {x, y})) != PictureColor(app_, picture, x, y)) return true;
      }
    }
    return false;
  }
  std::string QtyReport(const char* qty) {
    return Hex(ReportOf(std::string("00 80 0D 02 ") + qty + " 03"));
  }
};

TEST_F(LightsQtyTest, ConfirmSendsTheSliderValueAndTheMainWindowShowsIt) {
  CNumDlg* num = Open();
  ASSERT_NE(nullptr, num);
  CRect rect;
  num->GetWindowRect(&rect);
  EXPECT_EQ(340, rect.Width());
  EXPECT_EQ(195, rect.Height());
  EXPECT_EQ(30, num->m_sliderQty.m_nPos);
  EXPECT_FALSE(num->m_btnDismiss.IsWindowVisible());
  EXPECT_EQ(PictureColor(app_, 250, 20, 20), app_.Pixel(On(num, {20, 20})));
  EXPECT_TRUE(DrawsOver(num, 250, {245, 67, 262, 84}));

  // Dragged past the right end, the slider stops at 64.
  app_.Drag(On(num, {49 + 100, 114}), On(num, {49 + 300, 114}));
  EXPECT_EQ(64, num->m_sliderQty.m_nPos);
  const std::size_t before = app_.Reports().size();
  const HWND window = num->m_hWnd;
  app_.Click(On(num, kQtyConfirm));
  EXPECT_EQ(before + 1, app_.Reports().size());
  EXPECT_EQ(QtyReport("40"), LastReport());
  EXPECT_FALSE(::IsWindow(window));
  EXPECT_EQ(64, dlg_->m_nLightsQty);
  EXPECT_EQ(L"64", app_.TextOf(dlg_->m_stLightsQty));

  num = Open();
  ASSERT_NE(nullptr, num);
  app_.Drag(On(num, {49 + 100, 114}), On(num, {0, 114}));
  EXPECT_EQ(4, num->m_sliderQty.m_nPos);
  app_.Click(On(num, kQtyConfirm));
  EXPECT_EQ(QtyReport("04"), LastReport());
}

TEST_F(LightsQtyTest, ResetSendsEightWhateverTheSliderShows) {
  CNumDlg* num = Open();
  ASSERT_NE(nullptr, num);
  app_.Click(On(num, kSliderStart));
  app_.Click(On(num, kQtyReset));
  EXPECT_EQ(QtyReport("08"), LastReport());
  EXPECT_EQ(8, dlg_->m_nLightsQty);
  EXPECT_EQ(L"8", app_.TextOf(dlg_->m_stLightsQty));
}

TEST_F(LightsQtyTest, EscapeBeforeAnyChangeClosesWithoutARequest) {
  CNumDlg* num = Open();
  ASSERT_NE(nullptr, num);
  const std::size_t before = app_.Reports().size();
  const HWND window = num->m_hWnd;
  app_.Key(VK_ESCAPE);
  EXPECT_FALSE(::IsWindow(window));
  EXPECT_EQ(before, app_.Reports().size());
  EXPECT_EQ(L"30", app_.TextOf(dlg_->m_stLightsQty));
}

TEST_F(LightsQtyTest, InChineseTheDialogShowsItsChinesePictureAndPlace) {
  Click(kLanguageArrow);
  CNumDlg* num = Open();
  ASSERT_NE(nullptr, num);
  EXPECT_EQ(240u, num->m_nBackId);
  EXPECT_EQ(PictureColor(app_, 240, 20, 20), app_.Pixel(On(num, {20, 20})));
  EXPECT_TRUE(DrawsOver(num, 240, {210, 66, 237, 84}));
  app_.Click(On(num, kQtyConfirm));
  EXPECT_EQ(QtyReport("1E"), LastReport());
}

}  // namespace
}  // namespace dialog::test
