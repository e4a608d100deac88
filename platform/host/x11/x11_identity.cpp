// What tells the desktop whose window it is: class hint, name, icon, process and machine.
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <climits>

#include "x11_host_impl.h"

namespace host {

std::string X11ClassName(const std::string& instance) {
  std::string name = instance;
  if (!name.empty()) name[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
  return name;
}

namespace x11 {

std::string InstanceOf(const WindowDesc& desc) {
  // A program that does not say leaves the name it was started by, as Xlib's own default does.
  return desc.application.empty() ? std::string(program_invocation_short_name) : desc.application;
}

void X11HostImpl::SetIdentity(Window xw, const WindowDesc& desc) {
  std::string instance = InstanceOf(desc);
  std::string class_name = X11ClassName(instance);
  XClassHint class_hint{instance.data(), class_name.data()};
  XSetClassHint(dpy_, xw, &class_hint);

  // _NET_WM_PID means something only together with the machine the process runs on.
  char host_name[HOST_NAME_MAX + 1] = {};
  if (gethostname(host_name, sizeof host_name - 1) == 0 && host_name[0] != '\0') {
    char* list[] = {host_name};
    XTextProperty machine{};
    if (XStringListToTextProperty(list, 1, &machine) != 0) {
      XSetWMClientMachine(dpy_, xw, &machine);
      XFree(machine.value);
    }
  }
  long pid = static_cast<long>(getpid());
  XChangeProperty(dpy_, xw, atoms_.net_wm_pid, XA_CARDINAL, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(&pid), 1);
}

void X11HostImpl::SetIcon(NativeWindow window, const std::vector<IconImage>& images) {
  Win* w = Find(window);
  if (!w || dead_) return;
  // _NET_WM_ICON: width, height, then the pixels as ARGB, for each picture in turn. Xlib takes
  // 32-bit properties as arrays of long.
  std::vector<long> data;
  for (const IconImage& image : images) {
    const auto count =
        static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height);
    if (image.width <= 0 || image.height <= 0 || image.pixels.size() != count) continue;
    data.push_back(image.width);
    data.push_back(image.height);
    for (std::uint32_t argb : image.pixels) data.push_back(static_cast<long>(argb));
  }
  if (data.empty()) {
    XDeleteProperty(dpy_, window, atoms_.net_wm_icon);
  } else {
    XChangeProperty(dpy_, window, atoms_.net_wm_icon, XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(data.data()),
                    static_cast<int>(data.size()));
  }
  XFlush(dpy_);
}

}  // namespace x11
}  // namespace host
