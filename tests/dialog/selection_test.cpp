// Choosing an effect or a preset colour lights its button alone.
#include "main_window.h"

namespace dialog::test {
namespace {

using SelectionTest = MainWindowTest;

// How many of `buttons` show their lit picture at rest.
template <typename Buttons>
int Lit(const Buttons& buttons) {
  int lit = 0;
  for (const CMPButton* b : buttons) lit += b->m_nBmpNormal == b->m_nBmpHover ? 1 : 0;
  return lit;
}

TEST_F(SelectionTest, EachEffectButtonSelectsItsEffectAndAloneShowsItLit) {
  const std::array<CMPButton*, 24> buttons = dlg_->EffectButtons();
  for (int effect = 1; effect <= 24; ++effect) {
    SCOPED_TRACE(effect);
    Click(EffectButton(effect));
    EXPECT_EQ(effect, dlg_->m_nEffect);
    EXPECT_EQ(1, Lit(buttons));
    EXPECT_EQ(buttons[effect - 1]->m_nBmpHover, buttons[effect - 1]->m_nBmpNormal);
    for (const CMPButton* b : buttons) EXPECT_EQ(0u, b->m_nBmpThird);
  }
}

TEST_F(SelectionTest, TheScreenShowsTheSelectedEffectLitAndTheOthersPlain) {
  Click(EffectButton(2));
  app_.MoveTo(app_.OnMain(kBackground));  // nothing hovered
  const POINT probe = {10, 10};
  const POINT rainbow = {EffectButton(2).x - 30 + probe.x, EffectButton(2).y - 30 + probe.y};
  const POINT house = {EffectButton(8).x - 30 + probe.x, EffectButton(8).y - 30 + probe.y};
  EXPECT_EQ(PictureColor(app_, 133, probe.x, probe.y), PixelAt(rainbow));
  EXPECT_EQ(PictureColor(app_, 147, probe.x, probe.y), PixelAt(house));
}

TEST_F(SelectionTest, EachSwatchSelectsItsPresetAndAloneShowsItLit) {
  for (int color = 1; color <= 8; ++color) {
    SCOPED_TRACE(color);
    Click(Swatch(color));
    EXPECT_EQ(color, dlg_->m_nColor);
    EXPECT_EQ(1, Lit(dlg_->ColorButtons()));
  }
}

}  // namespace
}  // namespace dialog::test
