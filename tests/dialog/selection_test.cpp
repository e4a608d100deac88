// Choosing an effect, a preset colour or a colour on the wheel, and what Apply then sends.
#include "main_window.h"
#include "report.h"

namespace dialog::test {
namespace {

using SelectionTest = MainWindowTest;

TEST_F(SelectionTest, EveryEffectButtonSelectsItsEffectAndApplySendsIt) {
  Click(kApply);  // at start: effect 8 in the controller's colour
  EXPECT_EQ(Hex(ReportOf("00 80 0B 02 03 02 00 03 03 0A 14 1E")), LastReport());
  Click(EffectButton(2));
  Click(kApply);
  EXPECT_EQ(Hex(ReportOf("00 80 0B 02 03 01 00 00 03 0A 14 1E")), LastReport());

  const std::array<CMPButton*, 24> buttons = dlg_->EffectButtons();
  for (int effect = 1; effect <= 24; ++effect) {
    SCOPED_TRACE(effect);
    Click(EffectButton(effect));
    EXPECT_EQ(effect, dlg_->m_nEffect);
    Click(kApply);
    EXPECT_EQ(Hex(device::EncodeArgbSettings({effect, 0, 10, 20, 30})), LastReport());
    // Exactly the selected button shows its lit picture at rest.
    for (int k = 1; k <= 24; ++k) {
      const CMPButton& b = *buttons[k - 1];
      EXPECT_EQ(k == effect, b.m_nBmpNormal == b.m_nBmpHover) << k;
      EXPECT_EQ(0u, b.m_nBmpThird) << k;
    }
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

TEST_F(SelectionTest, EverySwatchSendsItsPresetAndPaintsItsSample) {
  struct Preset {
    int color;
    const char* bytes;  // red, green, blue as sent
    std::uint32_t sample;
  };
  const Preset presets[] = {
      {1, "FF FF FF", 0xFFFFFF}, {2, "FF 00 00", 0xDB1730}, {3, "FF 31 00", 0xEFBD2C},
      {4, "FF C8 00", 0xFFFF3C}, {5, "00 FF 00", 0x68B74A}, {6, "00 00 FF", 0x4377C5},
      {7, "FE 1B 2E", 0xE795C9}, {8, "80 00 80", 0x6136A0},
  };
  for (const Preset& preset : presets) {
    SCOPED_TRACE(preset.color);
    Click(Swatch(preset.color));
    EXPECT_EQ(preset.color, dlg_->m_nColor);
    EXPECT_EQ(preset.sample, PixelAt(kSample));
    Click(kApply);
    EXPECT_EQ(Hex(ReportOf(std::string("00 80 0B 02 03 02 00 03 03 ") + preset.bytes)),
              LastReport());
    int lit = 0;
    for (CMPButton* swatch : dlg_->ColorButtons()) {
      lit += swatch->m_nBmpNormal == swatch->m_nBmpHover ? 1 : 0;
    }
    EXPECT_EQ(1, lit);
  }
}

TEST_F(SelectionTest, TheWheelPicksTheColourUnderThePress) {
  Click(Swatch(3));
  const POINT on_wheel = {709, 130};
  const std::uint32_t colour = PixelAt(on_wheel);
  Click(on_wheel);
  EXPECT_EQ(0, dlg_->m_nColor);
  EXPECT_EQ(static_cast<int>(colour >> 16), dlg_->m_sliderRed.m_nPos);
  EXPECT_EQ(static_cast<int>((colour >> 8) & 0xFF), dlg_->m_sliderGreen.m_nPos);
  EXPECT_EQ(static_cast<int>(colour & 0xFF), dlg_->m_sliderBlue.m_nPos);
  EXPECT_EQ(colour, PixelAt(kSample));
  // The swatch chosen before stays lit although the colour is now the custom one.
  EXPECT_EQ(dlg_->m_btnColor3.m_nBmpHover, dlg_->m_btnColor3.m_nBmpNormal);
  Click(kApply);
  char bytes[16];
  std::snprintf(bytes, sizeof bytes, "%02X %02X %02X", colour >> 16, (colour >> 8) & 0xFF,
                colour & 0xFF);
  EXPECT_EQ(Hex(ReportOf(std::string("00 80 0B 02 03 02 00 03 03 ") + bytes)), LastReport());
}

TEST_F(SelectionTest, APressOnTheWheelsDarkRingKeepsTheSliders) {
  // The ring just inside the wheel's top edge.
  const POINT ring = {584 + 85, 45 + 2};
  ASSERT_EQ(0x0D1D25u, PictureColor(app_, 227, 85, 2));
  Click(Swatch(2));
  Click(ring);
  EXPECT_EQ(0, dlg_->m_nColor);
  EXPECT_EQ(RGB(13, 29, 37), dlg_->m_btnColorWheel.m_clrPicked);
  EXPECT_EQ(10, dlg_->m_sliderRed.m_nPos);
  EXPECT_EQ(20, dlg_->m_sliderGreen.m_nPos);
  EXPECT_EQ(30, dlg_->m_sliderBlue.m_nPos);
  // Nothing was repainted; the sample shows the ring's colour when it next is.
  EXPECT_EQ(0xDB1730u, PixelAt(kSample));
  app_.OnProgramThread([&] { dlg_->Invalidate(FALSE); });
  EXPECT_EQ(0x0D1D25u, PixelAt(kSample));
}

TEST_F(SelectionTest, MovingASliderAfterASwatchKeepsThePreset) {
  Click(Swatch(2));
  app_.Drag(app_.OnMain({586 + 31, 369}), app_.OnMain({586 + 100, 369}));
  EXPECT_GT(dlg_->m_sliderRed.m_nPos, 150);
  EXPECT_EQ(2, dlg_->m_nColor);
  EXPECT_EQ(0xDB1730u, PixelAt(kSample));
  Click(kApply);
  EXPECT_EQ(Hex(ReportOf("00 80 0B 02 03 02 00 03 03 FF 00 00")), LastReport());
}

}  // namespace
}  // namespace dialog::test
