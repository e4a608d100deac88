// The program's module, its file name, and the current thread.
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "utf8.h"
#include "winbase.h"

HMODULE GetModuleHandleW(LPCWSTR moduleName) {
  if (moduleName) return nullptr;
  return reinterpret_cast<HMODULE>(static_cast<std::uintptr_t>(0x400000));
}

DWORD GetModuleFileNameW(HMODULE, LPWSTR buffer, DWORD size) {
  if (!buffer || size == 0) return 0;
  char path[4096];
  ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) {
    buffer[0] = 0;
    return 0;
  }
  std::wstring w = base::FromUtf8(std::string(path, static_cast<std::size_t>(n)));
  DWORD count = std::min<DWORD>(size - 1, static_cast<DWORD>(w.size()));
  std::copy_n(w.c_str(), count, buffer);
  buffer[count] = 0;
  return count;
}

DWORD GetCurrentThreadId() {
  return static_cast<DWORD>(syscall(SYS_gettid));
}
