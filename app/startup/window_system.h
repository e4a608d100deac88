// What every program sets up before its first window and takes down after its last: the
// embedded resources and the host that shows the windows. Which host it is, each program's main
// decides when it is linked.
//
//   auto host = ...;                       // X11 or headless
//   app::WindowSystem windows(*host);      // resources and host installed
//   return AfxWinMain();                   // windows gone and host uninstalled at scope end
#pragma once

namespace host {
class Host;
}

namespace app {

class WindowSystem {
 public:
  // Installs the embedded resources and `host`, which must outlive this object.
  explicit WindowSystem(host::Host& host);
  // Destroys every window that is left and uninstalls the host, so that nothing touches it after
  // the caller lets it go.
  ~WindowSystem();
  WindowSystem(const WindowSystem&) = delete;
  WindowSystem& operator=(const WindowSystem&) = delete;
};

}  // namespace app
