#include "hidapi_device.h"

#include <memory>

#include "hidapi_backend.h"

namespace app {

void InstallHidapiDevices() {
  hid::SetBackend(std::make_shared<hid::HidapiBackend>());
}

}  // namespace app
