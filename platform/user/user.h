// What a program (or a test) calls before it uses the window system: the host that shows the
// top-level windows and feeds input. Not part of the Windows surface.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "gdi_owners.h"
#include "windef.h"

namespace host {
class Host;
}

namespace user {

// What happens to top-level windows, for a program that reports it (the scripted headless program).
struct TopLevelEvent {
  enum class Kind { kShown, kHidden };
  Kind kind = Kind::kShown;
  HWND hwnd = nullptr;
  std::wstring class_name;
  RECT rect{};        // screen coordinates
  std::wstring text;  // the window text; for a tooltip, the tip it shows
  bool message_box = false;
  std::wstring message;  // the text of a message box
};
// Called when a top-level window becomes visible, or is hidden, minimised or destroyed.
void SetTopLevelObserver(std::function<void(const TopLevelEvent&)> observer);

// Installs the host. Call before anything creates a window; the host must outlive every window.
// Installing another host (or null) ends the run of the previous one: its windows are destroyed
// and everything else it left (queued messages, timers, capture, focus, key state, hooks, device
// contexts) is dropped. Registered window classes and the top-level observer stay.
void SetHost(host::Host* host);
host::Host* GetHost();

// The application's name as the framework knows it: the executable's file name without its
// extension. Tests may override it.
std::wstring InstanceName();
void SetInstanceName(const std::wstring& name);

// What the process holds alive, from windows down to kernel handles, so that a test or a long
// run can say that nothing grows.
struct LiveObjects {
  std::size_t windows = 0;  // this process's windows not yet freed; the desktop is not counted
  std::size_t timers = 0;
  std::size_t menus = 0;
  std::size_t hooks = 0;
  std::size_t kernel_handles = 0;
  gdi::ObjectCounts gdi;

  bool operator==(const LiveObjects&) const = default;
};
LiveObjects LiveObjectCounts();

}  // namespace user
