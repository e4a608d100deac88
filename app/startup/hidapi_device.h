// The real HID system, for the program that drives the hardware.
#pragma once

namespace app {

// Installs the hidapi backend as the HID system.
void InstallHidapiDevices();

}  // namespace app
