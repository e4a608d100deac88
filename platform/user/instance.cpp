// The installed host, the top-level observer and the instance name.
#include <string>

#include "internal.h"

namespace user {
namespace {
host::Host* g_host = nullptr;
std::wstring* g_instance_name = nullptr;
}  // namespace

void SetHost(host::Host* h) {
  if (g_host && h != g_host) {
    // Windows belong to the host that shows them: a new host starts with none.
    auto tops = S().toplevels;
    for (HWND t : tops)
      if (IsWindow(t)) DestroyWindow(t);
    auto& st = S();
    st.raw_input.clear();
    st.input.clear();
    st.posted.clear();
    st.quit_posted = false;
    st.timers.clear();
    st.capture = st.focus = st.active = nullptr;
    st.move = MoveLoop{};
    st.by_native.clear();
    st.foreign_snapshot.clear();
    st.foreign_by_native.clear();
    st.key_state = {};
    st.async_state = {};
    st.dblclick_armed = false;
  }
  g_host = h;
}

host::Host* GetHost() {
  return g_host;
}

void SetTopLevelObserver(std::function<void(const TopLevelEvent&)> observer) {
  S().observer = std::move(observer);
}

std::wstring InstanceName() {
  if (g_instance_name) return *g_instance_name;
  wchar_t path[4096];
  DWORD n = GetModuleFileNameW(nullptr, path, 4096);
  std::wstring name(path, n);
  auto slash = name.find_last_of(L'/');
  if (slash != std::wstring::npos) name.erase(0, slash + 1);
  auto dot = name.find_last_of(L'.');
  if (dot != std::wstring::npos && dot > 0) name.erase(dot);
  return name;
}

void SetInstanceName(const std::wstring& name) {
  static std::wstring storage;
  storage = name;
  g_instance_name = &storage;
}

}  // namespace user
