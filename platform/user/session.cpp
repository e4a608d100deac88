// The installed host and the session that goes with it, and the state that outlives hosts.
#include <utility>

#include "internal.h"
#include "kernel_handle.h"

namespace user {

ProcessState& Process() {
  static auto* state =
      new ProcessState();  // lives as long as the process; windows may outlive main
  return *state;
}

SessionState& Session() {
  static auto* state = new SessionState();
  return *state;
}

host::Host* CurrentHost() {
  return Session().host;
}

void SetHost(host::Host* h) {
  if (h == Session().host) return;
  // Windows belong to the host that shows them: they go while it can still take their native
  // windows away.
  for (HWND t : std::vector<HWND>(Session().toplevels))
    if (IsWindow(t)) DestroyWindow(t);
  SessionState ended = std::exchange(Session(), SessionState{});
  Session().host = h;
  // Device contexts nobody released and the framebuffers they kept alive end with their session.
  for (const auto& [dc, hwnd] : ended.dcs) DeleteDC(dc);
  for (HBITMAP b : ended.retired_framebuffers) DeleteObject(b);
}

host::Host* GetHost() {
  return CurrentHost();
}

void SetTopLevelObserver(std::function<void(const TopLevelEvent&)> observer) {
  Process().observer = std::move(observer);
}

LiveObjects LiveObjectCounts() {
  const SessionState& session = Session();
  LiveObjects live;
  for (const auto& [key, window] : session.windows) {
    if (!window->foreign && window->handle != session.desktop) ++live.windows;
  }
  // Destroyed windows wait there until no message is being handled; they still hold memory.
  live.windows += session.graveyard.size();
  live.timers = session.timers.size();
  live.menus = session.menus.size();
  live.hooks = session.hooks.size();
  live.kernel_handles = base::OpenKernelHandleCount();
  live.gdi = gdi::CountObjects();
  return live;
}

}  // namespace user
