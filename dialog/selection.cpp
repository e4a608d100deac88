// The effect group and the colour group: selection is shown only by the buttons' pictures, the
// selected button lit in both its pictures, every other one plain with a lit hover picture.
#include <algorithm>

#include "CHalcyraDlg.h"
#include "window_areas.h"

namespace {

struct Pictures {
  UINT lit;
  UINT plain;
};

// Effects 1..7 have a lit and a plain picture side by side; from effect 8 on each has three, the
// middle one a grey picture that only the layout's starting state carries.
Pictures EffectPictures(int effect) {
  if (effect <= 7) {
    const UINT lit = 129 + 2 * static_cast<UINT>(effect);
    return {lit, lit + 1};
  }
  const UINT lit = 145 + 3 * static_cast<UINT>(effect - 8);
  return {lit, lit + 2};
}

struct Swatch {
  int color;  // the preset it selects
  Pictures pictures;
};

// In the order of ColorButtons().
constexpr Swatch kSwatches[] = {
    {4, {209, 208}}, {3, {215, 214}}, {2, {219, 218}}, {7, {217, 216}},
    {1, {221, 220}}, {5, {213, 212}}, {6, {211, 210}}, {8, {223, 222}},
};

// A press on the colour wheel's dark ring picks this colour, which sets no custom colour.
constexpr COLORREF kWheelRing = RGB(13, 29, 37);

}  // namespace

std::array<CMPButton*, 24> CHalcyraDlg::EffectButtons() {
  return {&m_btnColorBreathe, &m_btnRainbow, &m_btnBreathe,  &m_btnOff,         &m_btnTwoBlink,
          &m_btnBlink,        &m_btnStatic,  &m_btnHalcyra,  &m_btnSakura,      &m_btnEmergency,
          &m_btnLaser,        &m_btnMarquee, &m_btnTwinking, &m_btnColorCycle,  &m_btnMeteor,
          &m_btnBlackHole,    &m_btnAqua,    &m_btnFlare,    &m_btnForest,      &m_btnStary,
          &m_btnFireWork,     &m_btnLava,    &m_btnTetris,   &m_btnCenterMeteor};
}

std::array<CMPButton*, 8> CHalcyraDlg::ColorButtons() {
  return {&m_btnColor4, &m_btnColor3, &m_btnColor2, &m_btnColor7,
          &m_btnColor1, &m_btnColor5, &m_btnColor6, &m_btnColor8};
}

void CHalcyraDlg::SelectEffect(int effect) {
  m_nEffect = effect;
  const std::array<CMPButton*, 24> buttons = EffectButtons();
  for (int k = 1; k <= 24; ++k) {
    const Pictures pictures = EffectPictures(k);
    buttons[k - 1]->SetBitmaps(k == effect ? pictures.lit : pictures.plain, pictures.lit, 0);
  }
}

void CHalcyraDlg::SelectPresetColor(int swatch) {
  m_nColor = kSwatches[swatch].color;
  const std::array<CMPButton*, 8> buttons = ColorButtons();
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    const Pictures& pictures = kSwatches[i].pictures;
    buttons[i]->SetBitmaps(static_cast<int>(i) == swatch ? pictures.lit : pictures.plain,
                           pictures.lit, 0);
  }
  InvalidateRect(&kColorSampleRect, TRUE);
}

void CHalcyraDlg::PickWheelColor() {
  m_nColor = 0;
  const COLORREF picked = m_btnColorWheel.m_clrPicked;
  if (picked == kWheelRing) return;

  const struct {
    CBitmapSlider& slider;
    BYTE value;
  } channels[] = {
      {m_sliderRed, GetRValue(picked)},
      {m_sliderGreen, GetGValue(picked)},
      {m_sliderBlue, GetBValue(picked)},
  };
  for (const auto& channel : channels) {
    // Set directly: the sliders post nothing for a colour that comes from the wheel.
    int pos = std::min<int>(channel.value, channel.slider.m_nMax);
    pos = std::max(pos, channel.slider.m_nMin);
    channel.slider.m_nPos = pos;
    if (channel.slider.m_hWnd != nullptr) channel.slider.Invalidate(TRUE);
  }
  InvalidateRect(&kRgbValuesRect, TRUE);
  InvalidateRect(&kColorSampleRect, TRUE);
}
