#include "app/startup/hidapi_device.h"

#include <memory>

#include "platform/hid/hidapi/hidapi_backend.h"

namespace app {

void InstallHidapiDevices() {
  hid::SetBackend(std::make_shared<hid::HidapiBackend>());
}

}  // namespace app
