// The installed host and the session that goes with it, and the state that outlives hosts.
#include <utility>

#include "internal.h"

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

}  // namespace user
