#include "app/startup/window_system.h"

#include "platform/user/user.h"
#include "res/embedded_resources.h"

namespace app {

WindowSystem::WindowSystem(host::Host& host) {
  res::InstallEmbeddedResources();
  user::SetHost(&host);
}

WindowSystem::~WindowSystem() {
  user::SetHost(nullptr);
}

}  // namespace app
