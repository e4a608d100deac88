// What a program (or a test) calls before it uses the window system: the host that shows the
// top-level windows and feeds input. Not part of the Windows surface.
#pragma once

#include <string>

namespace host {
class Host;
}

namespace user {

// Installs the host. Call once, before anything creates a window; the host must outlive every
// window. Installing null (or another host) destroys every remaining window first.
void SetHost(host::Host* host);
host::Host* GetHost();

// The application's name as the framework knows it: the executable's file name without its
// extension. Tests may override it.
std::wstring InstanceName();
void SetInstanceName(const std::wstring& name);

}  // namespace user
