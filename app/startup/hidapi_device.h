// The real HID system, for the program that drives the hardware.
#pragma once

#include <memory>

#include "hid_backend.h"

namespace app {

// Installs the hidapi backend as the HID system. Returns it, for the access check
// (device_access.h) that the program's main runs next.
std::shared_ptr<hid::Backend> InstallHidapiDevices();

}  // namespace app
