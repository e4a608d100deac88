// The application's instance name. It belongs to the process, so it outlives every host.
#include <optional>
#include <string>

#include "internal.h"

namespace user {
namespace {

std::optional<std::wstring>& OverriddenName() {
  static std::optional<std::wstring> name;
  return name;
}

}  // namespace

std::wstring InstanceName() {
  if (OverriddenName()) return *OverriddenName();
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
  OverriddenName() = name;
}

}  // namespace user
