// The controller's requests, as the main window sends them from its settings.
#include "CHalcyraDlg.h"
#include "language.h"
#include "requests.h"

namespace {

device::LightingSettings SettingsOf(const CHalcyraDlg& dialog) {
  device::LightingSettings settings;
  settings.effect = dialog.m_nEffect;
  settings.color = dialog.m_nColor;
  settings.red = dialog.m_sliderRed.m_nPos;
  settings.green = dialog.m_sliderGreen.m_nPos;
  settings.blue = dialog.m_sliderBlue.m_nPos;
  settings.lights_qty = dialog.m_nLightsQty;
  return settings;
}

}  // namespace

bool CHalcyraDlg::DeviceFound() const {
  return static_cast<bool>(m_hDevice);
}

void CHalcyraDlg::ReadLightsQty(int& lightsQty) {
  device::ReadLightsQty(DeviceHandle(), lightsQty);
}

void CHalcyraDlg::SetLightsQty(BYTE qty) {
  device::SetLightsQty(DeviceHandle(), qty);
}

void CHalcyraDlg::ReadDeviceColor(BYTE& inOut) {
  const device::Rgb color = device::ReadDeviceColor(DeviceHandle(), inOut);
  m_sliderRed.SetPos(color.red);
  m_sliderGreen.SetPos(color.green);
  m_sliderBlue.SetPos(color.blue);
}

void CHalcyraDlg::ApplyArgbSettings() {
  device::ApplyArgbSettings(DeviceHandle(), SettingsOf(*this));
}

void CHalcyraDlg::ApplyVrgbSettings() {
  device::ApplyVrgbSettings(DeviceHandle(), SettingsOf(*this), [this] {
    MessageBox(SelectEffectMessage(m_nLanguage), nullptr, MB_OK);
  });
}
