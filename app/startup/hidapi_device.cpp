#include "hidapi_device.h"

#include <memory>

#include "hidapi_backend.h"

namespace app {

std::shared_ptr<hid::Backend> InstallHidapiDevices() {
  auto backend = std::make_shared<hid::HidapiBackend>();
  hid::SetBackend(backend);
  return backend;
}

}  // namespace app
