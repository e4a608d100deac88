// The installed host and the instance name.
#include <unistd.h>

#include <string>

#include "platform/host/host.h"
#include "platform/user/user.h"
#include "platform/user/winuser.h"

namespace user {
namespace {
host::Host* g_host = nullptr;
std::wstring* g_instance_name = nullptr;
}  // namespace

void SetHost(host::Host* h) {
  g_host = h;
}
host::Host* GetHost() {
  return g_host;
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
