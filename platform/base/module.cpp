// The program's module, its file name, and the current thread.
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "winbase.h"

namespace base {
namespace {

// A file name's UTF-8 bytes as characters; each malformed sequence becomes U+FFFD.
std::wstring NameChars(const std::string& s) {
  std::wstring out;
  std::size_t i = 0;
  while (i < s.size()) {
    auto b = static_cast<unsigned char>(s[i]);
    std::uint32_t c = 0xFFFD;
    int n = 0;
    if (b < 0x80) {
      c = b;
    } else if ((b & 0xE0) == 0xC0) {
      c = b & 0x1F;
      n = 1;
    } else if ((b & 0xF0) == 0xE0) {
      c = b & 0x0F;
      n = 2;
    } else if ((b & 0xF8) == 0xF0) {
      c = b & 0x07;
      n = 3;
    } else {
      ++i;
      out += static_cast<wchar_t>(0xFFFD);
      continue;
    }
    ++i;
    bool ok = true;
    for (int k = 0; k < n; ++k, ++i) {
      if (i >= s.size() || (static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) {
        ok = false;
        break;
      }
      c = (c << 6) | (static_cast<unsigned char>(s[i]) & 0x3F);
    }
    out += static_cast<wchar_t>(ok ? c : 0xFFFD);
  }
  return out;
}

}  // namespace
}  // namespace base

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
  std::wstring w = base::NameChars(std::string(path, static_cast<std::size_t>(n)));
  DWORD count = std::min<DWORD>(size - 1, static_cast<DWORD>(w.size()));
  std::copy_n(w.c_str(), count, buffer);
  buffer[count] = 0;
  return count;
}

DWORD GetCurrentThreadId() {
  return static_cast<DWORD>(syscall(SYS_gettid));
}
