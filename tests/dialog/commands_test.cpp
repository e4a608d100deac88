// The page tabs and Synchronize (hidden as laid out, shown here) and what Apply sends.
#include "main_window.h"

namespace dialog::test {
namespace {

constexpr POINT kArgbTab = {444, 45};
constexpr POINT kVrgbTab = {518, 45};
constexpr POINT kSync = {142, 303};

const char kArgbEffectEight[] = "00 80 0B 02 03 02 00 03 03 0A 14 1E";
const char kVrgbWithoutEffect[] = "00 80 04 02 00 00 00 03 0A 14 1E";

class CommandsTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    Reveal(dlg_->m_btnArgbPage);
    Reveal(dlg_->m_btnVrgbPage);
    Reveal(dlg_->m_btnSync);
  }
  // How many of the effect buttons 8 to 24, and of the two tabs, are shown.
  int ArgbOnlyEffectsShown() {
    int shown = 0;
    for (int effect = 8; effect <= 24; ++effect) {
      shown += dlg_->EffectButtons()[effect - 1]->IsWindowVisible() ? 1 : 0;
    }
    return shown;
  }
  int TabsShown() {
    return (dlg_->m_btnArgbPage.IsWindowVisible() ? 1 : 0) +
           (dlg_->m_btnVrgbPage.IsWindowVisible() ? 1 : 0);
  }
};

TEST_F(CommandsTest, SynchronizeSendsTheArgbReportThenTheVrgbOne) {
  Click(kSync);
  EXPECT_EQ(1, g_bSync);
  EXPECT_EQ(205u, dlg_->m_btnSync.m_nBmpNormal);
  EXPECT_EQ(0, ArgbOnlyEffectsShown());
  EXPECT_EQ(0, TabsShown());
  EXPECT_TRUE(dlg_->m_btnStatic.IsWindowVisible());

  // Effect 8 has no VRGB code: the ARGB report goes, then the warning, then the VRGB report.
  const std::size_t before = app_.Reports().size();
  Click(kApply);
  EXPECT_EQ(before + 1, app_.Reports().size());
  EXPECT_EQ(Hex(ReportOf(kArgbEffectEight)), LastReport());
  EXPECT_EQ(L"Please select lamp effect before application!", app_.MessageBoxes().back());
  app_.Key(VK_RETURN);
  EXPECT_EQ(Hex(ReportOf(kVrgbWithoutEffect)), LastReport());

  Click(kSync);
  EXPECT_EQ(0, g_bSync);
  EXPECT_EQ(204u, dlg_->m_btnSync.m_nBmpNormal);
  EXPECT_EQ(17, ArgbOnlyEffectsShown());
  EXPECT_EQ(2, TabsShown());
  Click(kApply);
  EXPECT_EQ(before + 3, app_.Reports().size());
}

TEST_F(CommandsTest, TheVrgbPageSendsTheVrgbReportForTheEffectStillSelected) {
  Click(EffectButton(12));
  Click(kVrgbTab);
  EXPECT_EQ(2, dlg_->m_nPage);
  EXPECT_EQ(12, dlg_->m_nEffect);
  EXPECT_EQ(0, ArgbOnlyEffectsShown());
  EXPECT_EQ(200u, dlg_->m_btnArgbPage.m_nBmpNormal);
  EXPECT_EQ(203u, dlg_->m_btnVrgbPage.m_nBmpNormal);
  Click(kApply);
  EXPECT_EQ(L"Please select lamp effect before application!", app_.MessageBoxes().back());
  app_.Key(VK_RETURN);
  EXPECT_EQ(Hex(ReportOf(kVrgbWithoutEffect)), LastReport());

  Click(EffectButton(4));
  Click(Swatch(1));
  Click(kApply);
  EXPECT_EQ(Hex(ReportOf("00 80 04 02 07 00 00 03 FF FF FF")), LastReport());

  // Synchronize on and off again shows every effect and both tabs, and stays on this page.
  Click(kSync);
  Click(kSync);
  EXPECT_EQ(17, ArgbOnlyEffectsShown());
  EXPECT_EQ(2, TabsShown());
  EXPECT_EQ(2, dlg_->m_nPage);
  Click(kApply);
  EXPECT_EQ(Hex(ReportOf("00 80 04 02 07 00 00 03 FF FF FF")), LastReport());

  Click(kArgbTab);
  EXPECT_EQ(1, dlg_->m_nPage);
  EXPECT_EQ(201u, dlg_->m_btnArgbPage.m_nBmpNormal);
  EXPECT_EQ(202u, dlg_->m_btnVrgbPage.m_nBmpNormal);
  Click(kApply);
  EXPECT_EQ(Hex(ReportOf("00 80 0B 02 03 0A 00 00 03 FF FF FF")), LastReport());
}

TEST_F(CommandsTest, ATabClickedWhileSynchronizedChangesOnlyThePage) {
  Click(kSync);
  Reveal(dlg_->m_btnVrgbPage);
  Click(kVrgbTab);
  EXPECT_EQ(2, dlg_->m_nPage);
  EXPECT_EQ(0, ArgbOnlyEffectsShown());
  Reveal(dlg_->m_btnArgbPage);
  Click(kArgbTab);
  EXPECT_EQ(1, dlg_->m_nPage);
  EXPECT_EQ(0, ArgbOnlyEffectsShown());
}

}  // namespace
}  // namespace dialog::test
