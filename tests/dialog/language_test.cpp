// The language switch: labels, Apply, the tools' tips and the one message that follow it.
#include "main_window.h"

namespace dialog::test {
namespace {

class LanguageTest : public MainWindowTest {
 protected:
  // The text of `control`'s tool, read from the tooltip control.
  std::wstring Tip(CWnd& control) {
    std::wstring text;
    app_.OnProgramThread([&] {
      CToolInfo info;
      if (dlg_->m_toolTip.GetToolInfo(info, &control)) text = info.szText;
    });
    return text;
  }
  int Tools() {
    int count = 0;
    app_.OnProgramThread([&] { count = dlg_->m_toolTip.GetToolCount(); });
    return count;
  }
  // The tip that shows after the pointer has rested on a control for a while.
  std::wstring ShownTip(POINT client) {
    // Two moves, as a hand makes them: the first may only tell the last control it was left.
    app_.MoveTo(app_.OnMain({client.x - 1, client.y}));
    app_.MoveTo(app_.OnMain(client));
    app_.Wait(250);
    const HWND tip = app_.TopWindowOfClass(L"tooltips_class32");
    return tip != nullptr ? app_.TextOf(tip) : std::wstring();
  }
};

TEST_F(LanguageTest, TheSwitchChangesEveryTextThatFollowsTheLanguage) {
  EXPECT_EQ(L"ENGLISH", app_.TextOf(dlg_->m_stLanguage));
  EXPECT_EQ(L"Lights Qty", app_.TextOf(dlg_->m_stLightsQtyLabel));
  EXPECT_EQ(L"Apply", app_.TextOf(dlg_->m_btnApply));
  EXPECT_EQ(31, Tools());
  EXPECT_EQ(L"Minimize", Tip(dlg_->m_btnMinimize));
  EXPECT_EQ(L"Synchronize", Tip(dlg_->m_btnSync));
  EXPECT_EQ(L"ColorBreathe", Tip(dlg_->m_btnColorBreathe));
  EXPECT_EQ(L"CenterMeteor", Tip(dlg_->m_btnCenterMeteor));

  Click(kLanguageArrow);
  EXPECT_EQ(1, dlg_->m_nLanguage);
  EXPECT_EQ(L"中文", app_.TextOf(dlg_->m_stLanguage));
  EXPECT_EQ(L"灯数选择", app_.TextOf(dlg_->m_stLightsQtyLabel));
  EXPECT_EQ(L"灯效应用", app_.TextOf(dlg_->m_btnApply));
  EXPECT_EQ(L"最小化窗体", Tip(dlg_->m_btnMinimize));
  EXPECT_EQ(L"关闭窗体", Tip(dlg_->m_btnClose));
  EXPECT_EQ(L"语言切换", Tip(dlg_->m_btnLanguage));
  EXPECT_EQ(L"多彩呼吸", Tip(dlg_->m_btnColorBreathe));
  EXPECT_EQ(L"Halcyra", Tip(dlg_->m_btnHalcyra));
  EXPECT_EQ(L"涟漪", Tip(dlg_->m_btnCenterMeteor));
  EXPECT_EQ(31, Tools());

  // The warning of the VRGB report speaks the language too.
  Reveal(dlg_->m_btnVrgbPage);
  Click({518, 45});
  Click(kApply);
  EXPECT_EQ(L"应用之前，请选择灯效！", app_.MessageBoxes().back());
  app_.Key(VK_RETURN);

  Click(kLanguageArrow);
  EXPECT_EQ(0, dlg_->m_nLanguage);
  EXPECT_EQ(L"ENGLISH", app_.TextOf(dlg_->m_stLanguage));
  EXPECT_EQ(L"Lights Qty", app_.TextOf(dlg_->m_stLightsQtyLabel));
  EXPECT_EQ(L"Apply", app_.TextOf(dlg_->m_btnApply));
  EXPECT_EQ(L"Exit", Tip(dlg_->m_btnClose));
  EXPECT_EQ(L"Halcyra", Tip(dlg_->m_btnHalcyra));
  EXPECT_EQ(31, Tools());
}

TEST_F(LanguageTest, ControlsWithoutATipShowNone) {
  EXPECT_EQ(L"", ShownTip(kColorWheel));
  EXPECT_EQ(L"", ShownTip(Swatch(1)));
  EXPECT_EQ(L"", ShownTip(kLightsQtyArrow));
}

}  // namespace
}  // namespace dialog::test
