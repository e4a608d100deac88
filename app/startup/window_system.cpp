#include "window_system.h"

#include "embedded_resources.h"
#include "user.h"

namespace app {

WindowSystem::WindowSystem(host::Host& host) {
  res::InstallEmbeddedResources();
  user::SetHost(&host);
}

WindowSystem::~WindowSystem() {
  user::SetHost(nullptr);
}

}  // namespace app
